#include "EditorTestSupport.h"

#include <cmath>
#include <cstdlib>
#include <utility>

#include <X11/Xlib.h>
#include <X11/Xutil.h>

using editortest::pump;

namespace
{
class Editor : public ::testing::Test
{
protected:
    void SetUp() override
    {
        processor = std::make_unique<Skorvane3AudioProcessor>();
        editor = std::make_unique<Skorvane3AudioProcessorEditor> (*processor);
        processor->addListener (&listener);
    }

    void TearDown() override
    {
        editor.reset();
        processor->removeListener (&listener);
        processor.reset();
    }

    void tick (int count)
    {
        for (int i = 0; i < count; ++i)
            editor->timerCallback();
    }

    // A synthetic left-button mouse event on a component.
    static juce::MouseEvent mouseEventOn (juce::Component& c, juce::Point<float> pos, juce::Point<float> downPos,
                                          bool dragged)
    {
        const auto now = juce::Time::getCurrentTime();
        return juce::MouseEvent (juce::Desktop::getInstance().getMainMouseSource(), pos,
                                 juce::ModifierKeys (juce::ModifierKeys::leftButtonModifier), 1.0f, 0.0f, 0.0f, 0.0f, 0.0f,
                                 &c, &c, now, downPos, now, 1, dragged);
    }

    std::unique_ptr<Skorvane3AudioProcessor> processor;
    std::unique_ptr<Skorvane3AudioProcessorEditor> editor;
    editortest::ParameterListener listener;
};

bool isTurquoise (juce::Colour c)
{
    return c.getGreen() > c.getRed() + 40 && c.getBlue() > c.getRed() + 40;
}
} // namespace

TEST_F (Editor, OpeningAnimationRevealsInStagesAndSettles)
{
    auto alphas = [this] {
        juce::String s;
        for (auto& k : editor->sliders)
            s << (int) k.getAlpha();
        s << "/";
        for (auto& l : editor->valueLabels)
            s << (int) l.getAlpha();
        return s;
    };

    EXPECT_EQ (alphas(), juce::String ("00100/00000"));
    EXPECT_EQ (editor->revealAmount, 0.0f);

    tick (1);
    EXPECT_FLOAT_EQ (editor->revealAmount, 36.0f);
    tick (1);
    EXPECT_NEAR (editor->revealAmount, 64.8f, 1e-4);

    tick (8); // tick 10
    EXPECT_NEAR (editor->revealAmount, 160.67f, 0.01);
    EXPECT_EQ (alphas(), juce::String ("00100/00000"));
    tick (1); // tick 11
    EXPECT_EQ (alphas(), juce::String ("01110/00100"));

    tick (9); // tick 20
    EXPECT_NEAR (editor->revealAmount, 177.92f, 0.01);
    EXPECT_EQ (alphas(), juce::String ("01110/00100"));
    tick (1); // tick 21
    EXPECT_EQ (alphas(), juce::String ("11111/01110"));

    tick (9); // tick 30
    EXPECT_EQ (alphas(), juce::String ("11111/01110"));
    tick (1); // tick 31
    EXPECT_EQ (alphas(), juce::String ("11111/11111"));

    tick (149); // tick 180
    const float settled = editor->revealAmount;
    EXPECT_NEAR (settled, 180.0f, 1e-4);
    EXPECT_LT (settled, 180.0f);

    tick (50);
    EXPECT_EQ (editor->revealTick, 230);
    EXPECT_EQ (editor->revealAmount, settled);
}

TEST_F (Editor, KnobsFollowHostChangesWithinOneTickWithoutEchoingThem)
{
    tick (1); // the processor starts with its flag raised: first refresh
    EXPECT_FALSE ((bool) processor->parametersChanged);

    processor->setParameter (1, 0.4f);
    processor->setParameter (0, 0.25f);
    EXPECT_TRUE ((bool) processor->parametersChanged);

    tick (1);
    EXPECT_NEAR (editor->sliders[1].getValue(), 0.4, 1e-6);
    EXPECT_NEAR (editor->sliders[0].getValue(), 0.25, 1e-6);
    EXPECT_EQ (editor->valueLabels[1].getText(), processor->getParameterText (1));
    EXPECT_EQ (editor->valueLabels[0].getText(), processor->getParameterText (0));
    EXPECT_FALSE ((bool) processor->parametersChanged);

    // The refresh itself sends nothing back to the processor or the host.
    EXPECT_EQ (listener.count, 0);

    // Without a raised flag the knobs are left alone.
    editor->sliders[4].setValue (0.1, juce::dontSendNotification);
    tick (1);
    EXPECT_NEAR (editor->sliders[4].getValue(), 0.1, 1e-6);
}

