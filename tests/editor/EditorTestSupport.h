#pragma once

#include <gtest/gtest.h>

#include "editor/PluginEditor.h"

// Process-wide JUCE GUI set-up for the editor tests, with the preset base
// folder pointed at a temporary directory (never the machine-wide one).
namespace editortest
{
// The temporary base directory that getDefaultFileLocation uses in the tests.
juce::File presetBase();

// Runs the message loop for the given time, so that timers tick and windows paint.
void pump (int milliseconds);

// Writes a preset file with the given stored name and Frequency value.
void writePreset (const juce::File& file, const juce::String& presetName, double frequency);

// A fresh temporary folder, deleted with the object.
struct TempFolder
{
    TempFolder();
    ~TempFolder();
    juce::File folder;
};

// Counts parameter change notifications sent by the processor.
struct ParameterListener : public juce::AudioProcessorListener
{
    void audioProcessorParameterChanged (juce::AudioProcessor*, int index, float value) override
    {
        ++count;
        lastIndex = index;
        lastValue = value;
    }
    void audioProcessorChanged (juce::AudioProcessor*, const ChangeDetails&) override {}

    int count = 0;
    int lastIndex = -1;
    float lastValue = -1.0f;
};
} // namespace editortest
