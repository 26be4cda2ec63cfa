// The wrapper linked in directly and driven by the host's objects: changes
// that start in the plug-in, the audio context fields and the identity values.

#include <gtest/gtest.h>

#include "AAX_ICollection.h"
#include "AAX_UIDs.h"
#include "host/HostObjects.h"
#include "host/HostString.h"
#include "wrapper/Skorvane3AAXWrapper.h"
#include "tests/wrapper/WrapperInstance.h"

#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

using namespace skorvane3host;
using AAXClasses::JuceAAX_Processor;
using wrappertest::Instance;

TEST (Wrapper, ChangesStartingInThePlugInReachTheHost)
{
    Instance i;
    ASSERT_NE (i.wrapper, nullptr);
    i.state->takeEvents();

    // An editor knob: the framework's notifying setter.
    i.wrapper->getPluginInstance().setParameterNotifyingHost (2, 0.7f);
    const auto events = i.state->takeEvents();
    ASSERT_EQ (events.size(), 4u);
    EXPECT_EQ (events[0].kind, AutomationEvent::touch);
    EXPECT_EQ (events[0].id, "2");
    EXPECT_EQ (events[1].kind, AutomationEvent::setRequest);
    EXPECT_DOUBLE_EQ (events[1].value, static_cast<double> (0.7f));
    EXPECT_EQ (events[2].kind, AutomationEvent::currentValue);
    EXPECT_EQ (events[3].kind, AutomationEvent::release);

    // The host parameter and the processor agree.
    HostString text;
    ASSERT_EQ (i.fx->GetParameterValueString ("2", &text, 16), 0);
    EXPECT_EQ (text.str(), "0.700");
    EXPECT_FLOAT_EQ (i.wrapper->getPluginInstance().getParameter (2), 0.7f);

    // A host that does not answer: the host parameter keeps its value.
    i.state->answerSetRequests = false;
    i.wrapper->getPluginInstance().setParameterNotifyingHost (2, 0.1f);
    ASSERT_EQ (i.fx->GetParameterValueString ("2", &text, 16), 0);
    EXPECT_EQ (text.str(), "0.700");
}

TEST (Wrapper, AKnobChangeEndsAtTheValueTheHostAnswers)
{
    // A host playing back automation answers a knob's set-value request with
    // its own value. The processor must end at that value, the one the host
    // parameter holds, and not be set back to the knob's value afterwards.
    Instance i;
    ASSERT_NE (i.wrapper, nullptr);
    i.state->answerValue = [] (const std::string&, double) {
        return 0.25;
    };
    i.wrapper->getPluginInstance().setParameterNotifyingHost (1, 0.8f);

    double hostValue = -1.0;
    HostString text;
    ASSERT_EQ (i.fx->GetParameterValueString ("1", &text, 16), 0);
    EXPECT_EQ (text.str(), "0.250"); // the host parameter
    ASSERT_EQ (i.fx->GetParameterNormalizedValue ("1", &hostValue), 0);
    EXPECT_DOUBLE_EQ (hostValue, 0.25); // the processor, as the host reads it
    EXPECT_FLOAT_EQ (i.wrapper->getPluginInstance().getParameter (1), 0.25f);
}

TEST (Wrapper, ContextFieldsCarryTheInstanceAndItsChannelCount)
{
    Instance i;
    void* slot = nullptr;
    EXPECT_EQ (i.fx->ResetFieldData (Skorvane3AAX::kFieldProcessor, &slot, sizeof slot), 0);
    EXPECT_EQ (slot, static_cast<void*> (i.wrapper));
    int32_t channels = 0;
    EXPECT_EQ (i.fx->ResetFieldData (Skorvane3AAX::kFieldChannelCount, &channels, sizeof channels), 0);
    EXPECT_EQ (channels, 2);
    // A slot too small for its value is cleared and refused.
    uint16_t small = 0xFFFF;
    EXPECT_NE (i.fx->ResetFieldData (Skorvane3AAX::kFieldProcessor, &small, sizeof small), 0);
    EXPECT_EQ (small, 0);
    EXPECT_EQ (i.fx->ResetFieldData (Skorvane3AAX::kFieldProcessor, nullptr, 8), kErrMissingObject);
    // Other fields are zeroed.
    uint64_t other = ~0ull;
    EXPECT_EQ (i.fx->ResetFieldData (9, &other, sizeof other), 0);
    EXPECT_EQ (other, 0u);
}

TEST (Wrapper, TheAudioCallbackSkipsEmptyContexts)
{
    Instance i;
    float left[4] = { 0.1f, 0.2f, 0.3f, 0.4f }, right[4] = { 0.1f, 0.2f, 0.3f, 0.4f };
    const float* ins[2] = { left, right };
    float* outs[2] = { left, right };
    const int32_t length = 4, bypass = 1, channels = 2;
    void* self = i.wrapper;
    AAXClasses::AlgorithmContext ctx { ins, outs, &length, &bypass, &self, &channels };
    AAXClasses::AlgorithmContext empty {};
    void* instances[3] = { &ctx, nullptr, &empty };
    JuceAAX_Processor::algorithmProcessFunction (instances, instances + 3);
    EXPECT_FLOAT_EQ (left[3], 0.4f); // bypassed: passed through
    JuceAAX_Processor::algorithmProcessFunction (nullptr, nullptr);
}

