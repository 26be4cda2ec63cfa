// Cost of the editor's drawing on the software renderer: one knob, the
// about overlay's wave, and a whole frame of the editor (background, trace of
// a full block, texts, frame lines and the five knobs). Runs without a
// display: the editor then paints in software.

#include <benchmark/benchmark.h>

#include <cmath>

#include "editor/PluginEditor.h"

namespace
{
juce::ScopedJuceInitialiser_GUI& juceRuntime()
{
    static juce::ScopedJuceInitialiser_GUI init;
    return init;
}

void BM_DrawRotaryKnob (benchmark::State& state)
{
    juce::ignoreUnused (juceRuntime());
    CustomLookAndFeel lnf;
    vqSlider knob;
    knob.setLookAndFeel (&lnf);
    knob.setSliderStyle (juce::Slider::RotaryHorizontalVerticalDrag);
    knob.setTextBoxStyle (juce::Slider::NoTextBox, false, 0, 0);
    const int size = (int) state.range (0);
    knob.setBounds (0, 0, size, size);
    knob.setValue (0.6, juce::dontSendNotification);

    juce::Image image (juce::Image::ARGB, size, size, true);
    for (auto _ : state)
    {
        juce::Graphics g (image);
        knob.paintEntireComponent (g, false);
        benchmark::DoNotOptimize (image.getPixelAt (size / 2, 0));
    }
    knob.setLookAndFeel (nullptr);
}
BENCHMARK (BM_DrawRotaryKnob)->Arg (80)->Arg (140);

void BM_AboutWave (benchmark::State& state)
{
    float phase = 0.0f;
    for (auto _ : state)
    {
        auto wave = Skorvane3AboutSplash::buildWave (600.0f, 300.0f, phase);
        benchmark::DoNotOptimize (wave);
        phase += 0.03f;
    }
}
BENCHMARK (BM_AboutWave);

void BM_EditorFrame (benchmark::State& state)
{
    juce::ignoreUnused (juceRuntime());
    Skorvane3AudioProcessor processor;
    Skorvane3AudioProcessorEditor editor (processor);

    // A full block of trace, and the animation at its end.
    const int samples = (int) state.range (0);
    juce::AudioBuffer<float> buffer (2, samples);
    for (int i = 0; i < samples; ++i)
        for (int ch = 0; ch < 2; ++ch)
            buffer.setSample (ch, i, 0.7f * std::sin (0.05f * (float) i));
    juce::MidiBuffer midi;
    processor.processBlock (buffer, midi);
    for (int i = 0; i < 200; ++i)
        editor.timerCallback();

    juce::Image image (juce::Image::RGB, 600, 300, false);
    for (auto _ : state)
    {
        juce::Graphics g (image);
        editor.paintEntireComponent (g, false);
        benchmark::DoNotOptimize (image.getPixelAt (300, 150));
    }
}
BENCHMARK (BM_EditorFrame)->Arg (128)->Arg (2048)->Unit (benchmark::kMillisecond);
} // namespace
