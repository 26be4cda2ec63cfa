#include "processor/PluginProcessor.h"
#include "tests/support/ReferenceChain.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <limits>
#include <thread>

namespace
{
juce::AudioBuffer<float> filledBuffer (int channels, int samples, float value)
{
    juce::AudioBuffer<float> b (channels, samples);
    for (int ch = 0; ch < channels; ++ch)
        for (int i = 0; i < samples; ++i)
            b.setSample (ch, i, value);
    return b;
}

void process (Skorvane3AudioProcessor& p, juce::AudioBuffer<float>& b)
{
    juce::MidiBuffer midi;
    p.processBlock (b, midi);
}

float levelGain (Skorvane3AudioProcessor& p)
{
    return p.parameterManager->getDSPValue (Skorvane3ParameterManager::kLevel);
}
} // namespace

TEST (Processor, NewProcessor)
{
    Skorvane3AudioProcessor p;
    EXPECT_EQ (p.currentPresetName, "default");
    EXPECT_EQ (p.presetFileTag, "sv3PresetFile");
    EXPECT_EQ (p.scopeSampleCount.load(), 128);
    EXPECT_TRUE (p.parametersChanged.load());
    for (auto& f : p.lowPassFilters)
    {
        EXPECT_FLOAT_EQ (f.getFrequency(), 15000.0f);
        EXPECT_EQ (f.feedbackAmount.load(), 0.0f);
        EXPECT_EQ (f.sampleRate.load(), 0.0f); // the framework's rate before a host prepares it
    }
    EXPECT_EQ (p.distortionState.drive.load(), 0.5f);
    EXPECT_EQ (p.distortionState.level.load(), 1.0f);
    for (float m : p.feedbackMemory)
        EXPECT_EQ (m, 0.0f);
    for (int i = 0; i < Skorvane3AudioProcessor::kScopeBufferSize; i += 1000)
        EXPECT_EQ (p.scopeBuffer[i].load(), 0.0f);
}

TEST (Processor, FixedAnswers)
{
    Skorvane3AudioProcessor p;
    EXPECT_EQ (p.getName(), "Skorvane3");
    EXPECT_EQ (p.getNumParameters(), 5);
    EXPECT_EQ (p.getParameterName (0), "Frequency");
    EXPECT_EQ (p.getParameterName (1), "Resonance");
    EXPECT_EQ (p.getParameterName (2), "Distortion");
    EXPECT_EQ (p.getParameterName (3), "Feedback");
    EXPECT_EQ (p.getParameterName (4), "Level");
    // The framework's length-limited form (deprecated with the rest of the
    // index-based interface) cuts the name.
    JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdeprecated-declarations")
    EXPECT_EQ (p.getParameterName (4, 3), "Lev");
    EXPECT_EQ (p.getParameterText (3, 4), " -60");
    JUCE_END_IGNORE_WARNINGS_GCC_LIKE
    EXPECT_EQ (p.getNumPrograms(), 1);
    EXPECT_EQ (p.getCurrentProgram(), 0);
    EXPECT_EQ (p.getProgramName (0), "");
    EXPECT_EQ (p.getInputChannelName (0), "1");
    EXPECT_EQ (p.getOutputChannelName (0), "1");
    EXPECT_EQ (p.getOutputChannelName (6), "7");
    // The highest index still names its number rather than overflowing.
    EXPECT_EQ (p.getInputChannelName (std::numeric_limits<int>::max()), "2147483648");
    EXPECT_EQ (p.getOutputChannelName (std::numeric_limits<int>::max()), "2147483648");
    EXPECT_TRUE (p.isInputChannelStereoPair (3));
    EXPECT_TRUE (p.isOutputChannelStereoPair (0));
    EXPECT_EQ (p.getTailLengthSeconds(), 0.0);
    EXPECT_FALSE (p.acceptsMidi());
    EXPECT_FALSE (p.producesMidi());
    EXPECT_FALSE (p.silenceInProducesSilenceOut());
    EXPECT_TRUE (p.hasEditor());
}

