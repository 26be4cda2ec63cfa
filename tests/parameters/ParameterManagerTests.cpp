#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <limits>
#include <thread>
#include <vector>

#include "parameters/Skorvane3ParameterManager.h"

namespace
{
constexpr int kFreq = Skorvane3ParameterManager::kFrequency;
constexpr int kRes = Skorvane3ParameterManager::kResonance;
constexpr int kDist = Skorvane3ParameterManager::kDistortion;
constexpr int kFb = Skorvane3ParameterManager::kFeedback;
constexpr int kLevel = Skorvane3ParameterManager::kLevel;
} // namespace

TEST (ProductParameters, DefinitionsAndDefaults)
{
    Skorvane3ParameterManager pm;
    EXPECT_EQ (pm.getParameterCount(), 5);

    const char* names[] = { "Frequency", "Resonance", "Distortion", "Feedback", "Level" };
    const vq_paramTypes types[] = { paramExponential, paramLinear, paramPercent, paramDecibel, paramDecibel };
    const float mins[] = { 200, 0, 0, -60, -60 }, maxs[] = { 15000, 10, 100, -3, 0 }, defs[] = { 15000, 0, 50, -60, -3 };
    const float vst[] = { 1.0f, 0.0f, 0.5f, 0.0f, 0.95f };
    const float natural[] = { 15000, 0, 50, -60, -3 };
    for (int i = 0; i < 5; ++i)
    {
        SCOPED_TRACE (i);
        EXPECT_EQ (pm.getName (i), names[i]);
        EXPECT_EQ (pm.getType (i), types[i]);
        EXPECT_EQ (pm.getMinimumValue (i), mins[i]);
        EXPECT_EQ (pm.getMaximumValue (i), maxs[i]);
        EXPECT_EQ (pm.getDefaultValue (i), defs[i]);
        EXPECT_EQ (pm.getVSTvalue (i), vst[i]);
        EXPECT_EQ (pm.getNaturalValue (i), natural[i]);
        EXPECT_TRUE (pm.canRandomize (i));
        EXPECT_EQ (pm.getControlValue (i), pm.getVSTvalue (i));
        EXPECT_FALSE (pm.getHostSynced (i));
    }
    EXPECT_EQ (pm.getDSPValue (kFreq), 15000.0f);
    EXPECT_EQ (pm.getDSPValue (kRes), 0.0f);
    EXPECT_EQ (pm.getDSPValue (kDist), 0.5f);
    EXPECT_EQ (pm.getDSPValue (kFb), 0.0f);
    EXPECT_NEAR (pm.getDSPValue (kLevel), 0.707948f, 1e-6f);
    EXPECT_EQ (pm.getParameterCount(), 5); // reads of defined indices insert nothing
}

TEST (ProductParameters, ReapplyingStoredVstValuesKeepsNaturalValues)
{
    Skorvane3ParameterManager pm;
    const float natural[] = { 15000, 0, 50, -60, -3 };
    for (int i = 0; i < 5; ++i)
    {
        pm.setVSTvalue (i, pm.getVSTvalue (i));
        EXPECT_EQ (pm.getNaturalValue (i), natural[i]) << i;
    }
}

TEST (ProductParameters, FrequencyConversions)
{
    Skorvane3ParameterManager pm;
    const float v[] = { 0.0f, 0.25f, 0.5f, 0.75f, 1.0f };
    const float hz[] = { 200.0f, 588.567f, 1732.05f, 5097.14f, 15000.0f };
    for (int i = 0; i < 5; ++i)
    {
        pm.setVSTvalue (kFreq, v[i]);
        EXPECT_NEAR (pm.getNaturalValue (kFreq), hz[i], 0.01f) << v[i];
        EXPECT_EQ (pm.getDSPValue (kFreq), pm.getNaturalValue (kFreq));
        EXPECT_EQ (pm.getVSTvalue (kFreq), v[i]); // read back exactly as set
    }
    EXPECT_NEAR (pm.VSTvalueFromNaturalValue (kFreq, 1000.0f), 0.372772f, 1e-6f);

    pm.setNaturalValue (kFreq, 100.0f);
    EXPECT_EQ (pm.getNaturalValue (kFreq), 100.0f);
    EXPECT_EQ (pm.getVSTvalue (kFreq), 0.0f);
    EXPECT_EQ (pm.getDSPValue (kFreq), 200.0f);

    pm.setNaturalValue (kFreq, 20000.0f);
    EXPECT_EQ (pm.getNaturalValue (kFreq), 20000.0f);
    EXPECT_EQ (pm.getVSTvalue (kFreq), 1.0f);
    EXPECT_EQ (pm.getDSPValue (kFreq), 15000.0f);
}

