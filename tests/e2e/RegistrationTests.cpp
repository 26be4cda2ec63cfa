// What the plug-in registers, as the host records it.

#include <map>
#include <iterator>
#include <set>
#include <vector>

#include "E2ESupport.h"
#include "host/HostString.h"

using namespace skorvane3host;

namespace
{
// Layout indices of the plug-in IDs: 1 mono ... 13 7.1 SDDS.
const std::map<int32_t, uint32_t> kLayoutIndex = {
    { AAX_eStemFormat_Mono, 1 },
    { AAX_eStemFormat_Stereo, 2 },
    { AAX_eStemFormat_LCR, 3 },
    { AAX_eStemFormat_LCRS, 4 },
    { AAX_eStemFormat_Quad, 5 },
    { AAX_eStemFormat_5_0, 6 },
    { AAX_eStemFormat_5_1, 7 },
    { AAX_eStemFormat_6_0, 8 },
    { AAX_eStemFormat_6_1, 9 },
    { AAX_eStemFormat_7_0_DTS, 10 },
    { AAX_eStemFormat_7_1_DTS, 11 },
    { AAX_eStemFormat_7_0_SDDS, 12 },
    { AAX_eStemFormat_7_1_SDDS, 13 },
};
constexpr uint32_t kJcaa = 0x6A636161;
constexpr uint32_t kJyaa = 0x6A796161;

const RecordedComponent* findComponent (const RecordedEffect& e, int32_t in, int32_t out)
{
    for (const auto& c : e.components)
    {
        int32_t i = 0, o = 0;
        if (c.property (AAX_eProperty_InputStemFormat, i) && c.property (AAX_eProperty_OutputStemFormat, o) && i == in && o == out)
            return &c;
    }
    return nullptr;
}
} // namespace

using Registration = e2e::PluginTest;

TEST_F (Registration, PackageEffectNamesCategoryAndVersion)
{
    const RecordedDescription& d = module.description();
    EXPECT_EQ (d.packageNames, (std::vector<std::string> { "Skorvane3", "Skorvane3" }));
    EXPECT_EQ (d.packageVersion, 0x10001u);
    EXPECT_FALSE (d.manufacturerName.empty());
    ASSERT_EQ (d.effects.size(), 1u);
    const RecordedEffect& e = d.effects[0];
    EXPECT_FALSE (e.effectID.empty());
    EXPECT_EQ (e.names, (std::vector<std::string> { "Skorvane3", "Skorvane3" }));
    EXPECT_EQ (e.categories, (std::vector<uint32_t> { 0x40 }));
    ASSERT_EQ (e.procPtrs.size(), 2u);
    EXPECT_NE (e.procPtrs.at (kAAX_ProcPtrID_Create_EffectParameters), nullptr);
    EXPECT_NE (e.procPtrs.at (kAAX_ProcPtrID_Create_EffectGUI), nullptr);
    EXPECT_TRUE (e.meters.empty());
}

