#pragma once
// The host's own top-level X11 window, into which a plug-in places its editor
// (the plug-in receives the X11 Window id as its native parent view).

#include <string>
#include <vector>

namespace skorvane3host
{

class HostWindow
{
public:
    HostWindow();
    ~HostWindow();

    HostWindow (const HostWindow&) = delete;
    HostWindow& operator= (const HostWindow&) = delete;

    // Connects to the X server and creates the window (not yet mapped).
    // Returns false with a message when there is no display.
    bool open (const std::string& title, int width, int height, std::string& error);

    // Maps (shows) the window.
    void show();

    // The native window id as the plug-in receives it (0 when not open).
    unsigned long windowId() const { return window; }

    void resize (int width, int height);
    int width() const { return currentWidth; }
    int height() const { return currentHeight; }

    // Handles pending X events. Returns false once the user closed the window.
    bool pumpEvents();

    // What the window shows on screen (editor included), as rows of RGB.
    bool capture (std::vector<unsigned char>& rgb, int& width, int& height, std::string& error);
    // Whether a captured image holds more than the window's plain background.
    static bool isPainted (const std::vector<unsigned char>& rgb);
    static bool savePng (const std::string& path, const std::vector<unsigned char>& rgb, int width, int height,
                         std::string& error);

    void close();

private:
    void* display = nullptr; // Display*
    unsigned long window = 0;
    unsigned long deleteAtom = 0;
    int currentWidth = 0;
    int currentHeight = 0;
    bool closedByUser = false;
};

} // namespace skorvane3host
