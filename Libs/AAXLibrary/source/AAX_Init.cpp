#include "AAX_Init.h"

#include "AAX_CACFUnknown.h"
#include "AAX_CHostServices.h"
#include "AAX_ICollection.h"
#include "AAX_UIDs.h"
#include "AAX_VCollection.h"
#include "ACF/acfplugindefinition.h"

ACFRESULT AAXRegisterPlugin (IACFUnknown* pUnkHost, IACFPluginDefinition** ppPluginDefinition)
{
    // The whole description tree lives for this call only; the host keeps its
    // own references to its objects.
    AAX_VCollection collection (pUnkHost);

    const AAX_Result result = GetEffectDescriptions (&collection);
    if (result != AAX_SUCCESS)
        return result;

    if (! ppPluginDefinition)
        return kACFErrNullPointer;
    *ppPluginDefinition = nullptr;

    IACFUnknown* hostCollection = collection.GetIUnknown();
    if (! hostCollection)
        return kErrMissingObject;
    if (hostCollection->QueryInterface (IID_IACFPluginDefinition, reinterpret_cast<void**> (ppPluginDefinition)) != ACF_OK)
        return kErrMissingObject;
    return AAX_SUCCESS;
}

ACFRESULT AAXRegisterComponent (IACFUnknown*, acfUInt32, IACFComponentDefinition** ppComponentDefinition)
{
    // This module hands out no component definitions.
    if (ppComponentDefinition)
        *ppComponentDefinition = nullptr;
    return AAX_SUCCESS;
}

ACFRESULT AAXGetClassFactory (IACFUnknown*, const acfCLSID&, const acfIID&, void** ppOut)
{
    // Nor class factories: the host creates objects through the description.
    if (ppOut)
        *ppOut = nullptr;
    return kErrNotSupported;
}

ACFRESULT AAXCanUnloadNow (IACFUnknown*)
{
    // 0: no object alive, the module may go; otherwise the number of live objects.
    return static_cast<ACFRESULT> (CACFUnknown::GetActiveObjectCount());
}

ACFRESULT AAXStartup (IACFUnknown* pUnkHost)
{
    AAX_CHostServices::Set (pUnkHost);
    return AAX_SUCCESS;
}

ACFRESULT AAXShutdown (IACFUnknown*)
{
    AAX_CHostServices::Set (nullptr);
    return AAX_SUCCESS;
}

ACFRESULT AAXGetSDKVersion (acfUInt64* oSDKVersion)
{
    if (! oSDKVersion)
        return kACFErrNullPointer;
    *oSDKVersion = kAAX_SDKVersion;
    return AAX_SUCCESS;
}
