#pragma once
// The library's entry module: the work of the seven exported functions.

#include "AAX.h"
#include "acfunknown.h"

class IACFPluginDefinition;
class IACFComponentDefinition;

ACFRESULT AAXRegisterPlugin (IACFUnknown* pUnkHost, IACFPluginDefinition** ppPluginDefinition);
ACFRESULT AAXRegisterComponent (IACFUnknown* pUnkHost, acfUInt32 index, IACFComponentDefinition** ppComponentDefinition);
ACFRESULT AAXGetClassFactory (IACFUnknown* pUnkHost, const acfCLSID& clsid, const acfIID& iid, void** ppOut);
ACFRESULT AAXCanUnloadNow (IACFUnknown* pUnkHost);
ACFRESULT AAXStartup (IACFUnknown* pUnkHost);
ACFRESULT AAXShutdown (IACFUnknown* pUnkHost);
ACFRESULT AAXGetSDKVersion (acfUInt64* oSDKVersion);

// The SDK version reported by ACFGetSDKVersion.
static const acfUInt64 kAAX_SDKVersion = 0x0000020200B45B38ull;
