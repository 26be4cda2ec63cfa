#pragma once
// Module-wide holder of the host-services proxy and the library's
// diagnostic output.

#include "AAX.h"

class IACFUnknown;

class AAX_CHostServices
{
public:
    // Non-null host and no proxy yet: builds the proxy. Null host and a proxy:
    // deletes it. Anything else changes nothing.
    static void Set (IACFUnknown* pUnkHost);

    // Formats printf-style into at most 511 characters (longer output is cut)
    // and sends it to the host's trace service. Without host services:
    // returns 0 and sends nothing.
    static AAX_Result Trace (AAX_ETracePriorityHost inPriority, const char* inFormat, ...)
#if defined(__GNUC__)
        __attribute__ ((format (printf, 2, 3)))
#endif
        ;
};
