#include "editor/Skorvane3OpenGLCheck.h"

// JUCE's X11 declarations (its display connection and lock) are only
// visible with the X headers included.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1
#include <juce_gui_basics/juce_gui_basics.h>

#if JUCE_LINUX || JUCE_BSD
#include <GL/glx.h>

namespace
{
bool hasUsableVisual (::Display* display)
{
    int errorBase = 0, eventBase = 0;
    if (! glXQueryExtension (display, &errorBase, &eventBase))
        return false;

    // The attributes JUCE asks for with its default pixel format.
    const int attributes[] = { GLX_RENDER_TYPE, GLX_RGBA_BIT,
                               GLX_DOUBLEBUFFER, True,
                               GLX_RED_SIZE, 8, GLX_GREEN_SIZE, 8, GLX_BLUE_SIZE, 8, GLX_ALPHA_SIZE, 8,
                               GLX_DEPTH_SIZE, 16,
                               None };

    int count = 0;
    auto* configs = glXChooseFBConfig (display, DefaultScreen (display), attributes, &count);

    if (configs != nullptr)
        juce::X11Symbols::getInstance()->xFree (configs);

    return configs != nullptr && count > 0;
}
} // namespace

bool isOpenGLUsable()
{
    auto* windowSystem = juce::XWindowSystem::getInstance();
    auto* display = windowSystem != nullptr ? windowSystem->getDisplay() : nullptr;

    if (display == nullptr)
        return false;

    juce::XWindowSystemUtilities::ScopedXLock xLock;
    return hasUsableVisual (display);
}
#else
bool isOpenGLUsable()
{
    return true;
}
#endif