TEST (EditorRefresh, AChangeWhileTheValuesAreReadIsShownOnTheNextTick)
{
    // Frequency changes while the editor reads the last value text, as when
    // the host automates it from another thread at that moment.
    struct ChangedWhileRead : Skorvane3AudioProcessor
    {
        using Skorvane3AudioProcessor::getParameterText;
        const juce::String getParameterText (int i) override
        {
            if (i == 4 && std::exchange (armed, false))
                setParameter (0, 0.25f);
            return Skorvane3AudioProcessor::getParameterText (i);
        }
        bool armed = false;
    } processor;
    Skorvane3AudioProcessorEditor editor (processor); // reads the texts too
    processor.armed = true;
    editor.timerCallback();
    editor.timerCallback();
    EXPECT_NEAR (editor.sliders[0].getValue(), 0.25, 1e-6);
}

TEST_F (Editor, KnobChangeReachesProcessorAndHostOnTheSliderGrid)
{
    editor->sliders[3].setValue (0.25, juce::sendNotificationSync);
    EXPECT_EQ (listener.count, 1);
    EXPECT_EQ (listener.lastIndex, 3);
    EXPECT_FLOAT_EQ (listener.lastValue, 0.25f);
    EXPECT_FLOAT_EQ (processor->getParameter (3), 0.25f);
    EXPECT_TRUE ((bool) processor->parametersChanged);

    editor->sliders[0].setValue (0.12345, juce::sendNotificationSync);
    EXPECT_NEAR (processor->getParameter (0), 0.123f, 1e-6);

    // The value text follows on the next tick.
    tick (1);
    EXPECT_EQ (editor->valueLabels[3].getText(), processor->getParameterText (3));
}

TEST_F (Editor, MouseDragOnAKnobSendsItsValues)
{
    auto& knob = editor->sliders[2];
    const float before = processor->getParameter (2);
    const juce::Point<float> start (70.0f, 70.0f);

    knob.mouseDown (mouseEventOn (knob, start, start, false));
    for (float dy = 5.0f; dy <= 50.0f; dy += 5.0f)
        knob.mouseDrag (mouseEventOn (knob, start.translated (0.0f, -dy), start, true));
    knob.mouseUp (mouseEventOn (knob, start.translated (0.0f, -50.0f), start, true));

    EXPECT_GT (listener.count, 1);
    EXPECT_EQ (listener.lastIndex, 2);
    EXPECT_GT (processor->getParameter (2), before);
    EXPECT_FLOAT_EQ (processor->getParameter (2), (float) knob.getValue());
    // Values lie on the knob's 0.001 grid.
    const float v = processor->getParameter (2) * 1000.0f;
    EXPECT_NEAR (v, std::round (v), 1e-3);
}

TEST_F (Editor, TraceCopiesTheLatestBlockOnly)
{
    processor->setPlayConfigDetails (2, 2, 44100.0, 64);
    processor->prepareToPlay (44100.0, 64);

    juce::AudioBuffer<float> buffer (2, 64);
    for (int i = 0; i < 64; ++i)
    {
        buffer.setSample (0, i, 0.8f * std::sin (0.3f * (float) i));
        buffer.setSample (1, i, 0.0f);
    }
    juce::MidiBuffer midi;
    processor->processBlock (buffer, midi);
    ASSERT_EQ ((int) processor->scopeSampleCount, 64);

    tick (1);
    for (int i = 0; i < 64; ++i)
        EXPECT_EQ (editor->scopeSamples[i], (float) processor->scopeBuffer[i]) << i;
    EXPECT_EQ (editor->scopeSamples[64], 0.0f);

    // An empty block copies nothing: the old trace stays.
    const float kept = editor->scopeSamples[10];
    juce::AudioBuffer<float> empty (2, 0);
    processor->processBlock (empty, midi);
    ASSERT_EQ ((int) processor->scopeSampleCount, 0);
    tick (1);
    EXPECT_EQ (editor->scopeSamples[10], kept);
}

