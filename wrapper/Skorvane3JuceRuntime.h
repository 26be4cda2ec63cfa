#pragma once
// Keeps JUCE's GUI and message system running while the host holds anything
// of the plug-in that needs it (a registration call, an effect instance, an
// editor). The host gives a Linux plug-in no run loop of its own, so the
// first holder starts JUCE's message manager and a dedicated message thread
// that dispatches JUCE's events; the last holder stops the thread and shuts
// the GUI system down again. Holders may come and go on any host thread.

#include <functional>

namespace Skorvane3AAX
{

class JuceRuntime
{
public:
    JuceRuntime();
    ~JuceRuntime();

    JuceRuntime (const JuceRuntime&) = delete;
    JuceRuntime& operator= (const JuceRuntime&) = delete;

    // Runs fn on JUCE's message thread and waits for it (runs it directly
    // when called on the message thread). Exceptions do not cross threads:
    // an exception thrown by fn is caught there and reported as false.
    static bool callOnMessageThread (const std::function<void()>& fn);

    // Number of live holders (for tests and diagnostics).
    static int activeHolders();
};

} // namespace Skorvane3AAX
