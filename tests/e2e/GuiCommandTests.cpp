// The gui command's screenshot: the painted editor, never an empty window;
// a name or folder it cannot save to is refused before anything opens.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <png.h>
#include <set>
#include <sys/stat.h>

#include "E2ESupport.h"

namespace
{
std::string host() { return e2e::quote (e2e::hostPath()) + " gui"; }
std::string plugin() { return " --plugin " + e2e::quote (e2e::pluginPath()); }

bool exists (const std::string& path)
{
    struct stat st
    {};
    return ::stat (path.c_str(), &st) == 0;
}

// RGB rows of a PNG file; false when it is no 8-bit RGB PNG.
bool readPng (const std::string& path, std::vector<unsigned char>& rgb, unsigned& width, unsigned& height)
{
    png_image image {};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file (&image, path.c_str()) == 0)
        return false;
    image.format = PNG_FORMAT_RGB;
    rgb.assign (PNG_IMAGE_SIZE (image), 0);
    width = image.width;
    height = image.height;
    return png_image_finish_read (&image, nullptr, rgb.data(), 0, nullptr) != 0;
}
} // namespace

TEST (GuiScreenshot, ShowsThePaintedEditorHoweverSoonItIsTaken)
{
    if (std::getenv ("DISPLAY") == nullptr)
        GTEST_SKIP() << "no X display";
    for (const char* seconds : { "0", "0.05" })
    {
        SCOPED_TRACE (std::string ("--seconds ") + seconds);
        const std::string shot = ::testing::TempDir() + "skorvane3_gui_soon.png";
        std::remove (shot.c_str());
        const auto r = e2e::run (host() + " --seconds " + seconds + " --screenshot " + e2e::quote (shot) + plugin());
        ASSERT_EQ (r.exitCode, 0) << r.output;
        EXPECT_NE (r.output.find ("saved " + shot + " (600x300)"), std::string::npos) << r.output;

        std::vector<unsigned char> rgb;
        unsigned w = 0, h = 0;
        ASSERT_TRUE (readPng (shot, rgb, w, h));
        EXPECT_EQ (w, 600u);
        EXPECT_EQ (h, 300u);
        // The editor's dark grey background, its texts and its knob: most
        // pixels are not black, and there are many colours.
        size_t nonBlack = 0;
        std::set<unsigned> colours;
        for (size_t i = 0; i + 2 < rgb.size(); i += 3)
        {
            if ((rgb[i] | rgb[i + 1] | rgb[i + 2]) != 0)
                ++nonBlack;
            colours.insert (static_cast<unsigned> (rgb[i]) << 16 | static_cast<unsigned> (rgb[i + 1]) << 8 | static_cast<unsigned> (rgb[i + 2]));
        }
        EXPECT_GT (nonBlack, rgb.size() / 3 / 2) << "more than half of the pixels carry colour";
        EXPECT_GT (colours.size(), 50u);
        std::remove (shot.c_str());
    }
    // Ended by a signal (a terminal closed): 128 + its number, as process does.
    const auto r = e2e::run ("timeout --preserve-status -s HUP 2 " + host() + plugin());
    EXPECT_EQ (r.exitCode, 128 + SIGHUP) << r.output;
}

TEST (GuiScreenshot, ANameOrFolderItCannotSaveToIsRefusedBeforeTheSession)
{
    // No display and no plug-in module: the screenshot path is checked before
    // either is needed, so its error is the one reported.
    const std::string noSession = "env -u DISPLAY " + e2e::quote (e2e::hostPath()) + " gui --plugin /nonexistent/module.so";
    struct Case
    {
        std::string path, message;
    };
    const std::string dir = ::testing::TempDir();
    const Case cases[] = {
        { dir + "skorvane3_shot.jpg", "--screenshot saves PNG files: the name must end in .png, got '" + dir + "skorvane3_shot.jpg'" },
        { dir + "skorvane3_shot", "the name must end in .png" },
        { "/nonexistent-dir/x.png", "cannot save the screenshot as '/nonexistent-dir/x.png': folder '/nonexistent-dir': No such file or directory" },
        { "/etc/passwd/x.png", "folder '/etc/passwd': Not a directory" },
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE (c.path);
        std::remove (c.path.c_str());
        const auto r = e2e::run (noSession + " --seconds 0 --screenshot " + e2e::quote (c.path));
        EXPECT_EQ (r.exitCode, 2) << r.output;
        EXPECT_NE (r.output.find (c.message), std::string::npos) << r.output;
        EXPECT_EQ (r.output.find ("cannot load plug-in"), std::string::npos) << r.output;
        EXPECT_FALSE (exists (c.path));
    }
    // The extension in any case passes the check: the missing display is what fails.
    const auto r = e2e::run (noSession + " --seconds 0 --screenshot " + e2e::quote (dir + "skorvane3_shot.PNG"));
    EXPECT_EQ (r.exitCode, 1) << r.output;
    EXPECT_EQ (r.output.find ("must end in .png"), std::string::npos) << r.output;
}
