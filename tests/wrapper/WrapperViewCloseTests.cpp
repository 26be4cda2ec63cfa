// The wrapper's editor resized on the plug-in's message thread while the host
// closes its view on its own thread: every resize the editor makes while it
// is in the host's view reaches the host's container, none goes through a
// container the host has taken away. Labelled race: also run under
// ThreadSanitizer.

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <random>
#include <thread>

#include "AAX_UIDs.h"
#include "host/HostObjects.h"
#include "host/HostWindow.h"
#include "wrapper/Skorvane3AAXWrapper.h"
#include "tests/aaxlibrary/CoreFakes.h"
#include "tests/wrapper/WrapperInstance.h"

using namespace skorvane3host;
using wrappertest::Instance;

namespace
{

struct Gui
{
    explicit Gui (Instance& p)
    {
        object = AAXClasses::JuceAAX_GUI::Create();
        void* iface = nullptr;
        EXPECT_EQ (object->QueryInterface (IID_IAAXEffectGUIV1, &iface), 0);
        gui = static_cast<AAX_IACFEffectGUI*> (iface);
        unknown = new HostInstanceUnknown (p.state);
        EXPECT_EQ (gui->Initialize (unknown), 0);
    }
    ~Gui()
    {
        gui->Uninitialize();
        gui->Release();
        unknown->Release();
    }
    IACFUnknown* object = nullptr;
    AAX_IACFEffectGUI* gui = nullptr;
    HostInstanceUnknown* unknown = nullptr;
};

// Resizes the editor on the message thread, one size change per message,
// until told to stop; counts the resizes made while an editor was there.
class EditorResizer
{
public:
    void start()
    {
        running = true;
        stopped = false;
        juce::MessageManager::callAsync ([this] {
            step();
        });
    }

    void stop()
    {
        running = false;
        while (! stopped)
            std::this_thread::sleep_for (std::chrono::microseconds (100));
    }

    std::atomic<int> resizes { 0 };

private:
    void step()
    {
        if (! running)
        {
            stopped = true;
            return;
        }
        auto& desktop = juce::Desktop::getInstance();
        for (int i = 0; i < desktop.getNumComponents(); ++i)
            if (auto* editor = dynamic_cast<juce::AudioProcessorEditor*> (desktop.getComponent (i)))
            {
                editor->setSize (editor->getWidth() == 600 ? 610 : 600, 300);
                ++resizes;
            }
        juce::MessageManager::callAsync ([this] {
            step();
        });
    }

    std::atomic<bool> running { false }, stopped { true };
};
} // namespace

TEST (WrapperViewClose, EveryResizeWhileTheViewIsOpenReachesTheHostAndNoneAfter)
{
    if (std::getenv ("DISPLAY") == nullptr)
        GTEST_SKIP() << "no X display";
    HostWindow window;
    std::string error;
    ASSERT_TRUE (window.open ("resize while closing", 600, 300, error)) << error;
    Instance processor;
    Gui gui (processor);
    EditorResizer resizer;
    std::mt19937 rng (7);
    std::uniform_int_distribution<int> openFor (0, 3000);

    for (int round = 0; round < 20; ++round)
    {
        SCOPED_TRACE ("round " + std::to_string (round));
        std::atomic<int> delivered { 0 };
        std::atomic<bool> closed { false };
        std::atomic<int> afterClose { 0 };
        auto* container = new HostViewContainer (window.windowId(), [&] (int, int) {
            ++delivered;
            if (closed)
                ++afterClose;
        });
        ASSERT_EQ (gui.gui->SetViewContainer (static_cast<AAX_IACFViewContainer_V2*> (container)), 0);
        delivered = 0; // the editor's first size, reported when it opens
        resizer.resizes = 0;

        resizer.start();
        std::this_thread::sleep_for (std::chrono::microseconds (openFor (rng)));
        ASSERT_EQ (gui.gui->SetViewContainer (nullptr), 0);
        closed = true;
        const int resizesAtClose = resizer.resizes;
        std::this_thread::sleep_for (std::chrono::milliseconds (2)); // resizes go on with no editor
        resizer.stop();
        container->Release();

        EXPECT_EQ (resizer.resizes.load(), resizesAtClose) << "no editor is left to resize after the close";
        EXPECT_EQ (delivered.load(), resizesAtClose) << "each resize of the open editor reached the host's container";
        EXPECT_EQ (afterClose.load(), 0);
    }
}

TEST (WrapperView, AViewOfAnotherWindowSystemGetsNoEditor)
{
    // The editor goes only into an X11 window; a view of the macOS type is
    // left empty, even when it holds a window the editor could go into.
    if (std::getenv ("DISPLAY") == nullptr)
        GTEST_SKIP() << "no X display";
    HostWindow window;
    std::string error;
    ASSERT_TRUE (window.open ("macOS view", 600, 300, error)) << error;
    Instance processor;
    Gui gui (processor);
    fakes::FakeViewContainer macView { { IID_IAAXViewContainerV1 } };
    macView.nativeView = reinterpret_cast<void*> (window.windowId());
    ASSERT_EQ (gui.gui->SetViewContainer (&macView), 0);
    AAX_Point size (-1.0f, -1.0f);
    EXPECT_EQ (gui.gui->GetViewSize (&size), 0);
    EXPECT_EQ (size.horz, -1.0f);
    EXPECT_EQ (gui.gui->SetViewContainer (nullptr), 0);
}