TEST_F (Editor, AboutOverlayOpensOverTheEditorAndClosesOnClick)
{
    editor->buttonClicked (&editor->aboutButton);
    juce::Component::SafePointer<Skorvane3AboutSplash> splash (editor->getAboutSplash());
    ASSERT_NE (splash.getComponent(), nullptr);

    EXPECT_EQ (splash->getBounds(), juce::Rectangle<int> (0, 0, 600, 300));
    EXPECT_TRUE (splash->isVisible());
    EXPECT_EQ (editor->getChildComponent (editor->getNumChildComponents() - 1), splash.getComponent());
    EXPECT_EQ (splash->wavePhase, 0.0f);

    splash->mouseDrag (mouseEventOn (*splash, { 10.0f, 10.0f }, { 5.0f, 5.0f }, true));
    EXPECT_EQ (splash->getBounds(), juce::Rectangle<int> (0, 0, 600, 300));

    splash->mouseDown (mouseEventOn (*splash, { 100.0f, 100.0f }, { 100.0f, 100.0f }, false));
    EXPECT_EQ (splash.getComponent(), nullptr);
    EXPECT_EQ (editor->getAboutSplash(), nullptr);

    // Opening again starts a new overlay at phase 0.
    auto* again = editor->openAboutSplash();
    for (int i = 0; i < 5; ++i)
        again->timerCallback();
    EXPECT_NE (again->wavePhase, 0.0f);
    editor->buttonClicked (&editor->aboutButton);
    EXPECT_EQ (editor->getAboutSplash()->wavePhase, 0.0f);
}

TEST_F (Editor, AboutOverlayCoversTheEditorWhereverTheEditorLies)
{
    // A host window that places the editor below a bar of its own.
    juce::Component hostView;
    hostView.setSize (700, 400);
    hostView.addAndMakeVisible (*editor);
    editor->setTopLeftPosition (50, 40);

    editor->buttonClicked (&editor->aboutButton);
    auto* splash = editor->getAboutSplash();
    ASSERT_NE (splash, nullptr);
    EXPECT_EQ (splash->getBounds(), editor->getLocalBounds());
    EXPECT_EQ (splash->getScreenBounds(), editor->getScreenBounds());

    hostView.removeChildComponent (editor.get());
}

TEST_F (Editor, OverlaysStillOpenAreDeletedWithTheEditor)
{
    juce::Component::SafePointer<Skorvane3AboutSplash> first (editor->openAboutSplash());
    juce::Component::SafePointer<Skorvane3AboutSplash> second (editor->openAboutSplash());
    ASSERT_NE (first.getComponent(), nullptr);
    ASSERT_NE (second.getComponent(), nullptr);
    editor.reset();
    EXPECT_EQ (first.getComponent(), nullptr);
    EXPECT_EQ (second.getComponent(), nullptr);
}

TEST (AboutSplash, WavePhaseAndGeometry)
{
    Skorvane3AboutSplash splash;
    EXPECT_STREQ (splash.versionText, "v1.0.1");
    for (int i = 0; i < 100; ++i)
        splash.timerCallback();
    EXPECT_NEAR (splash.wavePhase, 3.0f, 1e-4);

    EXPECT_TRUE (Skorvane3AboutSplash::buildWave (5.0f, 300.0f, 0.0f).isEmpty());

    const auto one = Skorvane3AboutSplash::buildWave (6.0f, 300.0f, 0.0f).getBounds();
    EXPECT_NEAR (one.getX(), 4.0f, 1e-3);
    EXPECT_NEAR (one.getRight(), 6.0f, 1e-3);
    // At phase 0 the first column sits on the centre line.
    EXPECT_NEAR (one.getCentreY(), 150.0f, 1e-3);

    // 60 columns on 600 pixels; the slow wave within 120..180, the fast one within 90..210.
    for (float phase = 0.0f; phase < 7.0f; phase += 0.37f)
    {
        const auto b = Skorvane3AboutSplash::buildWave (600.0f, 300.0f, phase).getBounds();
        EXPECT_NEAR (b.getX(), 4.0f, 1e-3);
        EXPECT_NEAR (b.getRight(), 596.0f, 1e-3);
        EXPECT_GE (b.getY(), 89.0f - 1e-3f);
        EXPECT_LE (b.getBottom(), 211.0f + 1e-3f);
    }
}

TEST_F (Editor, LookAndFeelStaysValidWhileAnyEditorIsOpen)
{
    auto* first = dynamic_cast<CustomLookAndFeel*> (&juce::LookAndFeel::getDefaultLookAndFeel());
    ASSERT_NE (first, nullptr);

    {
        auto second = std::make_unique<Skorvane3AudioProcessorEditor> (*processor);
        EXPECT_NE (dynamic_cast<CustomLookAndFeel*> (&juce::LookAndFeel::getDefaultLookAndFeel()), nullptr);
    }

    // The first editor is still open: its look and feel is still the default.
    EXPECT_EQ (dynamic_cast<CustomLookAndFeel*> (&juce::LookAndFeel::getDefaultLookAndFeel()), first);

    editor.reset();
    // With no editor left, the default is the framework's own again.
    EXPECT_EQ (dynamic_cast<CustomLookAndFeel*> (&juce::LookAndFeel::getDefaultLookAndFeel()), nullptr);
}

