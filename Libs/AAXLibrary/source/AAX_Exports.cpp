// The module's exported entry points: each runs its twin in the entry module
// and turns any exception into kACFErrUnexpected.

#include "AAX_Exports.h"

#include "AAX_Init.h"

ACFRESULT ACFRegisterPlugin (IACFUnknown* pUnkHost, IACFPluginDefinition** ppPluginDefinition)
{
    try
    {
        return AAXRegisterPlugin (pUnkHost, ppPluginDefinition);
    }
    catch (...)
    {
        return kACFErrUnexpected;
    }
}

ACFRESULT ACFRegisterComponent (IACFUnknown* pUnkHost, acfUInt32 index, IACFComponentDefinition** ppComponentDefinition)
{
    try
    {
        return AAXRegisterComponent (pUnkHost, index, ppComponentDefinition);
    }
    catch (...)
    {
        return kACFErrUnexpected;
    }
}

ACFRESULT ACFGetClassFactory (IACFUnknown* pUnkHost, const acfCLSID& clsid, const acfIID& iid, void** ppOut)
{
    try
    {
        return AAXGetClassFactory (pUnkHost, clsid, iid, ppOut);
    }
    catch (...)
    {
        return kACFErrUnexpected;
    }
}

ACFRESULT ACFCanUnloadNow (IACFUnknown* pUnkHost)
{
    try
    {
        return AAXCanUnloadNow (pUnkHost);
    }
    catch (...)
    {
        return kACFErrUnexpected;
    }
}

ACFRESULT ACFStartup (IACFUnknown* pUnkHost)
{
    try
    {
        return AAXStartup (pUnkHost);
    }
    catch (...)
    {
        return kACFErrUnexpected;
    }
}

ACFRESULT ACFShutdown (IACFUnknown* pUnkHost)
{
    try
    {
        return AAXShutdown (pUnkHost);
    }
    catch (...)
    {
        return kACFErrUnexpected;
    }
}

ACFRESULT ACFGetSDKVersion (acfUInt64* oSDKVersion)
{
    try
    {
        return AAXGetSDKVersion (oSDKVersion);
    }
    catch (...)
    {
        return kACFErrUnexpected;
    }
}