TEST (Processor, ParameterTexts)
{
    Skorvane3AudioProcessor p;
    EXPECT_EQ (p.getParameterText (0), "15000Hz");
    EXPECT_EQ (p.getParameterText (1), "   0");
    EXPECT_EQ (p.getParameterText (2), "  50%");
    EXPECT_EQ (p.getParameterText (3), " -60dB");
    EXPECT_EQ (p.getParameterText (4), "  -3dB");

    p.setParameter (0, 0.0f);
    EXPECT_EQ (p.getParameterText (0), " 200Hz");
    p.setParameter (1, 0.37f);
    EXPECT_EQ (p.getParameterText (1), "   4");
}

TEST (Processor, TextsOfOtherValuesLeaveTheStoredValue)
{
    Skorvane3AudioProcessor p;
    // For every parameter the text of its own value is its current text.
    for (int i = 0; i < Skorvane3AudioProcessor::kNumParameters; ++i)
        EXPECT_EQ (p.getParameterTextForValue (i, p.getParameter (i)), p.getParameterText (i)) << i;

    EXPECT_EQ (p.getParameterTextForValue (0, 0.5f), "1732Hz");
    EXPECT_EQ (p.getParameterTextForValue (3, 0.5f), " -32dB");
    EXPECT_EQ (p.getParameterTextForValue (2, 2.0f), " 100%");
    EXPECT_EQ (p.getParameterTextForValue (4, std::nanf ("")), " -60dB");
    EXPECT_EQ (p.getParameterTextForValue (7, 0.5f), "");
    EXPECT_EQ (p.getParameter (0), 1.0f);
    EXPECT_EQ (p.getParameterText (0), "15000Hz");
    EXPECT_EQ (p.parameterManager->getParameterCount(), 5);
}

TEST (Processor, UndefinedIndicesAnswerEmpty)
{
    Skorvane3AudioProcessor p;
    EXPECT_EQ (p.getParameter (5), 0.0f);
    EXPECT_EQ (p.getParameter (-1), 0.0f);
    EXPECT_EQ (p.getParameterName (9), "");
    EXPECT_EQ (p.getParameterText (-3), "");
    // The manager's table did not grow.
    EXPECT_EQ (p.parameterManager->getParameterCount(), 5);
}

TEST (Processor, SetParameterOutsideRangeOnlyRaisesFlag)
{
    Skorvane3AudioProcessor p;
    for (int index : { 5, 7, -1 })
    {
        p.parametersChanged = false;
        p.setParameter (index, 0.3f);
        EXPECT_TRUE (p.parametersChanged.load()) << index;
    }

    for (int i = 0; i < 5; ++i)
        EXPECT_EQ (p.getParameter (i), p.parameterManager->getVSTvalue (i));
    EXPECT_FLOAT_EQ (p.getParameter (0), 1.0f);
    EXPECT_FLOAT_EQ (p.lowPassFilters[0].getFrequency(), 15000.0f);
    EXPECT_EQ (p.distortionState.drive.load(), 0.5f);
    EXPECT_EQ (p.parameterManager->getParameterCount(), 5);
}

TEST (Processor, SetParameterReachesBlocks)
{
    Skorvane3AudioProcessor p;
    p.setParameter (1, 0.4f);
    for (auto& f : p.lowPassFilters)
        EXPECT_EQ (f.feedbackAmount.load(), 1.0f);

    p.setParameter (0, 0.5f);
    const float natural = p.parameterManager->getNaturalValue (0);
    EXPECT_NEAR (natural, 1732.0f, 1.0f);
    for (auto& f : p.lowPassFilters)
        EXPECT_EQ (f.getFrequency(), natural);

    p.setParameter (2, 0.25f);
    EXPECT_EQ (p.distortionState.drive.load(), 0.25f);
    EXPECT_EQ (p.getParameter (2), 0.25f);

    p.parametersChanged = false;
    p.setParameter (4, 0.5f);
    EXPECT_TRUE (p.parametersChanged.load());
    EXPECT_FLOAT_EQ (p.parameterManager->getNaturalValue (4), -30.0f);
}

TEST (Processor, SetParameterHoldsValuesInUnitRange)
{
    Skorvane3AudioProcessor p;
    p.setParameter (1, 1.5f);
    EXPECT_EQ (p.getParameter (1), 1.0f);
    EXPECT_EQ (p.lowPassFilters[3].feedbackAmount.load(), 2.5f);
    p.setParameter (4, -0.2f);
    EXPECT_EQ (p.getParameter (4), 0.0f);
    p.setParameter (2, std::nanf (""));
    EXPECT_EQ (p.getParameter (2), 0.0f);
    EXPECT_EQ (p.distortionState.drive.load(), 0.0f);
}

