#include "EditorTestSupport.h"

#include <cstdlib>

#include <X11/Xlib.h>

namespace editortest
{
namespace
{
juce::File& baseFolder()
{
    static juce::File folder;
    return folder;
}

// Without a window manager on the test display, atoms that JUCE only looks up
// (never creates) are missing, and JUCE then sends X requests with atom 0,
// which kill the process. Creating them first, on a connection kept open so
// that the server does not reset, gives JUCE the display a desktop would.
// Hosts keep X errors from ending the process; so do the tests (JUCE's own
// handler is installed only in stand-alone applications).
int ignoreXError (::Display*, XErrorEvent*)
{
    return 0;
}

::Display* prepareDisplay()
{
    XSetErrorHandler (ignoreXError);

    auto* display = XOpenDisplay (nullptr);
    if (display == nullptr)
        return nullptr;

    const char* names[] = { "WM_PROTOCOLS", "WM_TAKE_FOCUS", "WM_DELETE_WINDOW", "_NET_WM_PING", "WM_CHANGE_STATE",
                            "WM_STATE", "_NET_WM_WINDOW_TYPE", "_NET_WM_STATE", "_NET_WM_STATE_HIDDEN",
                            "_NET_WM_WINDOW_TYPE_NORMAL", "_NET_FRAME_EXTENTS", "_NET_WORKAREA" };
    for (auto* name : names)
        XInternAtom (display, name, False);

    XSync (display, False);
    return display;
}

class JuceEnvironment : public ::testing::Environment
{
public:
    void SetUp() override
    {
        display = prepareDisplay();

        baseFolder() = juce::File::getSpecialLocation (juce::File::tempDirectory)
                           .getNonexistentChildFile ("skorvane3-editor-tests", "");
        baseFolder().createDirectory();
        ::setenv ("SKORVANE3_PRESET_BASE_DIR", baseFolder().getFullPathName().toRawUTF8(), 1);

        juceInit = std::make_unique<juce::ScopedJuceInitialiser_GUI>();
    }

    void TearDown() override
    {
        juceInit.reset();
        baseFolder().deleteRecursively();

        if (display != nullptr)
            XCloseDisplay (display);
    }

private:
    std::unique_ptr<juce::ScopedJuceInitialiser_GUI> juceInit;
    ::Display* display = nullptr;
};

[[maybe_unused]] auto* const environment = ::testing::AddGlobalTestEnvironment (new JuceEnvironment());
} // namespace

juce::File presetBase()
{
    return baseFolder();
}

void pump (int milliseconds)
{
    juce::MessageManager::getInstance()->runDispatchLoopUntil (milliseconds);
}

void writePreset (const juce::File& file, const juce::String& presetName, double frequency)
{
    juce::XmlElement xml ("sv3PresetFile");
    xml.setAttribute ("pluginVersion", "1.0.1");
    xml.setAttribute ("presetName", presetName);
    xml.setAttribute ("Frequency", frequency);
    xml.setAttribute ("Resonance", 0.0);
    xml.setAttribute ("Distortion", 0.5);
    xml.setAttribute ("Feedback", 0.0);
    xml.setAttribute ("Level", 0.95);
    file.getParentDirectory().createDirectory();
    ASSERT_TRUE (xml.writeTo (file));
}

TempFolder::TempFolder()
    : folder (juce::File::getSpecialLocation (juce::File::tempDirectory)
                  .getNonexistentChildFile ("skorvane3-presets", ""))
{
    folder.createDirectory();
}

TempFolder::~TempFolder()
{
    folder.deleteRecursively();
}
} // namespace editortest
