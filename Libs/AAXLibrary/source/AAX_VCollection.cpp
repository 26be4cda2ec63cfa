#include "AAX_VCollection.h"

#include <memory>

#include "AAX_VEffectDescriptor.h"
#include "AAX_VPropertyMap.h"
#include "AAX_VProxyUtils.h"

AAX_VCollection::AAX_VCollection (IACFUnknown* pUnkHost)
    : mUnkHost (pUnkHost)
{
    ACFPtr<IACFComponentFactory> factory;
    if (! AAX_VProxyUtils::GetFactory (pUnkHost, factory))
        return;
    AAX_VProxyUtils::Create (factory, AAXCompID_AAXCollection, IID_IAAXCollectionV1, mIACFCollection);
}

AAX_VCollection::~AAX_VCollection()
{
    for (AAX_IEffectDescriptor* descriptor : mEffectDescriptors)
        delete descriptor;
    mEffectDescriptors.clear();
    for (AAX_IPropertyMap* map : mPropertyMaps)
        delete map;
    mPropertyMaps.clear();
    mIACFCollection.Clear();
    mUnkHost.Clear();
}

IACFUnknown* AAX_VCollection::GetIUnknown() const
{
    return mIACFCollection.get();
}

AAX_IEffectDescriptor* AAX_VCollection::NewDescriptor()
{
    std::unique_ptr<AAX_IEffectDescriptor> descriptor (new AAX_VEffectDescriptor (mUnkHost.get()));
    mEffectDescriptors.insert (descriptor.get());
    return descriptor.release();
}

AAX_Result AAX_VCollection::AddEffect (const char* inEffectID, AAX_IEffectDescriptor* inEffectDescriptor)
{
    if (! inEffectDescriptor)
        return kErrMissingObject;
    AAX_VFORWARD (mIACFCollection, kErrMissingObject,
                  AddEffect (inEffectID, static_cast<AAX_VEffectDescriptor*> (inEffectDescriptor)->GetIUnknown()));
}

AAX_Result AAX_VCollection::SetManufacturerName (const char* inPackageName)
{
    AAX_VFORWARD (mIACFCollection, kErrMissingObject, SetManufacturerName (inPackageName));
}
AAX_Result AAX_VCollection::AddPackageName (const char* inPackageName)
{
    AAX_VFORWARD (mIACFCollection, kErrMissingObject, AddPackageName (inPackageName));
}
AAX_Result AAX_VCollection::SetPackageVersion (uint32_t inVersion)
{
    AAX_VFORWARD (mIACFCollection, kErrMissingObject, SetPackageVersion (inVersion));
}

AAX_IPropertyMap* AAX_VCollection::NewPropertyMap()
{
    std::unique_ptr<AAX_IPropertyMap> map (new AAX_VPropertyMap (mUnkHost.get()));
    mPropertyMaps.insert (map.get());
    return map.release();
}

AAX_Result AAX_VCollection::SetProperties (AAX_IPropertyMap* inProperties)
{
    AAX_VFORWARD (mIACFCollection, kErrMissingObject,
                  SetProperties (inProperties ? static_cast<AAX_VPropertyMap*> (inProperties)->GetIUnknown() : nullptr));
}