TEST (Processor, SilentInputSettlesToDistortionOffset)
{
    Skorvane3AudioProcessor p;
    p.setPlayConfigDetails (2, 2, 48000.0, 512);
    for (int block = 0; block < 20; ++block)
    {
        auto b = filledBuffer (2, 512, 0.0f);
        process (p, b);
        if (block == 19)
        {
            EXPECT_NEAR (b.getSample (0, 511), 0.001333f * levelGain (p), 1e-7f);
            EXPECT_NEAR (b.getSample (1, 511), 0.001333f * levelGain (p), 1e-7f);
            EXPECT_NEAR (p.scopeBuffer[511].load(), 0.001333f, 1e-7f);
        }
    }
    EXPECT_EQ (p.scopeSampleCount.load(), 512);
    EXPECT_NEAR (levelGain (p), 0.707948f, 1e-5f);
}

TEST (Processor, ChainMatchesTheBlocksRunByHand)
{
    Skorvane3AudioProcessor p;
    p.setPlayConfigDetails (2, 2, 48000.0, 256);
    p.setParameter (0, 0.6f);
    p.setParameter (1, 0.3f);
    p.setParameter (2, 0.7f);
    p.setParameter (3, 0.9f);
    p.setParameter (4, 0.8f);

    testsupport::ReferenceChain reference (testsupport::ReferenceChain::Settings::of (p));
    ASSERT_EQ (reference.settings.sampleRate, 48000.0);
    ASSERT_EQ (reference.settings.drive, 0.7f);
    ASSERT_GT (reference.settings.feedbackGain, 0.3f);

    for (int block = 0; block < 4; ++block)
    {
        juce::AudioBuffer<float> b (2, 256);
        for (int i = 0; i < 256; ++i)
        {
            const int n = block * 256 + i;
            b.setSample (0, i, 0.8f * std::sin (0.05f * (float) n));
            b.setSample (1, i, (n % 50) < 25 ? 0.3f : -0.3f);
        }
        juce::AudioBuffer<float> expected (b);
        float scope[256];
        process (p, b);
        reference.process (expected, scope);

        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < 256; ++i)
            {
                ASSERT_FLOAT_EQ (b.getSample (ch, i), expected.getSample (ch, i)) << "channel " << ch << " sample " << i;
                if (ch == 0)
                {
                    ASSERT_FLOAT_EQ (p.scopeBuffer[i].load(), scope[i]);
                }
            }
    }
}

TEST (Processor, OneInputTwoOutputs)
{
    Skorvane3AudioProcessor p;
    p.setPlayConfigDetails (1, 2, 44100.0, 64);
    ASSERT_EQ (p.getTotalNumInputChannels(), 1);
    ASSERT_EQ (p.getTotalNumOutputChannels(), 2);
    auto b = filledBuffer (2, 64, 0.7f);
    process (p, b);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ (b.getSample (1, i), 0.0f);
    EXPECT_NE (b.getSample (0, 63), 0.0f);
    EXPECT_NE (p.feedbackMemory[0], 0.0f);
    EXPECT_EQ (p.feedbackMemory[1], 0.0f);
}

TEST (Processor, EmptyBlock)
{
    Skorvane3AudioProcessor p;
    p.setPlayConfigDetails (2, 2, 44100.0, 64);
    juce::AudioBuffer<float> b (2, 0);
    process (p, b);
    EXPECT_EQ (p.scopeSampleCount.load(), 0);
    EXPECT_EQ (p.feedbackMemory[0], 0.0f);

    juce::AudioBuffer<float> none (0, 16);
    process (p, none);
    EXPECT_EQ (p.scopeSampleCount.load(), 16);
}

