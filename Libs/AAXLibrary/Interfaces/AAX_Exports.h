#pragma once
// The seven functions the plug-in module exports to the host: its only
// exported symbols. Each runs the library's entry module and turns any
// exception into kACFErrUnexpected (0x8000FFFF).

#include "ACF/acfunknown.h"

class IACFPluginDefinition;
class IACFComponentDefinition;

#define AAX_EXPORT_API extern "C" __attribute__ ((visibility ("default")))

AAX_EXPORT_API ACFRESULT ACFRegisterPlugin (IACFUnknown* pUnkHost, IACFPluginDefinition** ppPluginDefinition);
AAX_EXPORT_API ACFRESULT ACFRegisterComponent (IACFUnknown* pUnkHost, acfUInt32 index, IACFComponentDefinition** ppComponentDefinition);
AAX_EXPORT_API ACFRESULT ACFGetClassFactory (IACFUnknown* pUnkHost, const acfCLSID& clsid, const acfIID& iid, void** ppOut);
AAX_EXPORT_API ACFRESULT ACFCanUnloadNow (IACFUnknown* pUnkHost);
AAX_EXPORT_API ACFRESULT ACFStartup (IACFUnknown* pUnkHost);
AAX_EXPORT_API ACFRESULT ACFShutdown (IACFUnknown* pUnkHost);
AAX_EXPORT_API ACFRESULT ACFGetSDKVersion (acfUInt64* oSDKVersion);

// Function types, for a host that looks the exports up by name.
typedef ACFRESULT (*ACFRegisterPluginFn) (IACFUnknown*, IACFPluginDefinition**);
typedef ACFRESULT (*ACFRegisterComponentFn) (IACFUnknown*, acfUInt32, IACFComponentDefinition**);
typedef ACFRESULT (*ACFGetClassFactoryFn) (IACFUnknown*, const acfCLSID&, const acfIID&, void**);
typedef ACFRESULT (*ACFCanUnloadNowFn) (IACFUnknown*);
typedef ACFRESULT (*ACFStartupFn) (IACFUnknown*);
typedef ACFRESULT (*ACFShutdownFn) (IACFUnknown*);
typedef ACFRESULT (*ACFGetSDKVersionFn) (acfUInt64*);