TEST_F (Registration, OneComponentPerPairOfLayoutsWithEqualChannelCounts)
{
    const RecordedEffect& e = module.description().effects.at (0);
    std::set<std::pair<int32_t, int32_t>> expected, seen;
    for (const auto& in : kLayoutIndex)
        for (const auto& out : kLayoutIndex)
            if (AAX_STEM_FORMAT_CHANNEL_COUNT (in.first) == AAX_STEM_FORMAT_CHANNEL_COUNT (out.first))
                expected.insert ({ in.first, out.first });
    EXPECT_EQ (expected.size(), 25u);

    for (const auto& c : e.components)
    {
        int32_t in = 0, out = 0, value = 0;
        ASSERT_TRUE (c.property (AAX_eProperty_InputStemFormat, in));
        ASSERT_TRUE (c.property (AAX_eProperty_OutputStemFormat, out));
        EXPECT_TRUE (seen.insert ({ in, out }).second) << "component registered twice";

        ASSERT_TRUE (c.property (AAX_eProperty_ManufacturerID, value));
        EXPECT_EQ (static_cast<uint32_t> (value), 0x566C7178u); // 'Vlqx'
        ASSERT_TRUE (c.property (AAX_eProperty_ProductID, value));
        EXPECT_EQ (static_cast<uint32_t> (value), 0x56717333u); // 'Vqs3'
        ASSERT_TRUE (c.property (AAX_eProperty_PlugInID_Native, value));
        EXPECT_EQ (static_cast<uint32_t> (value), kJcaa + kLayoutIndex.at (in) * 256 + kLayoutIndex.at (out));
        ASSERT_TRUE (c.property (AAX_eProperty_PlugInID_AudioSuite, value));
        EXPECT_EQ (static_cast<uint32_t> (value), kJyaa + kLayoutIndex.at (in) * 256 + kLayoutIndex.at (out));
        ASSERT_TRUE (c.property (AAX_eProperty_CanBypass, value));
        EXPECT_EQ (value, 1);
        ASSERT_TRUE (c.property (AAX_eProperty_UsesClientGUI, value));
        EXPECT_EQ (value, 1);
        EXPECT_FALSE (c.property (AAX_eProperty_SideChainStemFormat, value));

        // The algorithm context.
        EXPECT_EQ (c.audioIn, 0);
        EXPECT_EQ (c.audioOut, 1);
        EXPECT_EQ (c.bufferLength, 2);
        ASSERT_EQ (c.dataInPorts.size(), 1u);
        EXPECT_EQ (c.dataInPorts[0].field, 3);
        EXPECT_EQ (c.dataInPorts[0].size, 4u);
        EXPECT_EQ (c.dataInPorts[0].type, AAX_eDataInPortType_Buffered);
        ASSERT_EQ (c.privateData.size(), 2u);
        EXPECT_EQ (c.privateData[0].field, 4);
        EXPECT_EQ (c.privateData[0].size, 8);
        EXPECT_EQ (c.privateData[1].field, 5);
        EXPECT_EQ (c.privateData[1].size, 4);
        EXPECT_EQ (c.sideChainIn, -1);
        EXPECT_TRUE (c.auxOutputs.empty());
        EXPECT_NE (c.processProc, nullptr);
    }
    EXPECT_EQ (seen, expected);
}

TEST_F (Registration, WorkedPlugInIDs)
{
    const RecordedEffect& e = module.description().effects.at (0);
    int32_t v = 0;

    const RecordedComponent* stereo = findComponent (e, AAX_eStemFormat_Stereo, AAX_eStemFormat_Stereo);
    ASSERT_NE (stereo, nullptr);
    ASSERT_TRUE (stereo->property (AAX_eProperty_PlugInID_Native, v));
    EXPECT_EQ (static_cast<uint32_t> (v), 0x6A636161u + 0x202u);

    // LCRS in, quad out is accepted: both have four channels.
    const RecordedComponent* lcrsQuad = findComponent (e, AAX_eStemFormat_LCRS, AAX_eStemFormat_Quad);
    ASSERT_NE (lcrsQuad, nullptr);
    ASSERT_TRUE (lcrsQuad->property (AAX_eProperty_PlugInID_AudioSuite, v));
    EXPECT_EQ (static_cast<uint32_t> (v), 0x6A796161u + 0x405u);

    const RecordedComponent* sdds = findComponent (e, AAX_eStemFormat_7_1_SDDS, AAX_eStemFormat_7_1_DTS);
    ASSERT_NE (sdds, nullptr);
    ASSERT_TRUE (sdds->property (AAX_eProperty_PlugInID_Native, v));
    EXPECT_EQ (static_cast<uint32_t> (v), 0x6A636161u + 13u * 256u + 11u);

    EXPECT_EQ (findComponent (e, AAX_eStemFormat_Mono, AAX_eStemFormat_Stereo), nullptr);
    EXPECT_EQ (findComponent (e, AAX_eStemFormat_5_1, AAX_eStemFormat_7_1_DTS), nullptr);
}

