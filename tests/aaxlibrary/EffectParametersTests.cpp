// Effect-parameters base: initialisation, per-parameter operations and their
// result codes, host automation round trips, packets, and the controls chunk.

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "AAX_CBinaryDisplayDelegate.h"
#include "AAX_CBinaryTaperDelegate.h"
#include "AAX_CEffectParameters.h"
#include "AAX_CLinearTaperDelegate.h"
#include "AAX_CNumberDisplayDelegate.h"
#include "AAX_CParameter.h"
#include "ModelFakeHost.h"

namespace
{
using aaxmodel_test::FakeHost;
using Strings = std::vector<std::string>;

const float kDefaults[5] = { 0.5f, 1.0f, 0.0f, 0.1234f, 0.25f };

// The product's arrangement: the bypass first, then five float parameters
// "0" to "4", and the bypass packet on port 3.
class TestEffect : public AAX_CEffectParameters
{
public:
    bool withBypass = true;
    bool withPreview = false;
    AAX_Result initResult = AAX_SUCCESS;
    const char* threeLineName = nullptr;

    AAX_CParameterManager& Parameters() { return hostParameters; }
    AAX_CPacketDispatcher& Packets() { return packetDispatcher; }
    int32_t Changes() const { return changeCount.load(); }
    void SetChanges (int32_t n) { changeCount = n; }

protected:
    AAX_Result EffectInit() override
    {
        if (withBypass)
        {
            auto* bypass = new AAX_CParameter<bool> (cDefaultMasterBypassID, AAX_CString ("Master Bypass"), false,
                                                     AAX_CBinaryTaperDelegate<bool>(), AAX_CBinaryDisplayDelegate<bool> ("bypass", "on"), true);
            bypass->SetNumberOfSteps (2);
            bypass->SetType (AAX_eParameterType_Discrete);
            hostParameters.AddParameter (bypass);
            AAX_CPacketHandler<AAX_CPacketDispatcher> handler (&packetDispatcher, &AAX_CPacketDispatcher::GenerateSingleValuePacket);
            packetDispatcher.RegisterPacket (cDefaultMasterBypassID, 3, &handler);
        }
        for (int i = 0; i < 5; ++i)
        {
            const std::string id = std::to_string (i);
            const char* name = (i == 1 && threeLineName != nullptr) ? threeLineName : "Frequency";
            auto* p = new AAX_CParameter<float> (id.c_str(), AAX_CString (name), kDefaults[i], AAX_CLinearTaperDelegate<float, 0> (0.0f, 1.0f),
                                                 AAX_CNumberDisplayDelegate<float, 3, 0>(), true);
            hostParameters.AddParameter (p);
        }
        if (withPreview)
            hostParameters.AddParameter (new AAX_CParameter<bool> (cPreviewID, AAX_CString ("Preview"), false, AAX_CBinaryTaperDelegate<bool>(),
                                                                   AAX_CBinaryDisplayDelegate<bool> ("off", "on"), false));
        return initResult;
    }
};

// Holds an effect the way the host does: one counted reference.
struct Instance
{
    FakeHost host;
    TestEffect* effect = new TestEffect;