TEST (Processor, SampleRateChangeClearsFiltersButKeepsFeedback)
{
    Skorvane3AudioProcessor p;
    p.setPlayConfigDetails (2, 2, 44100.0, 128);
    p.setParameter (3, 0.5f);
    auto b = filledBuffer (2, 128, 0.4f);
    process (p, b);
    EXPECT_EQ (p.lowPassFilters[0].sampleRate.load(), 44100.0f);
    ASSERT_NE (p.lowPassFilters[0].stage2Output, 0.0f);
    const float memory = p.feedbackMemory[0];
    ASSERT_NE (memory, 0.0f);

    p.setRateAndBufferSizeDetails (96000.0, 128);
    juce::AudioBuffer<float> empty (2, 0);
    process (p, empty);
    for (auto& f : p.lowPassFilters)
    {
        EXPECT_EQ (f.sampleRate.load(), 96000.0f);
        EXPECT_EQ (f.stage1State, 0.0f);
        EXPECT_EQ (f.stage2Output, 0.0f);
        EXPECT_FLOAT_EQ (f.getFrequency(), 15000.0f);
    }
    EXPECT_EQ (p.feedbackMemory[0], memory);
    EXPECT_EQ (p.lastSampleRate, 96000.0);

    // A lower rate is adopted as well, once.
    p.setRateAndBufferSizeDetails (22050.0, 128);
    process (p, b);
    EXPECT_EQ (p.lowPassFilters[7].sampleRate.load(), 22050.0f);
    const float state = p.lowPassFilters[0].stage2Output;
    ASSERT_NE (state, 0.0f);
    process (p, empty);
    EXPECT_EQ (p.lowPassFilters[0].stage2Output, state);
}

TEST (Processor, BlockBeforeAnySampleRateStaysFinite)
{
    // Outside a host the rate is 0 until the processor is prepared.
    Skorvane3AudioProcessor p;
    auto b = filledBuffer (2, 256, 0.5f);
    process (p, b);
    for (int i = 0; i < 256; ++i)
        ASSERT_TRUE (std::isfinite (b.getSample (0, i)));

    p.setPlayConfigDetails (2, 2, 48000.0, 256);
    auto c = filledBuffer (2, 256, 0.5f);
    process (p, c);
    EXPECT_TRUE (std::isfinite (c.getSample (1, 255)));
    EXPECT_TRUE (std::isfinite (p.feedbackMemory[1]));
}

TEST (Processor, LowRateKeepsTopCutoffBounded)
{
    Skorvane3AudioProcessor p;
    p.setPlayConfigDetails (1, 1, 22050.0, 512);
    p.setParameter (1, 1.0f);
    p.setParameter (3, 1.0f);
    for (int block = 0; block < 50; ++block)
    {
        auto b = filledBuffer (1, 512, block % 2 == 0 ? 0.9f : -0.9f);
        process (p, b);
        for (int i = 0; i < 512; ++i)
            ASSERT_LE (std::fabs (b.getSample (0, i)), 1.000001f);
    }
    EXPECT_TRUE (std::isfinite (p.feedbackMemory[0]));
}

TEST (Processor, ClipKeepsPreClipSumAsFeedback)
{
    Skorvane3AudioProcessor p;
    p.setPlayConfigDetails (1, 1, 44100.0, 1);
    p.setParameter (3, 1.0f); // -3 dB feedback
    const float fb = p.parameterManager->getDSPValue (3);
    p.feedbackMemory[0] = 4.0f;
    auto b = filledBuffer (1, 1, 0.0f);
    process (p, b);
    EXPECT_EQ (p.scopeBuffer[0].load(), 1.0f);
    EXPECT_EQ (b.getSample (0, 0), levelGain (p));
    EXPECT_GT (p.feedbackMemory[0], 2.0f);
    EXPECT_NEAR (p.feedbackMemory[0], fb * 4.0f, 0.01f);

    p.feedbackMemory[0] = -6.0f;
    auto c = filledBuffer (1, 1, 0.0f);
    process (p, c);
    EXPECT_EQ (p.scopeBuffer[0].load(), -1.0f);
}

