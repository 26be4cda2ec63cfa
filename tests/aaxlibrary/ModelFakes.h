#pragma once
// Fake host objects for the data-model tests: they implement the library's
// abstract host interfaces and record every call.

#include <string>
#include <vector>

#include "AAX_IAutomationDelegate.h"
#include "AAX_IController.h"

namespace aaxmodel_test
{

// Records automation traffic as "verb:id" or "verb:id=value".
class FakeAutomationDelegate : public AAX_IAutomationDelegate
{
public:
    AAX_Result RegisterParameter (AAX_CParamID id) override { return Log ("register", id); }
    AAX_Result UnregisterParameter (AAX_CParamID id) override { return Log ("unregister", id); }
    AAX_Result PostSetValueRequest (AAX_CParamID id, double v) const override { return Log ("set", id, v); }
    AAX_Result PostCurrentValue (AAX_CParamID id, double v) const override { return Log ("current", id, v); }
    AAX_Result PostTouchRequest (AAX_CParamID id) override { return Log ("touch", id); }
    AAX_Result PostReleaseRequest (AAX_CParamID id) override { return Log ("release", id); }
    AAX_Result GetTouchState (AAX_CParamID, AAX_CBoolean* touched) override
    {
        if (touched != nullptr)
            *touched = 0;
        return 0;
    }

    mutable std::vector<std::string> calls;
    mutable std::vector<double> values; // values of set and current, in order
    AAX_Result result = kErrMissingObject; // what every call answers (ignored by the library)

private:
    AAX_Result Log (const char* verb, AAX_CParamID id) const
    {
        calls.push_back (std::string (verb) + ":" + (id != nullptr ? id : "(null)"));
        return result;
    }
    AAX_Result Log (const char* verb, AAX_CParamID id, double v) const
    {
        values.push_back (v);
        return Log (verb, id);
    }
};

// Records posted packets; every other operation reports a missing host.
class FakeController : public AAX_IController
{
public:
    struct Post
    {
        int32_t port;
        std::vector<unsigned char> bytes;
    };
    std::vector<Post> posts;
    AAX_Result postResult = 0;

    AAX_Result PostPacket (AAX_CFieldIndex port, const void* payload, uint32_t size) override
    {
        const unsigned char* p = static_cast<const unsigned char*> (payload);
        posts.push_back (Post { port, std::vector<unsigned char> (p, p + size) });
        return postResult;
    }

    AAX_Result GetEffectID (AAX_IString*) const override { return kErrMissingObject; }
    AAX_Result GetSampleRate (float*) const override { return kErrMissingObject; }
    AAX_Result GetInputStemFormat (AAX_EStemFormat*) const override { return kErrMissingObject; }
    AAX_Result GetOutputStemFormat (AAX_EStemFormat*) const override { return kErrMissingObject; }
    AAX_Result GetSignalLatency (int32_t*) const override { return kErrMissingObject; }
    AAX_Result GetCycleCount (AAX_EProperty, AAX_CPropertyValue*) const override { return kErrMissingObject; }
    AAX_Result GetTODLocation (AAX_CTimestamp*) const override { return kErrMissingObject; }
    AAX_Result SetSignalLatency (int32_t) override { return kErrMissingObject; }
    AAX_Result SetCycleCount (AAX_EProperty*, AAX_CPropertyValue*, int32_t) override { return kErrMissingObject; }
    AAX_Result SendNotification (AAX_CTypeID, const void*, uint32_t) override { return kErrNotSupported; }
    AAX_Result GetCurrentMeterValue (AAX_CMeterID, float*) const override { return kErrMissingObject; }
    AAX_Result GetMeterPeakValue (AAX_CMeterID, float*) const override { return kErrMissingObject; }
    AAX_Result ClearMeterPeakValue (AAX_CMeterID) const override { return kErrMissingObject; }
    AAX_Result GetMeterCount (uint32_t*) const override { return kErrMissingObject; }
    AAX_Result GetMeterClipped (AAX_CMeterID, AAX_CBoolean*) const override { return kErrMissingObject; }
    AAX_Result ClearMeterClipped (AAX_CMeterID) const override { return kErrMissingObject; }
    AAX_Result GetNextMIDIPacket (AAX_CFieldIndex*, AAX_CMidiPacket*) override { return kErrMissingObject; }
    AAX_Result GetHybridSignalLatency (int32_t*) const override { return kErrNotSupported; }
    AAX_Result GetCurrentAutomationTimestamp (AAX_CTransportCounter* t) const override
    {
        if (t != nullptr)
            *t = 0;
        return kErrNotSupported;
    }
    AAX_Result GetHostName (AAX_IString*) const override { return kErrNotSupported; }
    AAX_Result GetPlugInTargetPlatform (int32_t*) const override { return kErrNotSupported; }
    AAX_Result GetIsAudioSuite (AAX_CBoolean*) const override { return kErrNotSupported; }
};

} // namespace aaxmodel_test