TEST (Wrapper, IdentityValues)
{
    using namespace Skorvane3AAX;
    EXPECT_EQ (layoutIndex (AAX_eStemFormat_None), 0);
    EXPECT_EQ (layoutIndex (AAX_eStemFormat_Mono), 1);
    EXPECT_EQ (layoutIndex (AAX_eStemFormat_7_0_DTS), 10);
    EXPECT_EQ (layoutIndex (AAX_eStemFormat_7_1_SDDS), 13);
    EXPECT_EQ (layoutIndex (12345), -1);
    EXPECT_TRUE (acceptsLayouts (AAX_eStemFormat_LCRS, AAX_eStemFormat_Quad));
    EXPECT_TRUE (acceptsLayouts (AAX_eStemFormat_6_1, AAX_eStemFormat_7_0_SDDS));
    EXPECT_FALSE (acceptsLayouts (AAX_eStemFormat_Mono, AAX_eStemFormat_Stereo));
    EXPECT_FALSE (acceptsLayouts (AAX_eStemFormat_None, AAX_eStemFormat_None));
    EXPECT_EQ (pluginID (kNativeIDBase, AAX_eStemFormat_Stereo, AAX_eStemFormat_Stereo), 0x6A636363u);
    EXPECT_EQ (GetEffectDescriptions (nullptr), kErrMissingObject);
}

TEST (Runtime, TheLastHolderMayLeaveFromInsideTheMessageLoop)
{
    using Skorvane3AAX::JuceRuntime;
    ASSERT_EQ (JuceRuntime::activeHolders(), 0);
    auto* holder = new JuceRuntime();
    EXPECT_TRUE (JuceRuntime::callOnMessageThread ([holder] {
        delete holder;
    }));
    EXPECT_EQ (JuceRuntime::activeHolders(), 0);

    // A later holder gets a working loop again.
    JuceRuntime again;
    bool ran = false;
    EXPECT_TRUE (JuceRuntime::callOnMessageThread ([&ran] {
        ran = true;
    }));
    EXPECT_TRUE (ran);
    EXPECT_FALSE (JuceRuntime::callOnMessageThread ([] {
        throw 1;
    }));
}

TEST (Wrapper, ThePlayHeadAnswersFromTheHostTransport)
{
    Instance i;
    juce::AudioPlayHead* head = i.wrapper->getPluginInstance().getPlayHead();
    ASSERT_NE (head, nullptr);
    const auto position = head->getPosition();
    ASSERT_TRUE (position.hasValue());
    EXPECT_EQ (position->getBpm(), juce::Optional<double> (120.0));
    ASSERT_TRUE (position->getTimeSignature().hasValue());
    EXPECT_EQ (position->getTimeSignature()->numerator, 4);
    EXPECT_EQ (position->getTimeSignature()->denominator, 4);
    EXPECT_FALSE (position->getIsPlaying());
    EXPECT_EQ (position->getTimeInSamples(), juce::Optional<int64_t> (0));
    EXPECT_EQ (position->getPpqPosition(), juce::Optional<double> (0.0));
    EXPECT_FALSE (position->getFrameRate().hasValue()); // the host declares none
}

TEST (Wrapper, ProcessorChangesAreCountedForTheHost)
{
    Instance i;
    int32_t before = -1, after = -1;
    ASSERT_EQ (i.fx->GetNumberOfChanges (&before), 0);
    i.wrapper->getPluginInstance().updateHostDisplay();
    ASSERT_EQ (i.fx->GetNumberOfChanges (&after), 0);
    EXPECT_EQ (after, before + 1);
}

TEST (Wrapper, TheAudioCallbackUsesTheInstancesChannelsAndSilencesMissingInputs)
{
    // A stereo instance whose context offers a third channel and lacks the
    // second input: channel 0 passes (bypassed), channel 1 is silence, and
    // the third output is not the instance's to touch.
    Instance i;
    float in0[4] = { 0.25f, 0.25f, 0.25f, 0.25f }, in2[4] = { 0.5f, 0.5f, 0.5f, 0.5f };
    float out0[4] = { 5, 5, 5, 5 }, out1[4] = { 5, 5, 5, 5 }, out2[4] = { 5, 5, 5, 5 };
    const float* ins[3] = { in0, nullptr, in2 };
    float* outs[3] = { out0, out1, out2 };
    const int32_t length = 4, bypass = 1, channels = 3;
    void* self = i.wrapper;
    AAXClasses::AlgorithmContext ctx { ins, outs, &length, &bypass, &self, &channels };
    void* instances[1] = { &ctx };
    JuceAAX_Processor::algorithmProcessFunction (instances, instances + 1);
    for (int s = 0; s < 4; ++s)
    {
        EXPECT_EQ (out0[s], 0.25f) << s;
        EXPECT_EQ (out1[s], 0.0f) << s;
        EXPECT_EQ (out2[s], 5.0f) << s;
    }
}