TEST_F (Editor, SnapshotShowsGradientBackgroundAndKnobs)
{
    processor->setParameter (2, 0.75f);
    tick (200);

    const auto image = editor->createComponentSnapshot (editor->getLocalBounds(), true, 1.0f);
    ASSERT_EQ (image.getWidth(), 600);
    ASSERT_EQ (image.getHeight(), 300);

    const auto outFile = juce::File (SKORVANE3_TEST_OUTPUT_DIR).getChildFile ("editor-snapshot.png");
    outFile.deleteFile();
    {
        juce::FileOutputStream out (outFile);
        ASSERT_TRUE (out.openedOk());
        ASSERT_TRUE (juce::PNGImageFormat().writeImageToStream (image, out));
    }

    // Not a black frame: grey near the top, fading towards black at the bottom.
    const auto top = image.getPixelAt (5, 5);
    const auto bottom = image.getPixelAt (5, 295);
    EXPECT_NEAR (top.getRed(), 63, 6);
    EXPECT_EQ (top.getRed(), top.getGreen());
    EXPECT_EQ (top.getGreen(), top.getBlue());
    EXPECT_LT (bottom.getRed(), 8);
    const auto middle = image.getPixelAt (5, 150);
    EXPECT_NEAR (middle.getRed(), 32, 5);

    // The dot grid: one pixel of grey 0.2 every 10 pixels, as the shader draws
    // it (its test passes only the first row and column of each 10).
    EXPECT_NEAR (image.getPixelAt (0, 250).getRed(), 51, 2);
    EXPECT_NE (image.getPixelAt (0, 250).getRed(), image.getPixelAt (5, 250).getRed());
    EXPECT_NEAR (image.getPixelAt (1, 250).getRed(), image.getPixelAt (5, 250).getRed(), 1);
    EXPECT_NEAR (image.getPixelAt (0, 251).getRed(), image.getPixelAt (5, 251).getRed(), 1);
    EXPECT_NEAR (image.getPixelAt (1, 251).getRed(), image.getPixelAt (5, 251).getRed(), 1);

    // The Distortion knob's turquoise value arc (radius 52.5 around 300, 210),
    // at 300 degrees clockwise from straight up, within the value of 0.75.
    const double angle = 300.0 * juce::MathConstants<double>::pi / 180.0;
    const int ax = (int) std::lround (300.0 + 52.5 * std::sin (angle));
    const int ay = (int) std::lround (210.0 - 52.5 * std::cos (angle));
    EXPECT_TRUE (isTurquoise (image.getPixelAt (ax, ay))) << image.getPixelAt (ax, ay).toString();
    // ... and the Frequency knob's arc (radius 30 around 80, 200) at its start.
    const double start = 1.3 * juce::MathConstants<double>::pi;
    EXPECT_TRUE (isTurquoise (image.getPixelAt ((int) std::lround (80.0 + 30.0 * std::sin (start)),
                                                (int) std::lround (200.0 - 30.0 * std::cos (start)))));
}

