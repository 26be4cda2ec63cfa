// A module with the seven entry functions whose ACFCanUnloadNow answers
// "busy" a given number of times (SKORVANE3_FAKE_BUSY_CHECKS, -1: always)
// and whose ACFStartup answers SKORVANE3_FAKE_STARTUP_RESULT (default 0).
// It registers nothing, so the host unloads it straight after start-up. Each
// entry call is appended to the file named by SKORVANE3_FAKE_CALL_LOG.

#include <cstdio>
#include <cstdlib>

#include "host/PluginHost.h"

namespace
{
int busyChecksLeft = 0;

void logCall (const char* name)
{
    if (const char* path = std::getenv ("SKORVANE3_FAKE_CALL_LOG"))
        if (std::FILE* f = std::fopen (path, "a"))
        {
            std::fprintf (f, "%s\n", name);
            std::fclose (f);
        }
}
} // namespace

extern "C"
{
    __attribute__ ((visibility ("default"))) ACFRESULT ACFStartup (IACFUnknown*)
    {
        logCall ("ACFStartup");
        const char* busy = std::getenv ("SKORVANE3_FAKE_BUSY_CHECKS");
        busyChecksLeft = busy != nullptr ? std::atoi (busy) : 0;
        const char* result = std::getenv ("SKORVANE3_FAKE_STARTUP_RESULT");
        return result != nullptr ? std::atoi (result) : 0;
    }
    __attribute__ ((visibility ("default"))) ACFRESULT ACFRegisterPlugin (IACFUnknown*, IACFPluginDefinition** out)
    {
        logCall ("ACFRegisterPlugin");
        *out = nullptr;
        return -1;
    }
    __attribute__ ((visibility ("default"))) ACFRESULT ACFRegisterComponent (IACFUnknown*, acfUInt32, IACFComponentDefinition**)
    {
        return -1;
    }
    __attribute__ ((visibility ("default"))) ACFRESULT ACFGetClassFactory (IACFUnknown*, const acfCLSID&, const acfIID&, void**)
    {
        return -1;
    }
    __attribute__ ((visibility ("default"))) ACFRESULT ACFCanUnloadNow (IACFUnknown*)
    {
        logCall ("ACFCanUnloadNow");
        if (busyChecksLeft == 0)
            return 0;
        if (busyChecksLeft > 0)
            --busyChecksLeft;
        return 1;
    }
    __attribute__ ((visibility ("default"))) ACFRESULT ACFShutdown (IACFUnknown*)
    {
        logCall ("ACFShutdown");
        return 0;
    }
    __attribute__ ((visibility ("default"))) ACFRESULT ACFGetSDKVersion (acfUInt64* version)
    {
        *version = 0;
        return 0;
    }
}
