#pragma once
// Helpers shared by the proxies.

#include "ACFPtr.h"
#include "AAX_UIDs.h"
#include "ACF/acfplugindefinition.h"

// Forwards to the host interface of one version, or answers `missing`
// without touching any argument.
#define AAX_VFORWARD(ptr, missing, call) \
    do                                   \
    {                                    \
        if (auto* host = (ptr).get())    \
            return host->call;           \
        return (missing);                \
    } while (0)

namespace AAX_VProxyUtils
{
// Queries pUnknown for the host's component factory into factory; true when
// the query returned 0 (the factory pointer may still be empty if the host
// answered success without an object).
inline bool GetFactory (IACFUnknown* pUnknown, ACFPtr<IACFComponentFactory>& factory)
{
    if (! pUnknown)
        return false;
    return pUnknown->QueryInterface (IID_IACFComponentFactory, factory.OutArg()) == ACF_OK;
}

// Creates clsid through the factory, answering iid into out. Only called
// after the factory query succeeded: an empty factory pointer then throws
// kACFErrNullPointer. What the host does not create stays null.
template<class T>
inline void Create (const ACFPtr<IACFComponentFactory>& factory, const acfCLSID& clsid, const acfIID& iid, ACFPtr<T>& out)
{
    factory->CreateInstance (clsid, nullptr, iid, out.OutArg());
}

// Queries pUnknown for iid into out; what the host does not answer stays null.
template<class T>
inline void Query (IACFUnknown* pUnknown, const acfIID& iid, ACFPtr<T>& out)
{
    pUnknown->QueryInterface (iid, out.OutArg());
}
} // namespace AAX_VProxyUtils
