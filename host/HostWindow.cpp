#include "host/HostWindow.h"

#include <cerrno>
#include <cstring>

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <dlfcn.h>
#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

namespace skorvane3host
{

#define DPY static_cast<Display*> (display)

namespace
{
// Xlib's default error handler ends the process. A plug-in's GUI toolkit
// sends requests that may fail harmlessly (for instance asking for
// properties of a window manager that is not running), and hosts are expected
// to tolerate them: note the error and carry on.
int tolerateXErrors (Display* d, XErrorEvent* e)
{
    if (std::getenv ("SKORVANE3_HOST_XDEBUG") != nullptr)
    {
        char text[256] = {};
        XGetErrorText (d, e->error_code, text, sizeof text);
        std::fprintf (stderr, "[X error] %s (request %d.%d)\n", text, e->request_code, e->minor_code);
    }
    return 0;
}

// Plug-in GUI toolkits open X extension and OpenGL client libraries of their
// own and close them again when their last window goes, while those
// libraries still hold process-wide caches. Keep them mapped for the host's
// life so that such caches stay valid (and diagnosable) after a plug-in
// unloads.
void keepXClientLibrariesLoaded()
{
    static const bool done = [] {
        for (const char* lib : { "libXext.so.6", "libXrender.so.1", "libXrandr.so.2", "libXinerama.so.1",
                                 "libXcursor.so.1", "libGL.so.1" })
            dlopen (lib, RTLD_LAZY | RTLD_LOCAL | RTLD_NODELETE);
        // Mesa's software driver, which libGL opens and closes with each
        // toolkit's last OpenGL context.
        for (const char* driver : { "/usr/lib/x86_64-linux-gnu/dri/swrast_dri.so", "/usr/lib/aarch64-linux-gnu/dri/swrast_dri.so",
                                    "/usr/lib64/dri/swrast_dri.so", "/usr/lib/dri/swrast_dri.so" })
            if (dlopen (driver, RTLD_LAZY | RTLD_LOCAL | RTLD_NODELETE) != nullptr)
                break;
        return true;
    }();
    (void) done;
}
} // namespace

HostWindow::HostWindow() = default;

HostWindow::~HostWindow() { close(); }

bool HostWindow::open (const std::string& title, int w, int h, std::string& error)
{
    close();
    XInitThreads();
    XSetErrorHandler (tolerateXErrors);
    keepXClientLibrariesLoaded();
    Display* d = XOpenDisplay (nullptr);
    if (d == nullptr)
    {
        error = "cannot open an X display (is DISPLAY set?)";
        return false;
    }
    display = d;
    currentWidth = w > 0 ? w : 1;
    currentHeight = h > 0 ? h : 1;

    const int screen = DefaultScreen (d);
    XSetWindowAttributes attrs {};
    attrs.background_pixel = BlackPixel (d, screen);
    attrs.event_mask = StructureNotifyMask | ExposureMask;
    window = XCreateWindow (d, RootWindow (d, screen), 0, 0, static_cast<unsigned> (currentWidth),
                            static_cast<unsigned> (currentHeight), 0, CopyFromParent, InputOutput,
                            nullptr, // the parent's visual (CopyFromParent is a plain 0)
                            CWBackPixel | CWEventMask, &attrs);
    XStoreName (d, window, title.c_str());
    Atom wmDelete = XInternAtom (d, "WM_DELETE_WINDOW", False);
    deleteAtom = wmDelete;
    XSetWMProtocols (d, window, &wmDelete, 1);
    XFlush (d);
    return true;
}

void HostWindow::show()
{
    if (display == nullptr)
        return;
    XMapRaised (DPY, window);
    XSync (DPY, False);
}

void HostWindow::resize (int w, int h)
{
    if (display == nullptr || w <= 0 || h <= 0)
        return;
    currentWidth = w;
    currentHeight = h;
    XResizeWindow (DPY, window, static_cast<unsigned> (w), static_cast<unsigned> (h));
    XSync (DPY, False);
}

bool HostWindow::pumpEvents()
{
    if (display == nullptr)
        return false;
    while (XPending (DPY) > 0)
    {
        XEvent ev;
        XNextEvent (DPY, &ev);
        if (ev.type == ClientMessage && static_cast<unsigned long> (ev.xclient.data.l[0]) == deleteAtom)
            closedByUser = true;
        else if (ev.type == DestroyNotify && ev.xdestroywindow.window == window)
            closedByUser = true;
    }
    return ! closedByUser;
}

bool HostWindow::capture (std::vector<unsigned char>& rgb, int& w, int& h, std::string& error)
{
    if (display == nullptr)
    {
        error = "no window";
        return false;
    }
    Display* d = DPY;
    XSync (d, False);
    const int screen = DefaultScreen (d);
    Window root = RootWindow (d, screen);
    int x = 0, y = 0;
    Window child;
    XTranslateCoordinates (d, window, root, 0, 0, &x, &y, &child);

    // Grab from the root window so that the plug-in's child windows (of any
    // visual) are captured as shown; keep to the screen's area.
    const int sw = DisplayWidth (d, screen), sh = DisplayHeight (d, screen);
    w = currentWidth;
    h = currentHeight;
    if (x < 0)
    {
        w += x;
        x = 0;
    }
    if (y < 0)
    {
        h += y;
        y = 0;
    }
    if (x + w > sw)
        w = sw - x;
    if (y + h > sh)
        h = sh - y;
    if (w <= 0 || h <= 0)
    {
        error = "window is off screen";
        return false;
    }
    XImage* img = XGetImage (d, root, x, y, static_cast<unsigned> (w), static_cast<unsigned> (h), AllPlanes, ZPixmap);
    if (img == nullptr)
    {
        error = "cannot read the window's image";
        return false;
    }

    rgb.assign (static_cast<size_t> (w) * static_cast<size_t> (h) * 3, 0);
    for (int j = 0; j < h; ++j)
        for (int i = 0; i < w; ++i)
        {
            const unsigned long p = XGetPixel (img, i, j);
            unsigned char* o = &rgb[(static_cast<size_t> (j) * static_cast<size_t> (w) + static_cast<size_t> (i)) * 3];
            o[0] = static_cast<unsigned char> ((p & img->red_mask) >> 16);
            o[1] = static_cast<unsigned char> ((p & img->green_mask) >> 8);
            o[2] = static_cast<unsigned char> (p & img->blue_mask);
        }
    XDestroyImage (img);
    return true;
}

bool HostWindow::isPainted (const std::vector<unsigned char>& rgb)
{
    // A window nobody has drawn into shows one colour (its background);
    // an editor's frame never does.
    for (size_t i = 3; i + 2 < rgb.size(); i += 3)
        if (rgb[i] != rgb[0] || rgb[i + 1] != rgb[1] || rgb[i + 2] != rgb[2])
            return true;
    return false;
}

bool HostWindow::savePng (const std::string& path, const std::vector<unsigned char>& rgb, int w, int h, std::string& error)
{
    FILE* f = std::fopen (path.c_str(), "wb");
    if (f == nullptr)
    {
        error = "cannot create '" + path + "': " + std::strerror (errno);
        return false;
    }
    png_structp png = png_create_write_struct (PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct (png) : nullptr;
    if (png == nullptr || info == nullptr || setjmp (png_jmpbuf (png)))
    {
        png_destroy_write_struct (&png, &info);
        std::fclose (f);
        std::remove (path.c_str());
        error = "cannot write '" + path + "'";
        return false;
    }
    png_init_io (png, f);
    png_set_IHDR (png, info, static_cast<png_uint_32> (w), static_cast<png_uint_32> (h), 8, PNG_COLOR_TYPE_RGB,
                  PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info (png, info);
    for (int j = 0; j < h; ++j)
        png_write_row (png, &rgb[static_cast<size_t> (j) * static_cast<size_t> (w) * 3]);
    png_write_end (png, nullptr);
    png_destroy_write_struct (&png, &info);
    const bool ok = std::fclose (f) == 0;
    if (! ok)
        error = "cannot write '" + path + "'";
    return ok;
}

void HostWindow::close()
{
    if (display == nullptr)
        return;
    if (window != 0)
        XDestroyWindow (DPY, window);
    XCloseDisplay (DPY);
    display = nullptr;
    window = 0;
    closedByUser = false;
}

#undef DPY

} // namespace skorvane3host
