// Automation against audio: one thread automates all five parameters while
// another runs processBlock, as a host does with its automation and audio
// threads. A third thread plays the editor's refresh (reading values, texts,
// the change flag and the trace) and a fourth the host's chunk thread (saving
// and restoring the state). Built under ThreadSanitizer, any unsynchronised
// access in the product's code fails the run; in every build the audio must
// stay finite and the values must end where the automation left them.
#include "processor/PluginProcessor.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

// setParameter and setParameterNotifyingHost are the index-based interface
// the wrapper uses; they are marked deprecated in the framework.
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"

namespace
{
constexpr int kBlocks = 400;
constexpr int kBlockSize = 256;
constexpr int kAutomationRounds = 2000;

// What the wrapper does when the processor announces a change from the
// editor: it passes the value on to the host parameter, whose update calls
// setParameter again.
struct WrapperEcho : juce::AudioProcessorListener
{
    void audioProcessorParameterChanged (juce::AudioProcessor* p, int index, float value) override
    {
        p->setParameter (index, value);
        ++echoes;
    }
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}
    std::atomic<int> echoes { 0 };
};

float automationValue (int round, int index)
{
    // A sweep over the full range, different for every parameter, with the
    // ends included.
    const int step = (round * (index + 3) + index * 17) % 101;
    return (float) step / 100.0f;
}

struct AudioResult
{
    bool allFinite = true;
    float peak = 0.0f;
};

void runAudio (Skorvane3AudioProcessor& p, int channels, std::atomic<bool>& started, AudioResult& result)
{
    juce::AudioBuffer<float> buffer (channels, kBlockSize);
    juce::MidiBuffer midi;
    juce::Random random (42);
    started = true;

    for (int b = 0; b < kBlocks; ++b)
    {
        for (int ch = 0; ch < channels; ++ch)
            for (int j = 0; j < kBlockSize; ++j)
                buffer.setSample (ch, j, random.nextFloat() * 2.0f - 1.0f);

        // The framework holds the callback lock around every block.
        const juce::ScopedLock lock (p.getCallbackLock());
        p.processBlock (buffer, midi);

        for (int ch = 0; ch < channels; ++ch)
            for (int j = 0; j < kBlockSize; ++j)
            {
                const float x = buffer.getSample (ch, j);
                result.allFinite = result.allFinite && std::isfinite (x);
                result.peak = std::max (result.peak, std::fabs (x));
            }
    }
}

void waitFor (const std::atomic<bool>& flag)
{
    while (! flag)
        std::this_thread::yield();
}
} // namespace

TEST (ParameterRace, AutomationWhileProcessing)
{
    Skorvane3AudioProcessor p;
    p.setPlayConfigDetails (2, 2, 48000.0, kBlockSize);
    WrapperEcho echo;
    p.addListener (&echo);

    std::atomic<bool> audioStarted { false };
    AudioResult audio;
    std::thread audioThread ([&] {
        runAudio (p, 2, audioStarted, audio);
    });

    std::thread automation ([&] {
        waitFor (audioStarted);
        for (int round = 0; round < kAutomationRounds; ++round)
            for (int index = 0; index < Skorvane3AudioProcessor::kNumParameters; ++index)
            {
                // Host automation arrives as setParameter; a knob move as
                // setParameterNotifyingHost (which the listener echoes).
                if ((round + index) % 2 == 0)
                    p.setParameter (index, automationValue (round, index));
                else
                    p.setParameterNotifyingHost (index, automationValue (round, index));
            }
    });

    std::atomic<bool> stopEditor { false };
    std::thread editor ([&] {
        std::vector<float> trace (Skorvane3AudioProcessor::kScopeBufferSize);
        while (! stopEditor)
        {
            if (p.parametersChanged)
            {
                for (int index = 0; index < Skorvane3AudioProcessor::kNumParameters; ++index)
                {
                    EXPECT_LE (p.getParameterText (index).length(), 9);
                    const float v = p.getParameter (index);
                    EXPECT_TRUE (v >= 0.0f && v <= 1.0f);
                }
                p.parametersChanged = false;
            }
            const int n = p.copyScope (trace.data(), (int) trace.size());
            EXPECT_TRUE (n >= 0 && n <= (int) trace.size());
            std::this_thread::yield();
        }
    });

    automation.join();
    audioThread.join();
    stopEditor = true;
    editor.join();
    p.removeListener (&echo);

    EXPECT_TRUE (audio.allFinite);
    EXPECT_LE (audio.peak, 1.0f + 1.0e-5f); // the 0 dB gain comes from a table
    EXPECT_GT (echo.echoes.load(), 0);
    for (int index = 0; index < Skorvane3AudioProcessor::kNumParameters; ++index)
        EXPECT_FLOAT_EQ (p.getParameter (index), automationValue (kAutomationRounds - 1, index)) << "parameter " << index;
}

// The host saves and restores its state chunk on its own thread while audio
// runs and automation continues.
TEST (ParameterRace, StateChunksWhileProcessing)
{
    Skorvane3AudioProcessor p;
    p.setPlayConfigDetails (8, 8, 96000.0, kBlockSize);

    std::atomic<bool> audioStarted { false };
    AudioResult audio;
    std::thread audioThread ([&] {
        runAudio (p, 8, audioStarted, audio);
    });

    std::thread chunks ([&] {
        waitFor (audioStarted);
        juce::MemoryBlock block;
        for (int i = 0; i < 200; ++i)
        {
            p.getStateInformation (block);
            p.setStateInformation (block.getData(), (int) block.getSize());
        }
    });

    std::thread automation ([&] {
        waitFor (audioStarted);
        for (int round = 0; round < kAutomationRounds / 4; ++round)
            for (int index = 0; index < Skorvane3AudioProcessor::kNumParameters; ++index)
                p.setParameter (index, automationValue (round, index));
    });

    chunks.join();
    automation.join();
    audioThread.join();

    EXPECT_TRUE (audio.allFinite);
    EXPECT_LE (audio.peak, 1.0f + 1.0e-5f); // the 0 dB gain comes from a table
    for (int index = 0; index < Skorvane3AudioProcessor::kNumParameters; ++index)
    {
        const float v = p.getParameter (index);
        EXPECT_TRUE (v >= 0.0f && v <= 1.0f) << "parameter " << index;
    }
}