    Instance() { effect->AddRef(); }
    ~Instance()
    {
        effect->Uninitialize();
        effect->Release();
    }
    AAX_Result Init (bool hostAnswers = true)
    {
        if (hostAnswers)
            host.automation.answer = effect;
        const AAX_Result r = effect->Initialize (&host);
        host.automation.Take();
        return r;
    }
    float Value (const char* id)
    {
        float f = -1.0f;
        AAX_IParameter* p = nullptr;
        EXPECT_EQ (AAX_SUCCESS, effect->GetParameter (id, &p));
        EXPECT_TRUE (p->GetValueAsFloat (&f));
        return f;
    }
};

// A chunk record with room for `dataSize` bytes.
struct Record
{
    std::vector<unsigned char> storage;
    explicit Record (uint32_t dataSize)
        : storage (kAAX_SPlugInChunkHeaderSize + dataSize + 4, 0xEE)
    {
        get()->size = static_cast<int32_t> (dataSize);
    }
    AAX_SPlugInChunk* get() { return reinterpret_cast<AAX_SPlugInChunk*> (storage.data()); }
    unsigned char* data() { return storage.data() + kAAX_SPlugInChunkHeaderSize; }
};

std::unique_ptr<Record> SaveChunk (TestEffect* effect)
{
    uint32_t size = 0;
    EXPECT_EQ (AAX_SUCCESS, effect->GetChunkSize (kControlsChunkID, &size));
    std::unique_ptr<Record> record (new Record (size));
    record->get()->chunkID = kControlsChunkID;
    EXPECT_EQ (AAX_SUCCESS, effect->GetChunk (kControlsChunkID, record->get()));
    return record;
}

TEST (AaxEffect, InitializeRegistersParametersAndFiltersTheBypass)
{
    Instance in;
    in.host.automation.answer = in.effect;
    ASSERT_EQ (AAX_SUCCESS, in.effect->Initialize (&in.host));
    EXPECT_EQ (Strings ({ "register:MasterBypassID", "register:0", "register:1", "register:2", "register:3", "register:4" }),
               in.host.automation.Take());
    EXPECT_NE (nullptr, in.effect->Controller());
    EXPECT_NE (nullptr, in.effect->Transport());

    int32_t n = 0;
    EXPECT_EQ (AAX_SUCCESS, in.effect->GetNumberOfParameters (&n));
    EXPECT_EQ (6, n);
    AAX_CString bypass;
    EXPECT_EQ (AAX_SUCCESS, in.effect->GetMasterBypassParameter (&bypass));
    EXPECT_STREQ ("MasterBypassID", bypass.Get());
    int32_t steps = 0;
    EXPECT_EQ (AAX_SUCCESS, in.effect->GetParameterNumberOfSteps ("MasterBypassID", &steps));
    EXPECT_EQ (2, steps);
    AAX_EParameterType type = AAX_eParameterType_Continuous;
    EXPECT_EQ (AAX_SUCCESS, in.effect->GetParameterType ("MasterBypassID", &type));
    EXPECT_EQ (AAX_eParameterType_Discrete, type);

    EXPECT_EQ (AAX_SUCCESS, in.effect->Uninitialize());
    EXPECT_EQ (Strings ({ "unregister:MasterBypassID", "unregister:0", "unregister:1", "unregister:2", "unregister:3", "unregister:4" }),
               in.host.automation.Take());
    EXPECT_EQ (nullptr, in.effect->Controller());
    EXPECT_EQ (nullptr, in.effect->Transport());
    EXPECT_EQ (0u, in.host.automation.refs); // proxies released the host
    EXPECT_EQ (0u, in.host.controller.refs);
    // What is added afterwards never reaches the deleted proxies: a parameter
    // takes its value at once and registers nowhere, a packet is not posted.
    auto* late = new AAX_CParameter<float> ("late", AAX_CString ("Late"), 0.0f, AAX_CLinearTaperDelegate<float, 0> (0.0f, 1.0f),
                                            AAX_CNumberDisplayDelegate<float, 3, 0>(), true);
    in.effect->Parameters().AddParameter (late);
    late->SetNormalizedValue (0.5);
    EXPECT_EQ (0.5f, in.Value ("late"));
    AAX_CPacketHandler<AAX_CPacketDispatcher> handler (&in.effect->Packets(), &AAX_CPacketDispatcher::GenerateSingleValuePacket);
    in.effect->Packets().RegisterPacket ("late", 7, &handler);
    EXPECT_EQ (kErrMissingObject, in.effect->GenerateCoefficients());
    EXPECT_TRUE (in.host.automation.Take().empty());
    EXPECT_TRUE (in.host.controller.posts.empty());
}

TEST (AaxEffect, UnknownIdentifiersGiveTheirResultCodes)
{
    Instance in;
    in.Init();
    TestEffect* e = in.effect;
    const char* bad = "nope";
    double d = 7.0;
    int32_t i = 7;
    AAX_CBoolean b = 7;
    AAX_CString s ("keep");
    AAX_EParameterType t = AAX_eParameterType_Continuous;
    AAX_IParameter* p = reinterpret_cast<AAX_IParameter*> (&in);

    EXPECT_EQ (kErrUnknownParameterID, e->GetParameterIsAutomatable (bad, &b));
    EXPECT_EQ (0, b); // cleared first
    EXPECT_EQ (kErrUnknownParameterID, e->GetParameterNumberOfSteps (bad, &i));
    EXPECT_EQ (kErrUnknownParameterID, e->GetParameterDefaultNormalizedValue (bad, &d));
    EXPECT_EQ (kErrUnknownParameterID, e->SetParameterDefaultNormalizedValue (bad, 0.1));
    EXPECT_EQ (kErrUnknownParameterID, e->GetParameterType (bad, &t));
    EXPECT_EQ (kErrUnknownParameterID, e->GetParameterOrientation (bad, &i));
    EXPECT_EQ (kErrUnknownParameterID, e->GetParameter (bad, &p));
    EXPECT_EQ (nullptr, p);
    EXPECT_EQ (kErrUnknownParameterID, e->GetParameterIndex (bad, &i));
    EXPECT_EQ (-1, i);
    EXPECT_EQ (kErrUnknownParameterID, e->GetParameterValueFromString (bad, &d, AAX_CString ("0.5")));
    EXPECT_EQ (kErrUnknownParameterID, e->GetParameterStringFromValue (bad, 0.5, &s, 8));
    EXPECT_EQ (kErrUnknownParameterID, e->GetParameterValueString (bad, &s, 8));
    EXPECT_STREQ ("keep", s.Get());
    EXPECT_EQ (kErrUnknownParameterID, e->GetParameterNormalizedValue (bad, &d));
    EXPECT_EQ (kErrUnknownParameterID, e->SetParameterNormalizedValue (bad, 0.5));
    EXPECT_EQ (kErrUnknownParameterID, e->SetParameterNormalizedRelative (bad, 0.5));
    EXPECT_EQ (kErrUnknownParameterID, e->TouchParameter (bad));
    EXPECT_EQ (kErrUnknownParameterID, e->ReleaseParameter (bad));
    EXPECT_EQ (kErrUnknownParameterID, e->UpdateParameterNormalizedValue (bad, 0.5, AAX_eUpdateSource_Unspecified));
    EXPECT_EQ (kErrUnknownParameterID, e->UpdateParameterNormalizedRelative (bad, 0.5));
    EXPECT_EQ (kErrUnknownParameterID, e->GetParameterNormalizedValue (nullptr, &d));
    EXPECT_EQ (7.0, d);

    EXPECT_EQ (AAX_SUCCESS, e->GetParameterName (bad, &s));
    EXPECT_STREQ ("", s.Get());
    s = "keep";
    EXPECT_EQ (AAX_SUCCESS, e->GetParameterNameOfLength (bad, &s, 4));
    EXPECT_STREQ ("", s.Get());
    EXPECT_EQ (kErrStringConversion, e->GetParameterNameOfLength ("0", nullptr, 4));

    s = "keep";
    EXPECT_EQ (kErrUnknownParameterID, e->GetParameterIDFromIndex (-1, &s));
    EXPECT_STREQ ("", s.Get());
    EXPECT_EQ (kErrUnknownParameterID, e->GetParameterIDFromIndex (6, &s));
    EXPECT_EQ (AAX_SUCCESS, e->GetParameterIDFromIndex (2, &s));
    EXPECT_STREQ ("1", s.Get());
    EXPECT_EQ (AAX_SUCCESS, e->GetParameterIndex ("4", &i));
    EXPECT_EQ (5, i);
}

TEST (AaxEffect, FixedAnswers)
{
    Instance in;
    in.Init();
    TestEffect* e = in.effect;
    int32_t i = 7;
    EXPECT_EQ (kErrNotSupported, e->GetParameterValueInfo ("0", 1, &i));
    EXPECT_EQ (0, i);
    float f[4] = {};
    uint32_t u = 7, v = 7;
    EXPECT_EQ (kErrNotSupported, e->GetCurveData (0, f, 4, f));
    EXPECT_EQ (kErrNotSupported, e->RenderAudio_Hybrid (nullptr));
    EXPECT_EQ (kErrNotSupported, e->GetCurveDataMeterIds (0, &u, &v));
    EXPECT_EQ (kErrNotSupported, e->GetCurveDataDisplayRange (0, f, f + 1, f + 2, f + 3));
    EXPECT_EQ (AAX_SUCCESS, e->GetCustomData (0, 16, f, &u));
    EXPECT_EQ (0u, u);
    EXPECT_EQ (AAX_SUCCESS, e->SetCustomData (0, 0, nullptr));
    EXPECT_EQ (AAX_SUCCESS, e->TimerWakeup());
    EXPECT_EQ (AAX_SUCCESS, e->DoMIDITransfers());
    EXPECT_EQ (AAX_SUCCESS, e->UpdateParameterTouch ("0", 1));
    AAX_CMidiPacket packet;
    EXPECT_EQ (AAX_SUCCESS, e->UpdateMIDINodes (0, packet));
    EXPECT_EQ (AAX_SUCCESS, e->UpdateControlMIDINodes (0, packet));

    unsigned char field[8] = { 1, 2, 3, 4, 5, 6, 7, 8 };
    EXPECT_EQ (AAX_SUCCESS, e->ResetFieldData (0, field, 6));
    EXPECT_EQ (0, field[5]);
    EXPECT_EQ (7, field[6]);
    EXPECT_EQ (AAX_SUCCESS, e->ResetFieldData (0, nullptr, 6));

    EXPECT_EQ (AAX_SUCCESS, e->GetNumberOfChanges (&i));
    EXPECT_EQ (0, i);
    in.effect->SetChanges (-5);
    i = 9;
    EXPECT_EQ (AAX_SUCCESS, e->GetNumberOfChanges (&i));
    EXPECT_EQ (9, i);
}

TEST (AaxEffect, StepCountsBeyondTheSignedRangeAreRefused)
{
    Instance in;
    in.Init();
    AAX_IParameter* p = nullptr;
    in.effect->GetParameter ("2", &p);
    p->SetNumberOfSteps (0x80000000u); // negative as a signed count
    int32_t steps = 9;
    EXPECT_EQ (kErrBadStepCount, in.effect->GetParameterNumberOfSteps ("2", &steps));
    EXPECT_EQ (9, steps);
    p->SetNumberOfSteps (1001);
    EXPECT_EQ (AAX_SUCCESS, in.effect->GetParameterNumberOfSteps ("2", &steps));
    EXPECT_EQ (1001, steps);
}

TEST (AaxEffect, ValuesAndTexts)
{
    Instance in;
    in.Init();
    TestEffect* e = in.effect;
    double d = 0.0;
    EXPECT_EQ (AAX_SUCCESS, e->GetParameterNormalizedValue ("0", &d));
    EXPECT_DOUBLE_EQ (0.5, d);
    EXPECT_EQ (AAX_SUCCESS, e->GetParameterDefaultNormalizedValue ("4", &d));
    EXPECT_DOUBLE_EQ (0.25, d);
    AAX_CString s;
    EXPECT_EQ (AAX_SUCCESS, e->GetParameterValueString ("0", &s, 2)); // full text
    EXPECT_STREQ ("0.500", s.Get());
    EXPECT_EQ (AAX_SUCCESS, e->GetParameterStringFromValue ("0", 0.25, &s, 4));
    EXPECT_STREQ ("0.25", s.Get());
    EXPECT_EQ (AAX_SUCCESS, e->GetParameterValueString ("MasterBypassID", &s, 10));
    EXPECT_STREQ ("bypass", s.Get());
    EXPECT_EQ (AAX_SUCCESS, e->GetParameterValueFromString ("2", &d, AAX_CString ("0.75")));
    EXPECT_DOUBLE_EQ (0.75, d);
    d = -1.0;
    EXPECT_EQ (kErrStringConversion, e->GetParameterValueFromString ("2", &d, AAX_CString ("1.5"))); // out of range
    EXPECT_EQ (kErrStringConversion, e->GetParameterValueFromString ("2", &d, AAX_CString ("abc")));
    EXPECT_EQ (-1.0, d);
    EXPECT_EQ (AAX_SUCCESS, e->GetParameterValueFromString ("MasterBypassID", &d, AAX_CString ("on")));
    EXPECT_EQ (1.0, d);
    EXPECT_EQ (AAX_SUCCESS, e->GetParameterStringFromValue ("MasterBypassID", 1.0, &s, -1));
    EXPECT_STREQ ("on", s.Get());
    AAX_CBoolean automatable = 0;
    EXPECT_EQ (AAX_SUCCESS, e->GetParameterIsAutomatable ("3", &automatable));
    EXPECT_EQ (1, automatable);
    int32_t orientation = 5;
    EXPECT_EQ (AAX_SUCCESS, e->GetParameterOrientation ("3", &orientation));
    EXPECT_EQ (0, orientation);
    EXPECT_EQ (AAX_SUCCESS, e->SetParameterDefaultNormalizedValue ("3", 0.8));
    EXPECT_EQ (AAX_SUCCESS, e->GetParameterDefaultNormalizedValue ("3", &d));
    EXPECT_NEAR (0.8, d, 1e-7);
}

TEST (AaxEffect, HostAutomationRoundTrip)
{
    Instance in;
    in.Init (false); // the host does not answer by itself
    TestEffect* e = in.effect;

    EXPECT_EQ (AAX_SUCCESS, e->SetParameterNormalizedValue ("1", 0.25));
    EXPECT_EQ (Strings ({ "touch:1", "set:1", "release:1" }), in.host.automation.Take());
    EXPECT_EQ (1.0f, in.Value ("1")); // unchanged until the host answers
    EXPECT_EQ (0, e->Changes());

    EXPECT_EQ (AAX_SUCCESS, e->UpdateParameterNormalizedValue ("1", 0.25, AAX_eUpdateSource_Parameter));
    EXPECT_EQ (0.25f, in.Value ("1"));
    EXPECT_EQ (Strings ({ "current:1" }), in.host.automation.Take());
    EXPECT_EQ (1, e->Changes());

    EXPECT_EQ (AAX_SUCCESS, e->UpdateParameterNormalizedValue ("1", 0.25, AAX_eUpdateSource_Parameter));
    EXPECT_EQ (1, e->Changes()); // same value: not counted
    EXPECT_TRUE (in.host.automation.Take().empty());

    e->UpdateParameterNormalizedValue ("1", std::numeric_limits<double>::quiet_NaN(), AAX_eUpdateSource_Parameter);
    EXPECT_EQ (2, e->Changes());
    in.host.automation.Take();

    EXPECT_EQ (AAX_SUCCESS, e->TouchParameter ("0"));
    EXPECT_EQ (AAX_SUCCESS, e->ReleaseParameter ("0"));
    EXPECT_EQ (Strings ({ "touch:0", "release:0" }), in.host.automation.Take());
}

TEST (AaxEffect, RelativeChangesAreLimited)
{
    Instance in;
    in.Init (false);
    TestEffect* e = in.effect;
    e->UpdateParameterNormalizedValue ("0", 0.9, AAX_eUpdateSource_Parameter);
    in.host.automation.values.clear();
    EXPECT_EQ (AAX_SUCCESS, e->SetParameterNormalizedRelative ("0", 0.3));
    EXPECT_EQ (1.0, in.host.automation.values.back());
    EXPECT_EQ (AAX_SUCCESS, e->SetParameterNormalizedRelative ("0", -2.0));
    EXPECT_EQ (0.0, in.host.automation.values.back());

    EXPECT_EQ (AAX_SUCCESS, e->UpdateParameterNormalizedRelative ("0", 0.3));
    EXPECT_EQ (1.0f, in.Value ("0"));
    EXPECT_EQ (AAX_SUCCESS, e->UpdateParameterNormalizedRelative ("0", -0.25));
    EXPECT_EQ (0.75f, in.Value ("0"));
}

TEST (AaxEffect, BypassPacketReachesPort3)
{
    Instance in;
    in.Init();
    TestEffect* e = in.effect;
    EXPECT_EQ (AAX_SUCCESS, e->GenerateCoefficients()); // new packet: posted
    ASSERT_EQ (1u, in.host.controller.posts.size());
    EXPECT_EQ (3, in.host.controller.posts[0].port);
    EXPECT_EQ (std::vector<unsigned char> ({ 0, 0, 0, 0 }), in.host.controller.posts[0].bytes);

    EXPECT_EQ (AAX_SUCCESS, e->GenerateCoefficients());
    EXPECT_EQ (1u, in.host.controller.posts.size());

    EXPECT_EQ (AAX_SUCCESS, e->SetParameterNormalizedValue ("MasterBypassID", 1.0)); // the host answers
    EXPECT_EQ (AAX_SUCCESS, e->GenerateCoefficients());
    ASSERT_EQ (2u, in.host.controller.posts.size());
    EXPECT_EQ (std::vector<unsigned char> ({ 1, 0, 0, 0 }), in.host.controller.posts[1].bytes);

    // An unchanged value still marks the packet dirty.
    const int32_t changes = e->Changes();
    e->UpdateParameterNormalizedValue ("MasterBypassID", 1.0, AAX_eUpdateSource_Parameter);
    EXPECT_EQ (changes, e->Changes());
    e->GenerateCoefficients();
    EXPECT_EQ (3u, in.host.controller.posts.size());
}

TEST (AaxEffect, ProxiesOverAnEmptyHost)
{
    TestEffect* e = new TestEffect;
    e->AddRef();
    ASSERT_EQ (AAX_SUCCESS, e->Initialize (nullptr));
    // The automation proxy exists but reaches no host: requests change nothing.
    EXPECT_EQ (AAX_SUCCESS, e->SetParameterNormalizedValue ("0", 0.9));
    double d = 0.0;
    e->GetParameterNormalizedValue ("0", &d);
    EXPECT_DOUBLE_EQ (0.5, d);
    EXPECT_EQ (kErrMissingObject, e->GenerateCoefficients()); // the controller's missing host
    e->Uninitialize();
    e->Release();
}

TEST (AaxEffect, ParameterNameOfLength)
{
    Instance in;
    in.effect->threeLineName = "Frequency Hz\nFreqHz\nFreq"; // lines of 12, 6 and 4
    in.Init();
    TestEffect* e = in.effect;
    AAX_CString s;
    e->GetParameterNameOfLength ("1", &s, 8);
    EXPECT_STREQ ("FreqHz", s.Get());
    e->GetParameterNameOfLength ("1", &s, 4);
    EXPECT_STREQ ("Freq", s.Get());
    e->GetParameterNameOfLength ("1", &s, 3);
    EXPECT_STREQ ("Fre", s.Get());
    e->GetParameterNameOfLength ("1", &s, 0);
    EXPECT_STREQ ("", s.Get());
    e->GetParameterNameOfLength ("1", &s, 100);
    EXPECT_STREQ ("Frequency Hz", s.Get());
    e->GetParameterNameOfLength ("0", &s, 100);
    EXPECT_STREQ ("Frequency", s.Get());
    e->GetParameterName ("1", &s);
    EXPECT_STREQ ("Frequency Hz\nFreqHz\nFreq", s.Get());

    // Of equally long lines the first is taken.
    AAX_IParameter* p = nullptr;
    e->GetParameter ("2", &p);
    p->SetName (AAX_CString ("Drive Amount\nDrve\nDist\nDr"));
    e->GetParameterNameOfLength ("2", &s, 5);
    EXPECT_STREQ ("Drve", s.Get());

    // With shortened names, the one for the length is split.
    e->GetParameter ("0", &p);
    p->AddShortenedName (AAX_CString ("Fq\nF"));
    e->GetParameterNameOfLength ("0", &s, 5);
    EXPECT_STREQ ("Fq", s.Get());
    e->GetParameterNameOfLength ("0", &s, 1);
    EXPECT_STREQ ("F", s.Get());

    // An empty name leaves the out text as it was.
    p->SetName (AAX_CString (""));
    p->ClearShortenedNames();
    s = "keep";
    EXPECT_EQ (AAX_SUCCESS, e->GetParameterNameOfLength ("0", &s, 5));
    EXPECT_STREQ ("keep", s.Get());
}

TEST (AaxEffect, PreviewNotification)
{
    Instance in;
    in.effect->withPreview = true;
    in.Init();
    TestEffect* e = in.effect;
    AAX_IParameter* preview = nullptr;
    ASSERT_EQ (AAX_SUCCESS, e->GetParameter ("PreviewID", &preview));
    bool b = true;
    int32_t on = 1, off = 0, other = 42;
    EXPECT_EQ (AAX_SUCCESS, e->NotificationReceived (kPreviewNotification, &on, 4));
    preview->GetValueAsBool (&b);
    EXPECT_TRUE (b);
    EXPECT_EQ (AAX_SUCCESS, e->NotificationReceived (kPreviewNotification, &off, 4));
    preview->GetValueAsBool (&b);
    EXPECT_FALSE (b);
    EXPECT_EQ (AAX_SUCCESS, e->NotificationReceived (kPreviewNotification, &other, 4));
    preview->GetValueAsBool (&b);
    EXPECT_TRUE (b);
    // Missing or short data is ignored.
    EXPECT_EQ (AAX_SUCCESS, e->NotificationReceived (kPreviewNotification, nullptr, 4));
    EXPECT_EQ (AAX_SUCCESS, e->NotificationReceived (kPreviewNotification, &off, 2));
    preview->GetValueAsBool (&b);
    EXPECT_TRUE (b);
    EXPECT_EQ (AAX_SUCCESS, e->NotificationReceived (AAX_FOURCHAR ('x', 'x', 'x', 'x'), &off, 4));
    preview->GetValueAsBool (&b);
    EXPECT_TRUE (b);

    Instance plain;
    plain.Init();
    EXPECT_EQ (AAX_SUCCESS, plain.effect->NotificationReceived (kPreviewNotification, &on, 4));
}

TEST (AaxEffectChunk, IndexesIdsAndSizes)
{
    Instance in;
    in.Init();
    TestEffect* e = in.effect;
    int32_t n = 0;
    EXPECT_EQ (AAX_SUCCESS, e->GetNumberOfChunks (&n));
    EXPECT_EQ (1, n);
    AAX_CTypeID id = 5;
    EXPECT_EQ (AAX_SUCCESS, e->GetChunkIDFromIndex (0, &id));
    EXPECT_EQ (0x656C636Bu, id);
    for (const int32_t index : { 1, -1 })
    {
        id = 5;
        EXPECT_EQ (kErrBadChunkIndex, e->GetChunkIDFromIndex (index, &id));
        EXPECT_EQ (0u, id);
    }
    uint32_t size = 5;
    EXPECT_EQ (kErrUnknownChunkID, e->GetChunkSize (AAX_FOURCHAR ('j', 'u', 'c', 'e'), &size));
    EXPECT_EQ (0u, size);
    Record record (64);
    EXPECT_EQ (kErrUnknownChunkID, e->GetChunk (AAX_FOURCHAR ('j', 'u', 'c', 'e'), record.get()));
    EXPECT_EQ (kErrUnknownChunkID, e->SetChunk (AAX_FOURCHAR ('j', 'u', 'c', 'e'), record.get()));
    EXPECT_EQ (kErrChunkSizeMismatch, e->GetChunk (kControlsChunkID, record.get())); // no GetChunkSize before
    EXPECT_EQ (64, record.get()->size);
    EXPECT_EQ (kErrChunkWrite, e->GetChunk (kControlsChunkID, nullptr));
}

TEST (AaxEffectChunk, ProductChunkIsTheWorkedExample)
{
    Instance in;
    in.Init();
    TestEffect* e = in.effect;
    uint32_t size = 0;
    ASSERT_EQ (AAX_SUCCESS, e->GetChunkSize (kControlsChunkID, &size));
    ASSERT_EQ (64u, size);
    Record record (size);
    record.get()->chunkID = 0x12345678;
    record.get()->size = 0;
    ASSERT_EQ (AAX_SUCCESS, e->GetChunk (kControlsChunkID, record.get()));
    EXPECT_EQ (64, record.get()->size);
    EXPECT_EQ (-1, record.get()->version);
    EXPECT_EQ (0x12345678u, record.get()->chunkID); // not written
    char name[32] = "Complete Controls State"; // and zero bytes to the end
    EXPECT_EQ (0, std::memcmp (name, record.get()->name, sizeof (name)));
    // clang-format off
    const unsigned char expected[64] = {
        1, 1, 1, 1,
        0x64, 0x5F, 0x30, 0x00, 0x3F, 0xE0, 0, 0, 0, 0, 0, 0,
        0x64, 0x5F, 0x31, 0x00, 0x3F, 0xF0, 0, 0, 0, 0, 0, 0,
        0x64, 0x5F, 0x32, 0x00, 0, 0, 0, 0, 0, 0, 0, 0,
        0x64, 0x5F, 0x33, 0x00, 0x3F, 0xBF, 0x97, 0x24, 0x80, 0, 0, 0,
        0x64, 0x5F, 0x34, 0x00, 0x3F, 0xD0, 0, 0, 0, 0, 0, 0,
    };
    // clang-format on
    EXPECT_EQ (0, std::memcmp (expected, record.data(), 64));
    EXPECT_EQ (0xEE, record.data()[64]); // nothing written past the data

    // A parameter added between size and data: the pair no longer matches
    // and nothing is written into the record sized for 64 bytes.
    ASSERT_EQ (AAX_SUCCESS, e->GetChunkSize (kControlsChunkID, &size));
    in.effect->Parameters().AddParameter (new AAX_CParameter<float> ("5", AAX_CString ("Extra"), 0.0f, AAX_CLinearTaperDelegate<float, 0> (0.0f, 1.0f),
                                                                     AAX_CNumberDisplayDelegate<float, 3, 0>(), true));
    record.get()->version = 3;
    EXPECT_EQ (kErrChunkSizeMismatch, e->GetChunk (kControlsChunkID, record.get()));
    EXPECT_EQ (3, record.get()->version);
    EXPECT_EQ (0xEE, record.data()[64]);
}

TEST (AaxEffectChunk, SetChunkRestoresThroughTheHost)
{
    Instance in;
    in.Init();
    TestEffect* e = in.effect;
    std::unique_ptr<Record> saved = SaveChunk (e);
    for (int i = 0; i < 5; ++i)
        e->SetParameterNormalizedValue (std::to_string (i).c_str(), 0.625);
    e->SetParameterNormalizedValue ("MasterBypassID", 1.0);
    in.host.automation.Take();

    EXPECT_EQ (AAX_SUCCESS, e->SetChunk (kControlsChunkID, saved->get()));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ (kDefaults[i], in.Value (std::to_string (i).c_str())) << i;
    // Each value went through the host: touch, request, release, and its answer.
    const Strings calls = in.host.automation.Take();
    EXPECT_EQ (20u, calls.size());
    EXPECT_EQ ("touch:0", calls[0]);
    // The bypass is filtered: not restored.
    AAX_IParameter* bypass = nullptr;
    e->GetParameter ("MasterBypassID", &bypass);
    bool b = false;
    bypass->GetValueAsBool (&b);
    EXPECT_TRUE (b);
}

TEST (AaxEffectChunk, BadOrPartialChunksChangeOnlyWhatTheyHold)
{
    Instance in;
    in.Init();
    TestEffect* e = in.effect;
    for (int i = 0; i < 5; ++i)
        e->SetParameterNormalizedValue (std::to_string (i).c_str(), 0.625);
    std::unique_ptr<Record> saved = SaveChunk (e);
    for (int i = 0; i < 5; ++i)
        e->SetParameterNormalizedValue (std::to_string (i).c_str(), 0.125);

    Record wrongHeader (*saved);
    wrongHeader.data()[3] = 2;
    EXPECT_EQ (AAX_SUCCESS, e->SetChunk (kControlsChunkID, wrongHeader.get()));
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ (0.125f, in.Value (std::to_string (i).c_str()));

    // Cut after the second entry: only "0" and "1" are restored.
    Record cut (*saved);
    cut.get()->size = 4 + 12 * 2 + 6;
    EXPECT_EQ (AAX_SUCCESS, e->SetChunk (kControlsChunkID, cut.get()));
    EXPECT_EQ (0.625f, in.Value ("0"));
    EXPECT_EQ (0.625f, in.Value ("1"));
    EXPECT_EQ (0.125f, in.Value ("2"));

    EXPECT_EQ (AAX_SUCCESS, e->SetChunk (kControlsChunkID, nullptr));
    AAX_CBoolean equal = 7;
    EXPECT_EQ (kErrMissingObject, e->CompareActiveChunk (nullptr, &equal));
}

TEST (AaxEffectChunk, CompareActiveChunk)
{
    Instance in;
    in.Init();
    TestEffect* e = in.effect;
    std::unique_ptr<Record> saved = SaveChunk (e);
    AAX_CBoolean equal = 7;

    Record other (*saved);
    other.get()->chunkID = AAX_FOURCHAR ('j', 'u', 'c', 'e');
    EXPECT_EQ (AAX_SUCCESS, e->CompareActiveChunk (other.get(), &equal));
    EXPECT_EQ (1, equal);

    EXPECT_EQ (AAX_SUCCESS, e->CompareActiveChunk (saved->get(), &equal));
    EXPECT_EQ (1, equal);

    // The bypass is not compared.
    e->SetParameterNormalizedValue ("MasterBypassID", 1.0);
    EXPECT_EQ (AAX_SUCCESS, e->CompareActiveChunk (saved->get(), &equal));
    EXPECT_EQ (1, equal);

    e->SetParameterNormalizedValue ("3", 0.5);
    EXPECT_EQ (AAX_SUCCESS, e->CompareActiveChunk (saved->get(), &equal));
    EXPECT_EQ (0, equal);
    e->SetParameterNormalizedValue ("3", static_cast<double> (kDefaults[3]));
    EXPECT_EQ (AAX_SUCCESS, e->CompareActiveChunk (saved->get(), &equal));
    EXPECT_EQ (1, equal);

    // A difference beyond single precision compares equal.
    Record near (*saved);
    double stored = 0.5 + 1e-12;
    uint64_t bits = 0;
    std::memcpy (&bits, &stored, 8);
    for (int i = 0; i < 8; ++i)
        near.data()[8 + i] = static_cast<unsigned char> (bits >> (56 - 8 * i));
    EXPECT_EQ (AAX_SUCCESS, e->CompareActiveChunk (near.get(), &equal));
    EXPECT_EQ (1, equal);

    // A missing entry counts as a difference.
    Record shortRecord (*saved);
    shortRecord.get()->size = 4 + 12 * 4;
    EXPECT_EQ (AAX_SUCCESS, e->CompareActiveChunk (shortRecord.get(), &equal));
    EXPECT_EQ (0, equal);
}

TEST (AaxEffectChunk, WithoutBypassEveryParameterIsSaved)
{
    Instance in;
    in.effect->withBypass = false;
    in.Init();
    AAX_CString bypass ("x");
    in.effect->GetMasterBypassParameter (&bypass);
    EXPECT_STREQ ("", bypass.Get());
    uint32_t size = 0;
    EXPECT_EQ (AAX_SUCCESS, in.effect->GetChunkSize (kControlsChunkID, &size));
    EXPECT_EQ (64u, size);

    Instance withPreview;
    withPreview.effect->withPreview = true;
    withPreview.Init();
    EXPECT_EQ (AAX_SUCCESS, withPreview.effect->GetChunkSize (kControlsChunkID, &size));
    EXPECT_EQ (64u + 16u, size); // "l_PreviewID" int32 entry: 12 + 4

    // A bool parameter is stored as the int32 1 or 0.
    const int32_t on = 1;
    withPreview.effect->NotificationReceived (kPreviewNotification, &on, 4);
    std::unique_ptr<Record> saved = SaveChunk (withPreview.effect);
    const unsigned char previewEntry[16] = { 'l', '_', 'P', 'r', 'e', 'v', 'i', 'e', 'w', 'I', 'D', 0, 0, 0, 0, 1 };
    EXPECT_EQ (0, std::memcmp (previewEntry, saved->data() + 64, sizeof (previewEntry)));
}

TEST (AaxEffectChunk, ChunkCallsFromTwoHostThreadsDoNotDisturbEachOther)
{
    // One host thread saves the controls chunk while another restores and
    // compares the same state: every saved chunk is the complete state and
    // every comparison finds it equal, however the calls overlap.
    Instance in;
    in.Init (false); // restored values are requested, never answered: the values stay put
    TestEffect* e = in.effect;
    std::unique_ptr<Record> saved = SaveChunk (e);
    const std::vector<unsigned char> expected (saved->data(), saved->data() + 64);

    constexpr int kRounds = 3000;
    int badSaves = 0;
    int badCompares = 0;
    std::thread restorer ([&] {
        for (int i = 0; i < kRounds; ++i)
        {
            e->SetChunk (kControlsChunkID, saved->get());
            AAX_CBoolean equal = 0;
            if (e->CompareActiveChunk (saved->get(), &equal) != AAX_SUCCESS || equal != 1)
                ++badCompares;
        }
    });
    for (int i = 0; i < kRounds; ++i)
    {
        uint32_t size = 0;
        Record record (64);
        if (e->GetChunkSize (kControlsChunkID, &size) != AAX_SUCCESS || size != 64u || e->GetChunk (kControlsChunkID, record.get()) != AAX_SUCCESS || record.get()->size != 64 || std::vector<unsigned char> (record.data(), record.data() + 64) != expected || record.data()[64] != 0xEE)
            ++badSaves;
    }
    restorer.join();
    EXPECT_EQ (0, badSaves);
    EXPECT_EQ (0, badCompares);
}

TEST (AaxEffect, FailingEffectInitIsReturned)
{
    Instance in;
    in.effect->initResult = -7;
    EXPECT_EQ (-7, in.Init());
    // The bypass was not filtered: it goes into the chunk as an int32.
    uint32_t size = 0;
    EXPECT_EQ (AAX_SUCCESS, in.effect->GetChunkSize (kControlsChunkID, &size));
    EXPECT_EQ (64u + 20u + 4u, size);
}

TEST (AaxEffect, SecondInitializeStartsAfreshWithoutLeakingTheFirst)
{
    Instance in;
    ASSERT_EQ (AAX_SUCCESS, in.Init());
    TestEffect* e = in.effect;
    e->UpdateParameterNormalizedValue ("0", 0.75, AAX_eUpdateSource_Parameter);
    in.host.automation.Take();

    // The host initialises the instance a second time: the first set of
    // parameters leaves the host, the second registers, and the proxies of
    // the first call give their host references back.
    in.host.automation.answer = e;
    ASSERT_EQ (AAX_SUCCESS, e->Initialize (&in.host));
    EXPECT_EQ (Strings ({ "unregister:MasterBypassID", "unregister:0", "unregister:1", "unregister:2", "unregister:3", "unregister:4",
                          "register:MasterBypassID", "register:0", "register:1", "register:2", "register:3", "register:4" }),
               in.host.automation.Take());
    EXPECT_EQ (1u, in.host.automation.refs);
    EXPECT_EQ (1u, in.host.controller.refs);
    int32_t n = 0;
    e->GetNumberOfParameters (&n);
    EXPECT_EQ (6, n);
    EXPECT_EQ (0.5f, in.Value ("0")); // the parameters EffectInit made this time

    // Everything still works through the new proxies.
    EXPECT_EQ (AAX_SUCCESS, e->SetParameterNormalizedValue ("0", 0.25));
    EXPECT_EQ (0.25f, in.Value ("0"));
    in.host.controller.posts.clear();
    EXPECT_EQ (AAX_SUCCESS, e->GenerateCoefficients());
    EXPECT_EQ (1u, in.host.controller.posts.size());
    uint32_t size = 0;
    EXPECT_EQ (AAX_SUCCESS, e->GetChunkSize (kControlsChunkID, &size));
    EXPECT_EQ (64u, size);

    e->Uninitialize();
    EXPECT_EQ (0u, in.host.automation.refs);
    EXPECT_EQ (0u, in.host.controller.refs);
}

TEST (AaxEffect, QueryAnswersEveryVersionWithOnePointer)
{
    Instance in;
    void* v1 = nullptr;
    void* v3 = nullptr;
    ASSERT_EQ (0, in.effect->QueryInterface (IID_IAAXEffectParametersV1, &v1));
    ASSERT_EQ (0, in.effect->QueryInterface (IID_IAAXEffectParametersV3, &v3));
    EXPECT_EQ (v1, v3);
    static_cast<AAX_IACFEffectParameters*> (v1)->Release();
    static_cast<AAX_IACFEffectParameters*> (v3)->Release();
}

TEST (AaxEffect, ReleaseWithoutUninitializeFreesEverything)
{
    FakeHost host;
    TestEffect* e = new TestEffect;
    e->AddRef();
    ASSERT_EQ (AAX_SUCCESS, e->Initialize (&host));
    host.automation.Take();
    e->Release(); // the host forgot Uninitialize
    EXPECT_EQ (6u, host.automation.Take().size()); // every parameter unregistered first
    EXPECT_EQ (0u, host.automation.refs);
    EXPECT_EQ (0u, host.controller.refs);
}

} // namespace