// Runs with the display's OpenGL (the shader must compile under Mesa) and,
// registered a second time with SKORVANE3_EXPECT_NO_OPENGL set, on a display
// without OpenGL, where the editor must fall back to painting in software.
TEST_F (Editor, OnScreenFrameShowsBackgroundAndKnobs)
{
    const bool expectOpenGL = std::getenv ("SKORVANE3_EXPECT_NO_OPENGL") == nullptr;

    editor->setVisible (true);
    editor->addToDesktop (0);

    for (int i = 0; i < 100 && ! editor->lastPaintUsedShader() && ! editor->isPaintingInSoftware(); ++i)
        pump (50);

    if (expectOpenGL)
    {
        EXPECT_TRUE (editor->lastPaintUsedShader());
        EXPECT_FALSE (editor->isPaintingInSoftware());
    }
    else
    {
        EXPECT_TRUE (editor->isPaintingInSoftware());
        EXPECT_FALSE (editor->lastPaintUsedShader());
    }

    // Read back what the display shows where the editor's window lies.
    pump (300);
    const auto origin = editor->getScreenPosition();
    auto* display = XOpenDisplay (nullptr);
    ASSERT_NE (display, nullptr);
    auto* shot = XGetImage (display, DefaultRootWindow (display), origin.x, origin.y, 600, 300, AllPlanes, ZPixmap);
    ASSERT_NE (shot, nullptr);
    juce::Image frame (juce::Image::RGB, 600, 300, false);
    for (int y = 0; y < 300; ++y)
        for (int x = 0; x < 600; ++x)
        {
            const auto v = XGetPixel (shot, x, y);
            frame.setPixelAt (x, y, juce::Colour ((juce::uint8) ((v >> 16) & 0xff), (juce::uint8) ((v >> 8) & 0xff), (juce::uint8) (v & 0xff)));
        }
    XDestroyImage (shot);
    XCloseDisplay (display);
    editor->removeFromDesktop();

    const auto outFile = juce::File (SKORVANE3_TEST_OUTPUT_DIR)
                             .getChildFile (expectOpenGL ? "editor-opengl-frame.png" : "editor-software-frame.png");
    outFile.deleteFile();
    {
        juce::FileOutputStream out (outFile);
        ASSERT_TRUE (out.openedOk());
        ASSERT_TRUE (juce::PNGImageFormat().writeImageToStream (frame, out));
    }

    // The shader's gradient: grey 0.25 at the top, 0.125 half-way down, and
    // its dot grid of grey 0.2.
    EXPECT_NEAR (frame.getPixelAt (5, 5).getRed(), 62, 5);
    EXPECT_NEAR (frame.getPixelAt (5, 150).getRed(), 32, 4);
    EXPECT_LT (frame.getPixelAt (5, 297).getRed(), 6);
    EXPECT_NEAR (frame.getPixelAt (20, 250).getRed(), 51, 2);
    // Each dot is a single pixel, with OpenGL and without.
    EXPECT_NEAR (frame.getPixelAt (21, 250).getRed(), frame.getPixelAt (25, 250).getRed(), 1);
    EXPECT_NEAR (frame.getPixelAt (20, 251).getRed(), frame.getPixelAt (25, 251).getRed(), 1);
    EXPECT_NEAR (frame.getPixelAt (21, 251).getRed(), frame.getPixelAt (25, 251).getRed(), 1);
    // The Distortion knob's arc (at its default value 0.5, the arc reaches straight up).
    const double angle = 300.0 * juce::MathConstants<double>::pi / 180.0;
    EXPECT_TRUE (isTurquoise (frame.getPixelAt ((int) std::lround (300.0 + 52.5 * std::sin (angle)),
                                                (int) std::lround (210.0 - 52.5 * std::cos (angle)))));
}

namespace
{
std::vector<juce::Point<float>> pathPoints (const juce::Path& path)
{
    std::vector<juce::Point<float>> points;
    for (juce::Path::Iterator it (path); it.next();)
        if (it.elementType == juce::Path::Iterator::startNewSubPath || it.elementType == juce::Path::Iterator::lineTo)
            points.emplace_back (it.x1, it.y1);
    return points;
}
} // namespace

TEST (EditorTrace, PointsSpanTheSameWidthForAnyBlockLength)
{
    float samples[Skorvane3AudioProcessor::kScopeBufferSize] = {};
    samples[0] = 1.0f;
    samples[1] = -1.0f;
    samples[2] = 0.5f;

    // Four samples: x = 40 (repeated start), 40, 170, 300, 430; +1 is drawn at y = 120.
    const auto four = pathPoints (Skorvane3AudioProcessorEditor::buildTrace (samples, 4));
    ASSERT_EQ (four.size(), 5u);
    const float xs[] = { 40.0f, 40.0f, 170.0f, 300.0f, 430.0f };
    const float ys[] = { 120.0f, 120.0f, 60.0f, 105.0f, 90.0f };
    for (size_t i = 0; i < 5; ++i)
    {
        EXPECT_FLOAT_EQ (four[i].x, xs[i]) << i;
        EXPECT_FLOAT_EQ (four[i].y, ys[i]) << i;
    }

    // No samples: only the start point.
    EXPECT_EQ (pathPoints (Skorvane3AudioProcessorEditor::buildTrace (samples, 0)).size(), 1u);
    EXPECT_EQ (pathPoints (Skorvane3AudioProcessorEditor::buildTrace (samples, -5)).size(), 1u);

    // A count beyond the buffer reads no further than the buffer.
    const auto big = pathPoints (Skorvane3AudioProcessorEditor::buildTrace (samples, 100000));
    ASSERT_EQ (big.size(), (size_t) Skorvane3AudioProcessor::kScopeBufferSize + 1);
    EXPECT_LT (big.back().x, 560.0f);
    EXPECT_GT (big.back().x, 559.9f);
}
