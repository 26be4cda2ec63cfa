#include "AAX_CHostServices.h"

#include <atomic>
#include <cstdarg>
#include <cstdio>

#include "AAX_VHostServices.h"

namespace
{
// The module-wide host-services proxy: null until start-up, null again after
// shut-down. Atomic so that a Trace on another thread reads a whole pointer.
std::atomic<AAX_VHostServices*> sHostServices { nullptr };

// Longest trace text including its terminating zero.
constexpr size_t kTraceBufferSize = 512;
} // namespace

void AAX_CHostServices::Set (IACFUnknown* pUnkHost)
{
    if (pUnkHost && ! sHostServices.load())
    {
        // A throwing constructor frees the proxy's memory and leaves the
        // holder empty; the exception travels on to the caller.
        sHostServices.store (new AAX_VHostServices (pUnkHost));
    }
    else if (! pUnkHost)
    {
        if (AAX_VHostServices* old = sHostServices.exchange (nullptr))
            delete old;
    }
}

AAX_Result AAX_CHostServices::Trace (AAX_ETracePriorityHost inPriority, const char* inFormat, ...)
{
    AAX_VHostServices* hostServices = sHostServices.load();
    if (! hostServices)
        return AAX_SUCCESS;

    char message[kTraceBufferSize];
    message[0] = '\0';
    if (inFormat)
    {
        va_list args;
        va_start (args, inFormat);
        // Output beyond 511 characters is cut; a formatting error sends an empty text.
        if (std::vsnprintf (message, sizeof (message), inFormat, args) < 0)
            message[0] = '\0';
        va_end (args);
    }
    message[kTraceBufferSize - 1] = '\0';
    return hostServices->Trace (static_cast<int32_t> (inPriority), message);
}
