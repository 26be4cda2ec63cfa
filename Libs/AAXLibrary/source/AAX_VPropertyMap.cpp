#include "AAX_VPropertyMap.h"

#include "AAX_VProxyUtils.h"

AAX_VPropertyMap::AAX_VPropertyMap (IACFUnknown* pUnknown)
{
    ACFPtr<IACFComponentFactory> factory;
    if (! AAX_VProxyUtils::GetFactory (pUnknown, factory))
        return;
    AAX_VProxyUtils::Create (factory, AAXCompID_AAXPropertyMap, IID_IAAXPropertyMapV1, mIACFPropertyMap);
    if (mIACFPropertyMap)
        AAX_VProxyUtils::Query (mIACFPropertyMap.get(), IID_IAAXPropertyMapV2, mIACFPropertyMapV2);
}

AAX_VPropertyMap::~AAX_VPropertyMap()
{
    mIACFPropertyMapV2.Clear();
    mIACFPropertyMap.Clear();
}

IACFUnknown* AAX_VPropertyMap::GetIUnknown() const
{
    return mIACFPropertyMap.get();
}

bool AAX_VPropertyMap::GetProperty (AAX_EProperty inProperty, AAX_CPropertyValue* outValue) const
{
    if (auto* host = mIACFPropertyMap.get())
        return host->GetProperty (inProperty, outValue) != 0;
    return false;
}

AAX_Result AAX_VPropertyMap::AddProperty (AAX_EProperty inProperty, AAX_CPropertyValue inValue)
{
    AAX_VFORWARD (mIACFPropertyMap, kErrMissingObject, AddProperty (inProperty, inValue));
}
AAX_Result AAX_VPropertyMap::RemoveProperty (AAX_EProperty inProperty)
{
    AAX_VFORWARD (mIACFPropertyMap, kErrMissingObject, RemoveProperty (inProperty));
}
AAX_Result AAX_VPropertyMap::AddPropertyWithIDArray (AAX_EProperty inProperty, const AAX_SPlugInIdentifierTriad* inPluginIDs, uint32_t inNumPluginIDs)
{
    AAX_VFORWARD (mIACFPropertyMapV2, kErrNotSupported, AddPropertyWithIDArray (inProperty, inPluginIDs, inNumPluginIDs));
}

bool AAX_VPropertyMap::GetPropertyWithIDArray (AAX_EProperty inProperty, const AAX_SPlugInIdentifierTriad** outPluginIDs, uint32_t* outNumPluginIDs) const
{
    if (auto* host = mIACFPropertyMapV2.get())
        return host->GetPropertyWithIDArray (inProperty, outPluginIDs, outNumPluginIDs) != 0;
    return false;
}