TEST (Processor, LongBlockKeepsLastSamplesInScope)
{
    Skorvane3AudioProcessor p;
    const int n = 10000;
    p.setPlayConfigDetails (2, 2, 48000.0, n);
    juce::AudioBuffer<float> b (2, n);
    for (int i = 0; i < n; ++i)
    {
        b.setSample (0, i, 0.9f * std::sin (0.01f * (float) i));
        b.setSample (1, i, 0.5f * std::cos (0.003f * (float) i));
    }
    // Every sample of every channel runs the chain, not only the scope's part.
    juce::AudioBuffer<float> expected (b);
    testsupport::ReferenceChain (testsupport::ReferenceChain::Settings::of (p)).process (expected);
    process (p, b);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < n; ++i)
            ASSERT_EQ (b.getSample (ch, i), expected.getSample (ch, i)) << "channel " << ch << " sample " << i;
    ASSERT_EQ (p.scopeSampleCount.load(), Skorvane3AudioProcessor::kScopeBufferSize);
    const float level = levelGain (p);
    const int offset = n - Skorvane3AudioProcessor::kScopeBufferSize;
    for (int i = 0; i < Skorvane3AudioProcessor::kScopeBufferSize; i += 97)
        EXPECT_FLOAT_EQ (p.scopeBuffer[i].load() * level, b.getSample (0, i + offset));
    EXPECT_FLOAT_EQ (p.scopeBuffer[8191].load() * level, b.getSample (0, n - 1));

    float copy[Skorvane3AudioProcessor::kScopeBufferSize + 10];
    EXPECT_EQ (p.copyScope (copy, Skorvane3AudioProcessor::kScopeBufferSize + 10), 8192);
    EXPECT_EQ (p.copyScope (copy, 100), 100);
    EXPECT_EQ (copy[99], p.scopeBuffer[99].load());
    EXPECT_EQ (p.copyScope (copy, -5), 0);
}

TEST (Processor, ChannelsBeyondEightAreSilenced)
{
    Skorvane3AudioProcessor p;
    p.setPlayConfigDetails (10, 10, 44100.0, 32);
    ASSERT_EQ (p.getTotalNumInputChannels(), 10);
    auto b = filledBuffer (10, 32, 0.5f);
    process (p, b);
    for (int ch = 0; ch < 8; ++ch)
        EXPECT_NE (b.getSample (ch, 31), 0.0f) << ch;
    for (int ch = 8; ch < 10; ++ch)
        EXPECT_EQ (b.getMagnitude (ch, 0, 32), 0.0f) << ch;
}

TEST (Processor, BufferSmallerThanLayoutIsSafe)
{
    Skorvane3AudioProcessor p;
    p.setPlayConfigDetails (4, 4, 44100.0, 32);
    auto b = filledBuffer (1, 32, 0.5f);
    process (p, b);
    EXPECT_NE (b.getSample (0, 31), 0.5f);
}

TEST (Processor, CreatePluginFilter)
{
    std::unique_ptr<juce::AudioProcessor> p (createPluginFilter());
    ASSERT_NE (dynamic_cast<Skorvane3AudioProcessor*> (p.get()), nullptr);
    EXPECT_EQ (p->getName(), "Skorvane3");
}

TEST (Processor, ParameterChangesWhileProcessing)
{
    // The audio thread processes while another thread sets parameters and
    // restores state and this thread reads what the editor reads. Run under
    // the thread sanitizer this shows the hand-over is free of data races.
    Skorvane3AudioProcessor p;
    p.setPlayConfigDetails (2, 2, 48000.0, 256);
    juce::MemoryBlock state;
    p.getStateInformation (state);

    std::atomic<bool> stop { false };
    std::thread audio ([&] {
        auto b = filledBuffer (2, 256, 0.0f);
        juce::MidiBuffer midi;
        for (int n = 0; ! stop.load(); ++n)
        {
            for (int i = 0; i < 256; ++i)
                b.setSample (0, i, std::sin (0.02f * (float) (n * 256 + i)));
            p.processBlock (b, midi);
        }
    });
    std::thread host ([&] {
        juce::Random random (1);
        for (int n = 0; n < 2000; ++n)
        {
            p.setParameter (n % 5, random.nextFloat());
            if (n % 100 == 0)
                p.setStateInformation (state.getData(), (int) state.getSize());
        }
    });

    // The clip's form |y + 1| - |y - 1| may land one rounding step beyond 1.
    float scope[Skorvane3AudioProcessor::kScopeBufferSize];
    int outOfRange = 0;
    for (int n = 0; n < 2000; ++n)
    {
        if (p.parametersChanged.load())
            p.parametersChanged = false;
        const int count = p.copyScope (scope, Skorvane3AudioProcessor::kScopeBufferSize);
        for (int i = 0; i < count; ++i)
            if (! (std::fabs (scope[i]) <= 1.000001f))
                ++outOfRange;
        p.getParameterText (n % 5);
    }

    host.join();
    stop = true;
    audio.join();
    EXPECT_EQ (outOfRange, 0);
    for (float m : p.feedbackMemory)
        EXPECT_TRUE (std::isfinite (m));
}