TEST_F (Registration, HostParametersOfAnInstance)
{
    auto instance = makeInstance();
    ASSERT_NE (instance, nullptr);
    EXPECT_EQ (instance->parameterIDs(), (std::vector<std::string> { "MasterBypassID", "0", "1", "2", "3", "4" }));

    const char* names[] = { "Frequency", "Resonance", "Distortion", "Feedback", "Level" };
    AAX_IACFEffectParameters* fx = instance->effect();
    for (int i = 0; i < 5; ++i)
    {
        const std::string id = std::to_string (i);
        EXPECT_EQ (instance->parameterName (id), names[i]);
        int32_t steps = 0;
        ASSERT_EQ (fx->GetParameterNumberOfSteps (id.c_str(), &steps), 0);
        EXPECT_GT (steps, 1000);
        AAX_EParameterType type = AAX_eParameterType_Discrete;
        ASSERT_EQ (fx->GetParameterType (id.c_str(), &type), 0);
        EXPECT_EQ (type, AAX_eParameterType_Continuous);
        double def = -1.0;
        ASSERT_EQ (fx->GetParameterDefaultNormalizedValue (id.c_str(), &def), 0);
        EXPECT_EQ (def, 0.0);
        AAX_CBoolean automatable = 0;
        ASSERT_EQ (fx->GetParameterIsAutomatable (id.c_str(), &automatable), 0);
        EXPECT_EQ (automatable, 1);
        int32_t orientation = -1;
        ASSERT_EQ (fx->GetParameterOrientation (id.c_str(), &orientation), 0);
        EXPECT_EQ (orientation, 0);
    }

    EXPECT_EQ (instance->parameterName ("MasterBypassID"), "Master Bypass");
    int32_t steps = 0;
    ASSERT_EQ (fx->GetParameterNumberOfSteps ("MasterBypassID", &steps), 0);
    EXPECT_EQ (steps, 2);
    AAX_EParameterType type = AAX_eParameterType_Continuous;
    ASSERT_EQ (fx->GetParameterType ("MasterBypassID", &type), 0);
    EXPECT_EQ (type, AAX_eParameterType_Discrete);
    HostString bypassID;
    ASSERT_EQ (fx->GetMasterBypassParameter (&bypassID), 0);
    EXPECT_EQ (bypassID.str(), "MasterBypassID");

    // Every host parameter's name by the length the host allows, never
    // longer than that: the processor's names cut, the bypass's short forms.
    const int32_t lengths[] = { 0, 3, 4, 5, 6, 7, 8, 9, 31 };
    const std::pair<const char*, std::vector<std::string>> namesByLength[] = {
        { "MasterBypassID", { "", "MBy", "MByp", "MByp", "MstByp", "MstByp", "Mast Byp", "Mast Byp", "Mast Byp" } },
        { "0", { "", "Fre", "Freq", "Frequ", "Freque", "Frequen", "Frequenc", "Frequency", "Frequency" } },
        { "1", { "", "Res", "Reso", "Reson", "Resona", "Resonan", "Resonanc", "Resonance", "Resonance" } },
        { "2", { "", "Dis", "Dist", "Disto", "Distor", "Distort", "Distorti", "Distortio", "Distortion" } },
        { "3", { "", "Fee", "Feed", "Feedb", "Feedba", "Feedbac", "Feedback", "Feedback", "Feedback" } },
        { "4", { "", "Lev", "Leve", "Level", "Level", "Level", "Level", "Level", "Level" } },
    };
    for (const auto& [id, texts] : namesByLength)
        for (size_t l = 0; l < std::size (lengths); ++l)
        {
            HostString s;
            ASSERT_EQ (fx->GetParameterNameOfLength (id, &s, lengths[l]), 0);
            EXPECT_EQ (s.str(), texts.at (l)) << id << " in " << lengths[l];
        }
    const struct
    {
        double value;
        int32_t length;
        const char* text;
    } bypassTexts[] = { { 0.0, 8, "Off" }, { 0.0, 2, "Of" }, { 0.0, 0, "" }, { 1.0, 3, "Byp" }, { 1.0, 2, "By" }, { 1.0, 7, "Byp" }, { 1.0, 8, "Bypassed" }, { 0.3, 8, "Bypassed" } };
    for (const auto& t : bypassTexts)
    {
        HostString s;
        ASSERT_EQ (fx->GetParameterStringFromValue ("MasterBypassID", t.value, &s, t.length), 0);
        EXPECT_EQ (s.str(), t.text) << t.value << " in " << t.length;
    }
    // The texts the host shows read back as the state they show.
    for (const auto& [text, value] : { std::pair<const char*, double> { "Bypassed", 1.0 }, { "Byp", 1.0 }, { "Off", 0.0 } })
    {
        double v = -1.0;
        ASSERT_EQ (fx->GetParameterValueFromString ("MasterBypassID", &v, HostString (text)), 0) << text;
        EXPECT_EQ (v, value) << text;
    }
    double unread = -1.0;
    EXPECT_EQ (fx->GetParameterValueFromString ("MasterBypassID", &unread, HostString ("maybe")), kErrStringConversion);
    EXPECT_EQ (unread, -1.0);
    // The current state's text comes from the bypass's own display, whole.
    HostString state;
    ASSERT_EQ (fx->GetParameterValueString ("MasterBypassID", &state, 3), 0);
    EXPECT_EQ (state.str(), "bypass");
    ASSERT_EQ (fx->UpdateParameterNormalizedValue ("MasterBypassID", 1.0, AAX_eUpdateSource_Parameter), 0);
    ASSERT_EQ (fx->GetParameterValueString ("MasterBypassID", &state, 3), 0);
    EXPECT_EQ (state.str(), "on");

    // Identifiers that name no host parameter: the decimal indices 0 to 4
    // are the only ones besides the bypass.
    for (const char* id : { "5", "01", "00", "-1", "", "nope", "MasterBypass" })
    {
        double v = 7.0;
        EXPECT_EQ (fx->GetParameterNormalizedValue (id, &v), kErrUnknownParameterID) << id;
        EXPECT_EQ (fx->GetParameterDefaultNormalizedValue (id, &v), kErrUnknownParameterID) << id;
        EXPECT_EQ (fx->SetParameterNormalizedValue (id, 0.5), kErrUnknownParameterID) << id;
        EXPECT_EQ (v, 7.0) << id;
        HostString name ("keep");
        EXPECT_EQ (fx->GetParameterName (id, &name), 0) << id;
        EXPECT_EQ (name.str(), "") << id;
    }
}

