#pragma once
// Proxy of the host's collection (version 1), created through the host's
// component factory for the length of one registration. Owns the effect
// descriptors and property maps it makes (and so the whole description tree).

#include <set>

#include "AAX_ICollection.h"
#include "AAX_IACFCollection.h"
#include "ACFPtr.h"

class AAX_VCollection : public AAX_ICollection
{
public:
    explicit AAX_VCollection (IACFUnknown* pUnkHost);
    ~AAX_VCollection() override;
    AAX_VCollection (const AAX_VCollection&) = delete;
    AAX_VCollection& operator= (const AAX_VCollection&) = delete;

    AAX_IEffectDescriptor* NewDescriptor() override;
    AAX_Result AddEffect (const char* inEffectID, AAX_IEffectDescriptor* inEffectDescriptor) override;
    AAX_Result SetManufacturerName (const char* inPackageName) override;
    AAX_Result AddPackageName (const char* inPackageName) override;
    AAX_Result SetPackageVersion (uint32_t inVersion) override;
    AAX_IPropertyMap* NewPropertyMap() override;
    AAX_Result SetProperties (AAX_IPropertyMap* inProperties) override;

    // The host's collection object (null if not created); no reference added.
    IACFUnknown* GetIUnknown() const;

private:
    ACFPtr<IACFUnknown> mUnkHost;
    ACFPtr<AAX_IACFCollection> mIACFCollection;
    std::set<AAX_IEffectDescriptor*> mEffectDescriptors;
    std::set<AAX_IPropertyMap*> mPropertyMaps;
};
