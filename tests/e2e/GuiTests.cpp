// The editor in the host's X11 window, opened and closed through the GUI object.

#include <chrono>
#include <cstdlib>
#include <thread>

#include "E2ESupport.h"
#include "host/HostWindow.h"

using namespace skorvane3host;

namespace
{
void pump (HostWindow& w, int milliseconds)
{
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds (milliseconds);
    while (std::chrono::steady_clock::now() < end)
    {
        w.pumpEvents();
        std::this_thread::sleep_for (std::chrono::milliseconds (10));
    }
}
} // namespace

using Gui = e2e::PluginTest;

TEST_F (Gui, EditorOpensInTheHostWindowAndCloses)
{
    if (std::getenv ("DISPLAY") == nullptr)
        GTEST_SKIP() << "no X display";
    HostWindow window;
    std::string error;
    ASSERT_TRUE (window.open ("Skorvane3 test", 100, 100, error)) << error;
    {
        auto instance = makeInstance();
        ASSERT_NE (instance, nullptr);
        auto editor = PluginEditor::create (*instance, error);
        ASSERT_NE (editor, nullptr) << error;
        EXPECT_EQ (module.canUnloadNow (module.hostUnknown()), 2);

        for (int round = 0; round < 2; ++round)
        {
            ASSERT_EQ (editor->attach (window), 0);
            window.show();
            pump (window, 300);
            // The plug-in sized the host's window to its editor.
            EXPECT_EQ (window.width(), 600);
            EXPECT_EQ (window.height(), 300);
            EXPECT_EQ (editor->viewWidth(), 600);
            EXPECT_EQ (editor->viewHeight(), 300);
            ASSERT_EQ (editor->detach(), 0);
            pump (window, 50);
        }

        // Closing down with the editor open: the GUI object goes first (the
        // host takes its view away), then the instance.
        ASSERT_EQ (editor->attach (window), 0);
        pump (window, 100);
    }
    EXPECT_EQ (module.canUnloadNow (module.hostUnknown()), 0);
}