TEST_F (Registration, ProcessorTextsOfTheAskedValues)
{
    auto instance = makeInstance();
    ASSERT_NE (instance, nullptr);
    HostString s;
    // The text is that of the value asked about, not of the current value
    // (Frequency sits at 15000 Hz).
    ASSERT_EQ (instance->effect()->GetParameterStringFromValue ("0", 0.0, &s, 32), 0);
    EXPECT_EQ (s.str(), " 200Hz");
    ASSERT_EQ (instance->effect()->GetParameterStringFromValue ("0", 0.5, &s, 32), 0);
    EXPECT_EQ (s.str(), "1732Hz");
    ASSERT_EQ (instance->effect()->GetParameterStringFromValue ("0", 1.0, &s, 32), 0);
    EXPECT_EQ (s.str(), "15000Hz");
    ASSERT_EQ (instance->effect()->GetParameterStringFromValue ("1", 0.37, &s, 32), 0);
    EXPECT_EQ (s.str(), "   4");
    ASSERT_EQ (instance->effect()->GetParameterStringFromValue ("4", 0.95, &s, 32), 0);
    EXPECT_EQ (s.str(), "  -3dB");
    // Cut to the host's length; values outside 0..1 are held at the ends.
    ASSERT_EQ (instance->effect()->GetParameterStringFromValue ("0", 1.0, &s, 3), 0);
    EXPECT_EQ (s.str(), "150");
    ASSERT_EQ (instance->effect()->GetParameterStringFromValue ("3", -4.0, &s, 32), 0);
    EXPECT_EQ (s.str(), " -60dB");
    // Asking changes nothing.
    double v = -1.0;
    ASSERT_EQ (instance->effect()->GetParameterNormalizedValue ("0", &v), 0);
    EXPECT_DOUBLE_EQ (v, 1.0);
}
