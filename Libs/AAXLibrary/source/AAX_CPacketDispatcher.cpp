#include "AAX_CPacketDispatcher.h"

#include <cstring>
#include <stdexcept>

#include "AAX_IController.h"
#include "AAX_IEffectParameters.h"
#include "AAX_IParameter.h"

void* AAX_CPacket::SPacketData::Get (uint32_t n)
{
    bytes.resize (n, 0);
    if (bytes.empty())
        throw std::out_of_range ("AAX_CPacket: empty packet buffer");
    return bytes.data();
}

AAX_CPacketDispatcher::AAX_CPacketDispatcher()
    : controller (nullptr)
    , effectParameters (nullptr)
{}

AAX_CPacketDispatcher::~AAX_CPacketDispatcher()
{
    {
        AAX_StLock_Guard teardownGuard (lock);
        for (auto& entry : packetsByPort)
            delete entry.second;
        for (auto& entry : handlersByID)
            delete entry.second.second;
    }
    packetsByPort.clear();
    handlersByID.clear();
}

void AAX_CPacketDispatcher::Initialize (AAX_IController* inController, AAX_IEffectParameters* inEffectParameters)
{
    controller = inController;
    effectParameters = inEffectParameters;
}

AAX_Result AAX_CPacketDispatcher::RegisterPacket (const char* identifier, int32_t port, const AAX_IPacketHandler* handler)
{
    if (identifier == nullptr || handler == nullptr)
        return kErrMissingObject;

    AAX_StLock_Guard registrationGuard (lock);
    AAX_CPacket* packet = nullptr;
    if (port >= 0)
    {
        auto it = packetsByPort.find (port);
        if (it == packetsByPort.end())
            it = packetsByPort.insert (std::make_pair (port, new AAX_CPacket (port))).first;
        packet = it->second;
    }
    AAX_IPacketHandler* clone = handler->Clone();
    // A multimap keeps equal keys in insertion order.
    handlersByID.insert (std::make_pair (std::string (identifier), Registration (packet, clone)));
    return AAX_SUCCESS;
}

AAX_Result AAX_CPacketDispatcher::SetDirty (const char* identifier, bool dirty)
{
    if (identifier == nullptr)
        return AAX_SUCCESS;
    AAX_StLock_Guard markingGuard (lock);
    auto range = handlersByID.equal_range (std::string (identifier));
    for (auto it = range.first; it != range.second; ++it)
        if (it->second.first != nullptr) // a negative port has no packet
            it->second.first->SetDirty (dirty);
    return AAX_SUCCESS;
}

AAX_Result AAX_CPacketDispatcher::Dispatch()
{
    AAX_StLock_Guard dispatchGuard (lock);
    AAX_Result result = AAX_SUCCESS;
    for (auto& entry : handlersByID)
    {
        AAX_CPacket* packet = entry.second.first;
        if (packet == nullptr || ! packet->IsDirty())
            continue;

        AAX_Result handlerResult = kErrMissingObject;
        try
        {
            handlerResult = entry.second.second->Call (entry.first.c_str(), *packet);
        }
        catch (...)
        {
            // Nothing may escape into the host's call: a throwing handler
            // counts as a failed one.
            handlerResult = kErrMissingObject;
        }
        if (handlerResult == AAX_SUCCESS)
        {
            result = (controller != nullptr) ? controller->PostPacket (packet->port, packet->data.Get(), packet->dataSize)
                                             : static_cast<AAX_Result> (kErrMissingObject);
        }
        packet->SetDirty (false);
    }
    return result;
}

AAX_Result AAX_CPacketDispatcher::GenerateSingleValuePacket (const char* identifier, AAX_CPacket& packet)
{
    if (effectParameters == nullptr)
        return kErrMissingObject;
    AAX_IParameter* parameter = nullptr;
    if (effectParameters->GetParameter (identifier, &parameter) != AAX_SUCCESS || parameter == nullptr)
        return kErrMissingObject;

    bool b = false;
    float f = 0.0f;
    int32_t i = 0;
    double d = 0.0;
    if (parameter->GetValueAsBool (&b))
    {
        const int32_t v = b ? 1 : 0;
        packet.dataSize = sizeof (v);
        std::memcpy (packet.data.Get (packet.dataSize), &v, sizeof (v));
    }
    else if (parameter->GetValueAsFloat (&f))
    {
        packet.dataSize = sizeof (f);
        std::memcpy (packet.data.Get (packet.dataSize), &f, sizeof (f));
    }
    else if (parameter->GetValueAsInt32 (&i))
    {
        packet.dataSize = sizeof (i);
        std::memcpy (packet.data.Get (packet.dataSize), &i, sizeof (i));
    }
    else if (parameter->GetValueAsDouble (&d))
    {
        packet.dataSize = sizeof (d);
        std::memcpy (packet.data.Get (packet.dataSize), &d, sizeof (d));
    }
    else
    {
        return kErrMissingObject;
    }
    return AAX_SUCCESS;
}
