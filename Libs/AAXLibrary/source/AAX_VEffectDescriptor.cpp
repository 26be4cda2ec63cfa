#include "AAX_VEffectDescriptor.h"

#include <memory>

#include "AAX_VComponentDescriptor.h"
#include "AAX_VPropertyMap.h"
#include "AAX_VProxyUtils.h"

namespace
{
IACFUnknown* HostObjectOf (AAX_IPropertyMap* map)
{
    return map ? static_cast<AAX_VPropertyMap*> (map)->GetIUnknown() : nullptr;
}

IACFUnknown* HostObjectOf (AAX_IComponentDescriptor* component)
{
    return component ? static_cast<AAX_VComponentDescriptor*> (component)->GetIUnknown() : nullptr;
}
} // namespace

AAX_VEffectDescriptor::AAX_VEffectDescriptor (IACFUnknown* pUnkHost)
    : mUnkHost (pUnkHost)
{
    ACFPtr<IACFComponentFactory> factory;
    if (! AAX_VProxyUtils::GetFactory (pUnkHost, factory))
        return;
    AAX_VProxyUtils::Create (factory, AAXCompID_AAXEffectDescriptor, IID_IAAXEffectDescriptorV1, mIACFEffectDescriptor);
    if (mIACFEffectDescriptor)
        AAX_VProxyUtils::Query (mIACFEffectDescriptor.get(), IID_IAAXEffectDescriptorV2, mIACFEffectDescriptorV2);
}

AAX_VEffectDescriptor::~AAX_VEffectDescriptor()
{
    for (AAX_IComponentDescriptor* component : mComponentDescriptors)
        delete component;
    mComponentDescriptors.clear();
    for (AAX_IPropertyMap* map : mPropertyMaps)
        delete map;
    mPropertyMaps.clear();
    mIACFEffectDescriptorV2.Clear();
    mIACFEffectDescriptor.Clear();
    mUnkHost.Clear();
}

IACFUnknown* AAX_VEffectDescriptor::GetIUnknown() const
{
    return mIACFEffectDescriptor.get();
}

AAX_IComponentDescriptor* AAX_VEffectDescriptor::NewComponentDescriptor()
{
    std::unique_ptr<AAX_IComponentDescriptor> component (new AAX_VComponentDescriptor (mUnkHost.get()));
    mComponentDescriptors.insert (component.get());
    return component.release();
}

AAX_Result AAX_VEffectDescriptor::AddComponent (AAX_IComponentDescriptor* inComponentDescriptor)
{
    AAX_VFORWARD (mIACFEffectDescriptor, kErrMissingObject, AddComponent (HostObjectOf (inComponentDescriptor)));
}
AAX_Result AAX_VEffectDescriptor::AddName (const char* inPlugInName)
{
    AAX_VFORWARD (mIACFEffectDescriptor, kErrMissingObject, AddName (inPlugInName));
}
AAX_Result AAX_VEffectDescriptor::AddCategory (uint32_t inCategory)
{
    AAX_VFORWARD (mIACFEffectDescriptor, kErrMissingObject, AddCategory (inCategory));
}
AAX_Result AAX_VEffectDescriptor::AddCategoryBypassParameter (uint32_t inCategory, AAX_CParamID inParamID)
{
    AAX_VFORWARD (mIACFEffectDescriptor, kErrMissingObject, AddCategoryBypassParameter (inCategory, inParamID));
}
AAX_Result AAX_VEffectDescriptor::AddProcPtr (void* inProcPtr, AAX_CProcPtrID inProcID)
{
    AAX_VFORWARD (mIACFEffectDescriptor, kErrMissingObject, AddProcPtr (inProcPtr, inProcID));
}

AAX_IPropertyMap* AAX_VEffectDescriptor::NewPropertyMap()
{
    std::unique_ptr<AAX_IPropertyMap> map (new AAX_VPropertyMap (mUnkHost.get()));
    mPropertyMaps.insert (map.get());
    return map.release();
}

AAX_Result AAX_VEffectDescriptor::SetProperties (AAX_IPropertyMap* inProperties)
{
    AAX_VFORWARD (mIACFEffectDescriptor, kErrMissingObject, SetProperties (HostObjectOf (inProperties)));
}
AAX_Result AAX_VEffectDescriptor::AddResourceInfo (AAX_EResourceType inResourceType, const char* inInfo)
{
    AAX_VFORWARD (mIACFEffectDescriptor, kErrMissingObject, AddResourceInfo (inResourceType, inInfo));
}
AAX_Result AAX_VEffectDescriptor::AddMeterDescription (AAX_CTypeID inMeterID, const char* inMeterName, AAX_IPropertyMap* inProperties)
{
    AAX_VFORWARD (mIACFEffectDescriptor, kErrMissingObject, AddMeterDescription (inMeterID, inMeterName, HostObjectOf (inProperties)));
}
AAX_Result AAX_VEffectDescriptor::AddControlMIDINode (AAX_CTypeID inNodeID, AAX_EMIDINodeType inNodeType, const char* inNodeName, uint32_t inChannelMask)
{
    AAX_VFORWARD (mIACFEffectDescriptorV2, kErrNotSupported, AddControlMIDINode (inNodeID, inNodeType, inNodeName, inChannelMask));
}
