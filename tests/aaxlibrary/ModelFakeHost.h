#pragma once
// A fake host for the effect-parameters tests: one unknown that answers the
// controller (version 1) and the automation delegate (version 1). The
// automation delegate records its traffic and, when `answer` is set, answers
// every set-value request at once the way a host does, through the effect's
// UpdateParameterNormalizedValue.

#include <string>
#include <vector>

#include "AAX_IACFAutomationDelegate.h"
#include "AAX_IACFController.h"
#include "AAX_IACFEffectParameters.h"
#include "AAX_UIDs.h"

namespace aaxmodel_test
{

class HostAutomation : public AAX_IACFAutomationDelegate
{
public:
    ACFRESULT QueryInterface (const acfIID&, void** out) override
    {
        if (out != nullptr)
            *out = nullptr;
        return kACFErrNoInterface;
    }
    acfUInt32 AddRef() override { return ++refs; }
    acfUInt32 Release() override { return --refs; }

    AAX_Result RegisterParameter (AAX_CParamID id) override { return Log ("register", id); }
    AAX_Result UnregisterParameter (AAX_CParamID id) override { return Log ("unregister", id); }
    AAX_Result PostSetValueRequest (AAX_CParamID id, double v) const override
    {
        values.push_back (v);
        Log ("set", id);
        if (answer != nullptr)
            answer->UpdateParameterNormalizedValue (id, v, AAX_eUpdateSource_Parameter);
        return 0;
    }
    AAX_Result PostCurrentValue (AAX_CParamID id, double v) const override
    {
        values.push_back (v);
        return Log ("current", id);
    }
    AAX_Result PostTouchRequest (AAX_CParamID id) override { return Log ("touch", id); }
    AAX_Result PostReleaseRequest (AAX_CParamID id) override { return Log ("release", id); }
    AAX_Result GetTouchState (AAX_CParamID, AAX_CBoolean*) override { return 0; }

    std::vector<std::string> Take()
    {
        std::vector<std::string> out;
        out.swap (calls);
        return out;
    }

    mutable std::vector<std::string> calls;
    mutable std::vector<double> values;
    AAX_IACFEffectParameters* answer = nullptr;
    acfUInt32 refs = 0;

private:
    AAX_Result Log (const char* verb, AAX_CParamID id) const
    {
        calls.push_back (std::string (verb) + ":" + (id != nullptr ? id : "(null)"));
        return 0;
    }
};

class HostController : public AAX_IACFController
{
public:
    struct Post
    {
        int32_t port;
        std::vector<unsigned char> bytes;
    };
    std::vector<Post> posts;
    acfUInt32 refs = 0;

    ACFRESULT QueryInterface (const acfIID&, void** out) override
    {
        if (out != nullptr)
            *out = nullptr;
        return kACFErrNoInterface;
    }
    acfUInt32 AddRef() override { return ++refs; }
    acfUInt32 Release() override { return --refs; }

    AAX_Result PostPacket (AAX_CFieldIndex port, const void* payload, uint32_t size) override
    {
        const unsigned char* p = static_cast<const unsigned char*> (payload);
        posts.push_back (Post { port, std::vector<unsigned char> (p, p + size) });
        return 0;
    }
    AAX_Result GetEffectID (AAX_IString*) const override { return 0; }
    AAX_Result GetSampleRate (float* rate) const override
    {
        *rate = 48000.0f;
        return 0;
    }
    AAX_Result GetInputStemFormat (AAX_EStemFormat*) const override { return 0; }
    AAX_Result GetOutputStemFormat (AAX_EStemFormat*) const override { return 0; }
    AAX_Result GetSignalLatency (int32_t*) const override { return 0; }
    AAX_Result GetCycleCount (AAX_EProperty, AAX_CPropertyValue*) const override { return 0; }
    AAX_Result GetTODLocation (AAX_CTimestamp*) const override { return 0; }
    AAX_Result SetSignalLatency (int32_t) override { return 0; }
    AAX_Result SetCycleCount (AAX_EProperty*, AAX_CPropertyValue*, int32_t) override { return 0; }
    AAX_Result GetCurrentMeterValue (AAX_CMeterID, float*) const override { return 0; }
    AAX_Result GetMeterPeakValue (AAX_CMeterID, float*) const override { return 0; }
    AAX_Result ClearMeterPeakValue (AAX_CMeterID) const override { return 0; }
    AAX_Result GetMeterClipped (AAX_CMeterID, AAX_CBoolean*) const override { return 0; }
    AAX_Result ClearMeterClipped (AAX_CMeterID) const override { return 0; }
    AAX_Result GetMeterCount (uint32_t*) const override { return 0; }
    AAX_Result GetNextMIDIPacket (AAX_CFieldIndex*, AAX_CMidiPacket*) override { return 0; }
};

class FakeHost : public IACFUnknown
{
public:
    HostAutomation automation;
    HostController controller;

    ACFRESULT QueryInterface (const acfIID& iid, void** out) override
    {
        if (out == nullptr)
            return kACFErrNullPointer;
        *out = nullptr;
        if (iid == IID_IAAXAutomationDelegateV1)
        {
            *out = static_cast<AAX_IACFAutomationDelegate*> (&automation);
            automation.AddRef();
            return 0;
        }
        if (iid == IID_IAAXControllerV1)
        {
            *out = static_cast<AAX_IACFController*> (&controller);
            controller.AddRef();
            return 0;
        }
        return kACFErrNoInterface;
    }
    acfUInt32 AddRef() override { return 1; }
    acfUInt32 Release() override { return 1; }
};

} // namespace aaxmodel_test
