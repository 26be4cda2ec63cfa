#pragma once
// Ties parameter identifiers to data ports of the host's processing context.
// Each registration names an identifier, a port and a handler that turns the
// identifier's current state into packet bytes. A change marks the
// identifier's packets dirty; Dispatch fills every dirty packet through its
// handler and posts it through the host controller. Registration, marking
// and dispatch hold the dispatcher's lock.

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "AAX.h"
#include "AAX_CMutex.h"

class AAX_IController;
class AAX_IEffectParameters;

class AAX_CPacket
{
public:
    // Growable byte buffer; starts as 8 zero bytes.
    class SPacketData
    {
    public:
        SPacketData()
            : bytes (8, 0)
        {}
        // Resizes the buffer to exactly n bytes (added bytes are zero) and
        // returns its first byte; n must be at least 1 (std::out_of_range otherwise).
        void* Get (uint32_t n);
        const void* Get() const { return bytes.data(); }
        size_t Size() const { return bytes.size(); }

    private:
        std::vector<unsigned char> bytes;
    };

    explicit AAX_CPacket (int32_t portNumber)
        : port (portNumber)
        , dirty (true)
        , dataSize (0)
    {}

    int32_t GetPort() const { return port; }
    bool IsDirty() const { return dirty; }
    void SetDirty (bool isDirty) { dirty = isDirty; }
    uint32_t GetDataSize() const { return dataSize; }
    // Sets the number of valid bytes and returns a buffer of exactly that size.
    template<typename T>
    T* GetPtr()
    {
        dataSize = sizeof (T);
        return static_cast<T*> (data.Get (dataSize));
    }
    const void* GetData() const { return data.Get(); }

private:
    friend class AAX_CPacketDispatcher;
    int32_t port;
    bool dirty;
    uint32_t dataSize;
    SPacketData data;
};

class AAX_IPacketHandler
{
public:
    AAX_IPacketHandler() = default;
    // Copyable: every handler's Clone() copies it.
    AAX_IPacketHandler (const AAX_IPacketHandler&) = default;
    AAX_IPacketHandler& operator= (const AAX_IPacketHandler&) = default;
    virtual ~AAX_IPacketHandler() = default;
    virtual AAX_IPacketHandler* Clone() const = 0; // new heap copy, owned by the caller
    virtual AAX_Result Call (const char* identifier, AAX_CPacket& packet) const = 0;
};

// Calls a member of a worker object: the one taking the identifier when set,
// else the one taking only the packet; neither: kErrMissingObject.
template<class TWorker>
class AAX_CPacketHandler : public AAX_IPacketHandler
{
public:
    typedef AAX_Result (TWorker::*PacketMember) (AAX_CPacket&);
    typedef AAX_Result (TWorker::*IdPacketMember) (const char*, AAX_CPacket&);

    AAX_CPacketHandler (TWorker* worker, PacketMember member)
        : owner (worker)
        , packetMember (member)
        , idPacketMember (nullptr)
    {}
    AAX_CPacketHandler (TWorker* worker, IdPacketMember member)
        : owner (worker)
        , packetMember (nullptr)
        , idPacketMember (member)
    {}

    AAX_IPacketHandler* Clone() const override { return new AAX_CPacketHandler (*this); }

    AAX_Result Call (const char* identifier, AAX_CPacket& packet) const override
    {
        if (owner == nullptr)
            return kErrMissingObject;
        if (idPacketMember != nullptr)
            return (owner->*idPacketMember) (identifier, packet);
        if (packetMember != nullptr)
            return (owner->*packetMember) (packet);
        return kErrMissingObject;
    }

private:
    TWorker* owner;
    PacketMember packetMember;
    IdPacketMember idPacketMember;
};

class AAX_CPacketDispatcher
{
public:
    AAX_CPacketDispatcher();
    ~AAX_CPacketDispatcher();
    AAX_CPacketDispatcher (const AAX_CPacketDispatcher&) = delete;
    AAX_CPacketDispatcher& operator= (const AAX_CPacketDispatcher&) = delete;

    void Initialize (AAX_IController* controller, AAX_IEffectParameters* effectParameters);

    // Keeps a clone of handler. Identifiers on one port share its packet.
    // A null identifier or handler registers nothing: kErrMissingObject.
    AAX_Result RegisterPacket (const char* identifier, int32_t port, const AAX_IPacketHandler* handler);
    AAX_Result SetDirty (const char* identifier, bool dirty);
    // Fills and posts every dirty packet; the result of the last post, or 0.
    AAX_Result Dispatch();

    // Standard filler: the parameter's value as bool (32-bit 0/1), float,
    // int32 (4 bytes each) or double (8 bytes), in native byte order.
    AAX_Result GenerateSingleValuePacket (const char* identifier, AAX_CPacket& packet);

private:
    typedef std::pair<AAX_CPacket*, AAX_IPacketHandler*> Registration;

    std::map<int32_t, AAX_CPacket*> packetsByPort;
    std::multimap<std::string, Registration> handlersByID;
    AAX_IController* controller;
    AAX_IEffectParameters* effectParameters;
    AAX_CMutex lock;
};
