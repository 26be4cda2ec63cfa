#pragma once
// Proxy of a host property map (versions 1 and 2), created through the
// host's component factory. Made and owned by the description proxies.

#include "AAX_IPropertyMap.h"
#include "AAX_IACFPropertyMap.h"
#include "ACFPtr.h"

class AAX_VPropertyMap : public AAX_IPropertyMap
{
public:
    explicit AAX_VPropertyMap (IACFUnknown* pUnknown);
    ~AAX_VPropertyMap() override;
    AAX_VPropertyMap (const AAX_VPropertyMap&) = delete;
    AAX_VPropertyMap& operator= (const AAX_VPropertyMap&) = delete;

    bool GetProperty (AAX_EProperty inProperty, AAX_CPropertyValue* outValue) const override;
    AAX_Result AddProperty (AAX_EProperty inProperty, AAX_CPropertyValue inValue) override;
    AAX_Result RemoveProperty (AAX_EProperty inProperty) override;
    AAX_Result AddPropertyWithIDArray (AAX_EProperty inProperty, const AAX_SPlugInIdentifierTriad* inPluginIDs, uint32_t inNumPluginIDs) override;
    bool GetPropertyWithIDArray (AAX_EProperty inProperty, const AAX_SPlugInIdentifierTriad** outPluginIDs, uint32_t* outNumPluginIDs) const override;

    // The host's property-map object (null if not created); no reference added.
    IACFUnknown* GetIUnknown() const;

private:
    ACFPtr<AAX_IACFPropertyMap> mIACFPropertyMap;
    ACFPtr<AAX_IACFPropertyMap_V2> mIACFPropertyMapV2;
};