TEST (ProductParameters, DecibelGains)
{
    Skorvane3ParameterManager pm;
    pm.setVSTvalue (kLevel, 0.0f);
    EXPECT_EQ (pm.getNaturalValue (kLevel), -60.0f);
    EXPECT_EQ (pm.getDSPValue (kLevel), 0.0f);
    pm.setVSTvalue (kLevel, 0.5f);
    EXPECT_EQ (pm.getNaturalValue (kLevel), -30.0f);
    EXPECT_NEAR (pm.getDSPValue (kLevel), 0.031623f, 1e-6f);
    pm.setVSTvalue (kLevel, 1.0f);
    EXPECT_EQ (pm.getNaturalValue (kLevel), 0.0f);
    EXPECT_EQ (pm.getDSPValue (kLevel), 1.0000001f);
    pm.setVSTvalue (kLevel, 0.95f);
    EXPECT_EQ (pm.getNaturalValue (kLevel), -3.0f);

    pm.setVSTvalue (kFb, 1.0f);
    EXPECT_EQ (pm.getNaturalValue (kFb), -3.0f);
    EXPECT_NEAR (pm.getDSPValue (kFb), 0.707946f, 1e-6f);
    pm.setVSTvalue (kFb, 0.5f);
    EXPECT_EQ (pm.getNaturalValue (kFb), -31.5f);
    EXPECT_NEAR (pm.getDSPValue (kFb), 0.026607f, 1e-6f);

    // Through the natural value the same gain comes out.
    EXPECT_NEAR (pm.dspValueFromNaturalValue (kLevel, -3.0f), 0.707948f, 1e-6f);
}

TEST (ProductParameters, OutOfRangeNaturalValuesAreHeldOnTheDspSide)
{
    Skorvane3ParameterManager pm;
    pm.setNaturalValue (kRes, 12.0f);
    EXPECT_EQ (pm.getNaturalValue (kRes), 12.0f);
    EXPECT_EQ (pm.getVSTvalue (kRes), 1.0f);
    EXPECT_EQ (pm.getDSPValue (kRes), 10.0f);

    pm.setNaturalValue (kDist, 150.0f);
    EXPECT_EQ (pm.getVSTvalue (kDist), 1.0f);
    EXPECT_EQ (pm.getDSPValue (kDist), 1.0f);
    pm.setNaturalValue (kDist, 50.0f);
    EXPECT_EQ (pm.getVSTvalue (kDist), 0.5f);
    EXPECT_EQ (pm.getDSPValue (kDist), 0.5f);

    pm.setVSTvalue (kRes, 0.37f);
    EXPECT_FLOAT_EQ (pm.getNaturalValue (kRes), 3.7f);
    EXPECT_FLOAT_EQ (pm.getDSPValue (kRes), 3.7f);

    // A natural decibel value far outside the range must not read past the table.
    EXPECT_EQ (pm.dspValueFromNaturalValue (kLevel, 500.0f), 1.0000001f);
    EXPECT_EQ (pm.dspValueFromNaturalValue (kLevel, -500.0f), 0.0f);
}

