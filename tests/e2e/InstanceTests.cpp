// Instance life, host automation and the automation delegate traffic.

#include <cmath>

#include "E2ESupport.h"
#include "host/HostString.h"

using namespace skorvane3host;

using Instance = e2e::PluginTest;

TEST_F (Instance, CreateInitializeUninitializeReleaseLeavesNothingAlive)
{
    const uint32_t hostObjectsBefore = liveHostObjectCount();
    EXPECT_EQ (module.canUnloadNow (module.hostUnknown()), 0);
    {
        auto a = makeInstance (AAX_eStemFormat_Stereo);
        auto b = makeInstance (AAX_eStemFormat_Mono);
        auto c = makeInstance (AAX_eStemFormat_7_1_DTS, 96000.0f);
        ASSERT_TRUE (a && b && c);
        EXPECT_EQ (module.canUnloadNow (module.hostUnknown()), 3);
        EXPECT_EQ (c->numChannels(), 8);
    }
    EXPECT_EQ (module.canUnloadNow (module.hostUnknown()), 0);
    // The plug-in gave back every host object it held.
    EXPECT_EQ (liveHostObjectCount(), hostObjectsBefore);
    EXPECT_TRUE (module.unload());
}

TEST_F (Instance, LayoutsTheProcessorDoesNotAcceptAreRefused)
{
    std::string error;
    auto inst = PluginInstance::create (module, 0, AAX_eStemFormat_Mono, AAX_eStemFormat_Stereo, 44100.0f, error);
    EXPECT_EQ (inst, nullptr);
    EXPECT_NE (error.find ("does not accept"), std::string::npos);
    auto lcrs = PluginInstance::create (module, 0, AAX_eStemFormat_LCRS, AAX_eStemFormat_Quad, 44100.0f, error);
    EXPECT_NE (lcrs, nullptr) << error;
}

TEST_F (Instance, ParametersRegisterWithTheHostAndUnregisterAtTheEnd)
{
    auto instance = makeInstance();
    ASSERT_NE (instance, nullptr);
    auto events = instance->state().takeEvents();
    std::vector<std::string> registered;
    for (const auto& e : events)
        if (e.kind == AutomationEvent::registered)
            registered.push_back (e.id);
    EXPECT_EQ (registered, (std::vector<std::string> { "MasterBypassID", "0", "1", "2", "3", "4" }));

    auto state = instance->sharedState();
    instance.reset();
    int unregistered = 0;
    for (const auto& e : state->takeEvents())
        unregistered += e.kind == AutomationEvent::unregistered;
    EXPECT_EQ (unregistered, 6);
}

TEST_F (Instance, HostAutomationReachesTheProcessor)
{
    auto instance = makeInstance();
    ASSERT_NE (instance, nullptr);
    // The host plays back automation: its update is the value.
    ASSERT_EQ (instance->effect()->UpdateParameterNormalizedValue ("0", 0.3, AAX_eUpdateSource_Parameter), 0);
    EXPECT_NEAR (instance->parameterValue ("0"), 0.3, 1e-7);
    // The current value's text follows the processor's new value.
    HostString text;
    ASSERT_EQ (instance->effect()->GetParameterValueString ("0", &text, 32), 0);
    EXPECT_NE (text.str(), "15000Hz");

    // A value outside 0..1 is brought into range; not-a-number is ignored.
    ASSERT_EQ (instance->effect()->UpdateParameterNormalizedValue ("2", 1.5, AAX_eUpdateSource_Parameter), 0);
    EXPECT_DOUBLE_EQ (instance->parameterValue ("2"), 1.0);
    instance->effect()->UpdateParameterNormalizedValue ("2", std::nan (""), AAX_eUpdateSource_Parameter);
    EXPECT_DOUBLE_EQ (instance->parameterValue ("2"), 1.0);

    EXPECT_EQ (instance->effect()->UpdateParameterNormalizedValue ("9", 0.5, AAX_eUpdateSource_Parameter),
               kErrUnknownParameterID);
}

TEST_F (Instance, SettingAValueGoesThroughTheHost)
{
    auto instance = makeInstance();
    ASSERT_NE (instance, nullptr);
    instance->state().takeEvents();

    ASSERT_EQ (instance->setParameter ("3", 0.25), 0);
    const auto events = instance->state().takeEvents();
    ASSERT_GE (events.size(), 4u);
    EXPECT_EQ (events[0].kind, AutomationEvent::touch);
    EXPECT_EQ (events[0].id, "3");
    EXPECT_EQ (events[1].kind, AutomationEvent::setRequest);
    EXPECT_DOUBLE_EQ (events[1].value, 0.25);
    EXPECT_EQ (events[2].kind, AutomationEvent::currentValue);
    EXPECT_DOUBLE_EQ (events[2].value, 0.25);
    EXPECT_EQ (events.back().kind, AutomationEvent::release);
    EXPECT_DOUBLE_EQ (instance->parameterValue ("3"), 0.25);

    // A host that does not answer: the request is made, nothing changes.
    instance->state().answerSetRequests = false;
    ASSERT_EQ (instance->setParameter ("3", 0.75), 0);
    EXPECT_DOUBLE_EQ (instance->parameterValue ("3"), 0.25);
    instance->state().answerSetRequests = true;
    // A host playing back automation answers with its own value.
    instance->state().answerValue = [] (const std::string&, double) {
        return 0.5;
    };
    ASSERT_EQ (instance->setParameter ("3", 0.75), 0);
    EXPECT_DOUBLE_EQ (instance->parameterValue ("3"), 0.5);
    instance->state().answerValue = nullptr;

    // Relative changes stop at the range ends.
    ASSERT_EQ (instance->effect()->SetParameterNormalizedRelative ("3", 2.0), 0);
    EXPECT_DOUBLE_EQ (instance->parameterValue ("3"), 1.0);
    ASSERT_EQ (instance->effect()->SetParameterNormalizedRelative ("3", -5.0), 0);
    EXPECT_DOUBLE_EQ (instance->parameterValue ("3"), 0.0);

    // Not a number, as a value or as a change, is refused: nothing is asked of the host.
    instance->state().takeEvents();
    EXPECT_EQ (instance->setParameter ("3", std::nan ("")), kErrStringConversion);
    EXPECT_EQ (instance->effect()->SetParameterNormalizedRelative ("3", std::nan ("")), kErrStringConversion);
    EXPECT_TRUE (instance->state().takeEvents().empty());
}

TEST_F (Instance, HostParametersStartAtTheProcessorsValues)
{
    auto instance = makeInstance();
    ASSERT_NE (instance, nullptr);
    // Processor defaults as normalized values: 1, 0, 0.5, 0, 0.95.
    EXPECT_DOUBLE_EQ (instance->parameterValue ("0"), 1.0);
    EXPECT_DOUBLE_EQ (instance->parameterValue ("1"), 0.0);
    EXPECT_DOUBLE_EQ (instance->parameterValue ("2"), 0.5);
    EXPECT_NEAR (instance->parameterValue ("4"), 0.95, 1e-6);
    EXPECT_DOUBLE_EQ (instance->parameterValue ("MasterBypassID"), 0.0);
    // The host parameter itself (its value text) holds the same value.
    EXPECT_EQ (instance->parameterValueText ("2"), "0.500");
}