TEST (ProductParameters, VstValuesOutsideTheUnitRangeAreHeld)
{
    // State or preset text can carry any number; it must not read outside a table.
    Skorvane3ParameterManager pm;
    pm.setVSTvalue (kLevel, 5.0f);
    EXPECT_EQ (pm.getVSTvalue (kLevel), 1.0f);
    EXPECT_EQ (pm.getNaturalValue (kLevel), 0.0f);
    EXPECT_EQ (pm.getDSPValue (kLevel), 1.0000001f);

    pm.setVSTvalue (kFreq, -2.0f);
    EXPECT_EQ (pm.getVSTvalue (kFreq), 0.0f);
    EXPECT_EQ (pm.getNaturalValue (kFreq), 200.0f);

    // NaN is not a value: the stored pair stays.
    pm.setVSTvalue (kFb, 0.5f);
    pm.setVSTvalue (kFb, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ (pm.getVSTvalue (kFb), 0.5f);
    EXPECT_EQ (pm.getNaturalValue (kFb), -31.5f);
    pm.setNaturalValue (kFb, std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ (pm.getNaturalValue (kFb), -31.5f);

    pm.setVSTvalue (kRes, std::numeric_limits<float>::infinity());
    EXPECT_EQ (pm.getNaturalValue (kRes), 10.0f);
}

TEST (ProductParameters, ModulatedDspValue)
{
    Skorvane3ParameterManager pm;
    EXPECT_EQ (pm.getModulatedDSPValue (kLevel, 0.1f), 1.0000001f);
    EXPECT_EQ (pm.getVSTvalue (kLevel), 0.95f);
    EXPECT_EQ (pm.getModulatedDSPValue (kLevel, -2.0f), 0.0f);
    EXPECT_NEAR (pm.getModulatedDSPValue (kFreq, -0.5f), 1732.05f, 0.01f);
    EXPECT_EQ (pm.getModulatedDSPValue (kFreq, std::numeric_limits<float>::quiet_NaN()), 200.0f);
}

TEST (FindOrInsert, UndefinedIndicesReadAsDefaults)
{
    Skorvane3ParameterManager pm;
    EXPECT_EQ (pm.getType (7), paramLinear);
    EXPECT_EQ (pm.getName (7), "");
    EXPECT_EQ (pm.getParameterCount(), 5);
    EXPECT_EQ (pm.getVSTvalue (7), 0.0f);
    EXPECT_EQ (pm.getParameterCount(), 6);
    EXPECT_EQ (pm.getDSPValue (8), 0.0f); // no table, no range: still no fault
    EXPECT_FALSE (pm.canRandomize (9));
    EXPECT_EQ (pm.getAuxValue (9), 0);
    pm.setVSTvalue (-3, 0.5f);
    EXPECT_EQ (pm.getVSTvalue (-3), 0.5f);
}

TEST (HostSync, OnlyTimeAndRateTypesSync)
{
    Skorvane3ParameterManager pm;
    pm.setHostSynced (kRes, true);
    EXPECT_FALSE (pm.getHostSynced (kRes));
    EXPECT_EQ (pm.getAuxValue (kRes), 0);
    pm.setAuxValue (kRes, 42);
    EXPECT_EQ (pm.getAuxValue (kRes), 42);
    EXPECT_FALSE (pm.getHostSynced (kRes));
}

TEST (HostSync, SyncKeepsTheVstValueAndHoldsIndices)
{
    vq_paramManager pm;
    pm.newParameter (0, "Delay", "Dly", "ms", 1.0f, 2000.0f, 100.0f, paramTime);
    pm.newParameter (1, "T", "T", "ms", 0.0f, 1000.0f, 0.5f, paramTimeNormalized);
    pm.newParameter (2, "R", "R", "Hz", 1.0f, 16.0f, 0.5f, paramRateNormalized);
    EXPECT_FALSE (pm.getHostSynced (0));
    pm.setVSTvalue (0, 0.5f);
    pm.setHostSynced (0, true);
    EXPECT_TRUE (pm.getHostSynced (0));
    EXPECT_EQ (pm.getVSTvalue (0), 0.5f);
    EXPECT_EQ (pm.getNaturalValue (0), 7.0f);
    pm.setHostSynced (0, false);
    EXPECT_EQ (pm.getNaturalValue (0), 1000.5f);

    // Indices beyond the beat table are held at its ends.
    pm.setHostSynced (0, true);
    pm.setHostSynced (1, true);
    pm.setHostSynced (2, true);
    EXPECT_EQ (pm.dspValueFromNaturalValue (0, 99.0f), 4.0f);
    EXPECT_EQ (pm.dspValueFromNaturalValue (0, -5.0f), 0.125f);
    EXPECT_EQ (pm.dspValueFromNaturalValue (1, 3.0f), 4.0f);
    EXPECT_EQ (pm.dspValueFromNaturalValue (2, -3.0f), 0.25f);
    pm.setHostSynced (2, false);
    EXPECT_EQ (pm.dspValueFromNaturalValue (2, 3.0f), 16.0f);

    // Other types, and types outside the enumeration, read as linear.
    pm.newParameter (3, "Odd", "Odd", "", 0.0f, 10.0f, 5.0f, static_cast<vq_paramTypes> (77));
    EXPECT_EQ (pm.getVSTvalue (3), 0.5f);
    EXPECT_EQ (pm.getDSPValue (3), 5.0f);
    // A range without width gives no NaN VST value.
    pm.newParameter (4, "Flat", "Flat", "", 3.0f, 3.0f, 3.0f, paramLinear);
    EXPECT_EQ (pm.getVSTvalue (4), 0.0f);
}

TEST (GenericTypes, MetricalRoundTrip)
{
    vq_paramManager pm;
    pm.newParameter (0, "Div", "Div", "", 0.0f, 14.0f, 5.0f, paramMetrical);
    EXPECT_EQ (pm.getNaturalValue (0), 5.0f);
    EXPECT_EQ (pm.getDSPValue (0), 0.5f);
    pm.setVSTvalue (0, 1.0f);
    EXPECT_EQ (pm.getNaturalValue (0), 14.0f);
    pm.setVSTvalue (0, 0.0f);
    EXPECT_EQ (pm.getNaturalValue (0), 0.0f);
    // Every index survives the way to its VST value and back.
    for (int k = 0; k <= 14; ++k)
    {
        pm.setNaturalValue (0, static_cast<float> (k));
        pm.setVSTvalue (0, pm.getVSTvalue (0));
        EXPECT_EQ (pm.getNaturalValue (0), static_cast<float> (k)) << k;
    }
}

TEST (Definition, RedefinitionReplacesEverything)
{
    vq_paramManager pm;
    pm.newParameter (0, "Gain", "Gain", "dB", -60.0f, 0.0f, -6.0f, paramDecibel);
    pm.setRandomizeable (0, false);
    pm.newParameter (0, "Cutoff", "Cut", "Hz", 20.0f, 20000.0f, 1000.0f, paramExponential);
    EXPECT_EQ (pm.getName (0), "Cutoff");
    EXPECT_EQ (pm.getType (0), paramExponential);
    EXPECT_EQ (pm.getMinimumValue (0), 20.0f);
    EXPECT_EQ (pm.getMaximumValue (0), 20000.0f);
    EXPECT_EQ (pm.getDefaultValue (0), 1000.0f);
    EXPECT_TRUE (pm.canRandomize (0));
    EXPECT_NEAR (pm.getNaturalValue (0), 1000.0f, 0.5f);
    pm.setVSTvalue (0, 1.0f);
    EXPECT_NEAR (pm.getDSPValue (0), 20000.0f, 0.1f);
    EXPECT_EQ (pm.getParameterCount(), 1);
}

TEST (Definition, NullNamesAreEmpty)
{
    vq_paramManager pm;
    pm.newParameter (0, nullptr, nullptr, nullptr, 0.0f, 1.0f, 0.0f, paramLinear);
    EXPECT_EQ (pm.getName (0), "");
}

// The audio thread reads the Feedback and Level gains while another thread
// sets them, as automation does. Every gain it reads must be the gain of a
// value that was written (never a half-updated or intermediate one), and the
// last write must win. Under ThreadSanitizer the run also shows the
// hand-over free of data races.
TEST (Concurrency, AudioThreadReadsWhileValuesChange)
{
    constexpr int kWrites = 100000;
    const auto written = [] (int i) {
        return static_cast<float> (i % 101) / 100.0f;
    };

    // The gains of the defaults and of every value written, from a manager
    // of their own.
    std::vector<float> feedbackGains, levelGains;
    float lastFeedbackGain = 0.0f, lastLevelGain = 0.0f;
    {
        Skorvane3ParameterManager reference;
        feedbackGains.push_back (reference.getDSPValue (kFb));
        levelGains.push_back (reference.getDSPValue (kLevel));
        for (int i = 0; i < 101; ++i)
        {
            reference.setVSTvalue (kFb, written (i));
            reference.setVSTvalue (kLevel, 1.0f - written (i));
            feedbackGains.push_back (reference.getDSPValue (kFb));
            levelGains.push_back (reference.getDSPValue (kLevel));
        }
        reference.setVSTvalue (kFb, written (kWrites - 1));
        reference.setVSTvalue (kLevel, 1.0f - written (kWrites - 1));
        lastFeedbackGain = reference.getDSPValue (kFb);
        lastLevelGain = reference.getDSPValue (kLevel);
    }
    const auto isOneOf = [] (const std::vector<float>& gains, float gain) {
        return std::find (gains.begin(), gains.end(), gain) != gains.end();
    };

    Skorvane3ParameterManager pm;
    std::atomic<bool> started { false };
    std::atomic<bool> stop { false };
    std::atomic<int> reads { 0 };
    std::atomic<int> strangers { 0 };
    std::thread audio ([&] {
        do
        {
            const float fb = pm.getDSPValue (kFb);
            const float level = pm.getDSPValue (kLevel);
            if (! isOneOf (feedbackGains, fb) || ! isOneOf (levelGains, level))
                strangers.fetch_add (1);
            reads.fetch_add (1);
            started.store (true);
        } while (! stop.load());
    });
    while (! started.load())
        std::this_thread::yield();

    for (int i = 0; i < kWrites; ++i)
    {
        pm.setVSTvalue (kFb, written (i));
        pm.setVSTvalue (kLevel, 1.0f - written (i));
    }
    stop.store (true);
    audio.join();

    EXPECT_GT (reads.load(), 0);
    EXPECT_EQ (strangers.load(), 0);
    EXPECT_EQ (pm.getVSTvalue (kFb), written (kWrites - 1));
    EXPECT_EQ (pm.getDSPValue (kFb), lastFeedbackGain);
    EXPECT_EQ (pm.getDSPValue (kLevel), lastLevelGain);
    EXPECT_EQ (pm.getParameterCount(), 5);
}
