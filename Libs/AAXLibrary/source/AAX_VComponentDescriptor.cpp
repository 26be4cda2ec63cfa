#include "AAX_VComponentDescriptor.h"

#include <memory>

#include "AAX_VPropertyMap.h"
#include "AAX_VProxyUtils.h"

namespace
{
// The host object of a map made by this library, or null.
IACFUnknown* HostObjectOf (AAX_IPropertyMap* map)
{
    return map ? static_cast<AAX_VPropertyMap*> (map)->GetIUnknown() : nullptr;
}
} // namespace

AAX_VComponentDescriptor::AAX_VComponentDescriptor (IACFUnknown* pUnkHost)
    : mUnkHost (pUnkHost)
{
    ACFPtr<IACFComponentFactory> factory;
    if (! AAX_VProxyUtils::GetFactory (pUnkHost, factory))
        return;
    AAX_VProxyUtils::Create (factory, AAXCompID_AAXComponentDescriptor, IID_IAAXComponentDescriptorV1, mIACFComponentDescriptor);
    if (mIACFComponentDescriptor)
        AAX_VProxyUtils::Query (mIACFComponentDescriptor.get(), IID_IAAXComponentDescriptorV2, mIACFComponentDescriptorV2);
}

AAX_VComponentDescriptor::~AAX_VComponentDescriptor()
{
    for (AAX_IPropertyMap* map : mPropertyMaps)
        delete map;
    mPropertyMaps.clear();
    mIACFComponentDescriptorV2.Clear();
    mIACFComponentDescriptor.Clear();
    mUnkHost.Clear();
}

IACFUnknown* AAX_VComponentDescriptor::GetIUnknown() const
{
    return mIACFComponentDescriptor.get();
}

AAX_Result AAX_VComponentDescriptor::Clear()
{
    AAX_VFORWARD (mIACFComponentDescriptor, kErrMissingObject, Clear());
}
AAX_Result AAX_VComponentDescriptor::AddAudioIn (AAX_CFieldIndex inFieldIndex)
{
    AAX_VFORWARD (mIACFComponentDescriptor, kErrMissingObject, AddAudioIn (inFieldIndex));
}
AAX_Result AAX_VComponentDescriptor::AddAudioOut (AAX_CFieldIndex inFieldIndex)
{
    AAX_VFORWARD (mIACFComponentDescriptor, kErrMissingObject, AddAudioOut (inFieldIndex));
}
AAX_Result AAX_VComponentDescriptor::AddAudioBufferLength (AAX_CFieldIndex inFieldIndex)
{
    AAX_VFORWARD (mIACFComponentDescriptor, kErrMissingObject, AddAudioBufferLength (inFieldIndex));
}
AAX_Result AAX_VComponentDescriptor::AddSampleRate (AAX_CFieldIndex inFieldIndex)
{
    AAX_VFORWARD (mIACFComponentDescriptor, kErrMissingObject, AddSampleRate (inFieldIndex));
}
AAX_Result AAX_VComponentDescriptor::AddClock (AAX_CFieldIndex inFieldIndex)
{
    AAX_VFORWARD (mIACFComponentDescriptor, kErrMissingObject, AddClock (inFieldIndex));
}
AAX_Result AAX_VComponentDescriptor::AddSideChainIn (AAX_CFieldIndex inFieldIndex)
{
    AAX_VFORWARD (mIACFComponentDescriptor, kErrMissingObject, AddSideChainIn (inFieldIndex));
}
AAX_Result AAX_VComponentDescriptor::AddDataInPort (AAX_CFieldIndex inFieldIndex, uint32_t inPacketSize, AAX_EDataInPortType inPortType)
{
    AAX_VFORWARD (mIACFComponentDescriptor, kErrMissingObject, AddDataInPort (inFieldIndex, inPacketSize, inPortType));
}
AAX_Result AAX_VComponentDescriptor::AddAuxOutputStem (AAX_CFieldIndex inFieldIndex, int32_t inStemFormat, const char* inNameUTF8)
{
    AAX_VFORWARD (mIACFComponentDescriptor, kErrMissingObject, AddAuxOutputStem (inFieldIndex, inStemFormat, inNameUTF8));
}
AAX_Result AAX_VComponentDescriptor::AddPrivateData (AAX_CFieldIndex inFieldIndex, int32_t inDataSize, uint32_t inOptions)
{
    AAX_VFORWARD (mIACFComponentDescriptor, kErrMissingObject, AddPrivateData (inFieldIndex, inDataSize, inOptions));
}
AAX_Result AAX_VComponentDescriptor::AddTemporaryData (AAX_CFieldIndex inFieldIndex, uint32_t inDataElementSize)
{
    AAX_VFORWARD (mIACFComponentDescriptorV2, kErrNotSupported, AddTemporaryData (inFieldIndex, inDataElementSize));
}
AAX_Result AAX_VComponentDescriptor::AddDmaInstance (AAX_CFieldIndex inFieldIndex, AAX_IDma::EMode inDmaMode)
{
    AAX_VFORWARD (mIACFComponentDescriptor, kErrMissingObject, AddDmaInstance (inFieldIndex, inDmaMode));
}
AAX_Result AAX_VComponentDescriptor::AddMeters (AAX_CFieldIndex inFieldIndex, const AAX_CTypeID* inMeterIDs, uint32_t inMeterCount)
{
    AAX_VFORWARD (mIACFComponentDescriptor, kErrMissingObject, AddMeters (inFieldIndex, inMeterIDs, inMeterCount));
}
AAX_Result AAX_VComponentDescriptor::AddMIDINode (AAX_CFieldIndex inFieldIndex, AAX_EMIDINodeType inNodeType, const char* inNodeName, uint32_t inChannelMask)
{
    AAX_VFORWARD (mIACFComponentDescriptor, kErrMissingObject, AddMIDINode (inFieldIndex, inNodeType, inNodeName, inChannelMask));
}
AAX_Result AAX_VComponentDescriptor::AddReservedField (AAX_CFieldIndex inFieldIndex, uint32_t inFieldType)
{
    AAX_VFORWARD (mIACFComponentDescriptor, kErrMissingObject, AddReservedField (inFieldIndex, inFieldType));
}

AAX_IPropertyMap* AAX_VComponentDescriptor::NewPropertyMap() const
{
    std::unique_ptr<AAX_IPropertyMap> map (new AAX_VPropertyMap (mUnkHost.get()));
    mPropertyMaps.insert (map.get());
    return map.release();
}

AAX_IPropertyMap* AAX_VComponentDescriptor::DuplicatePropertyMap (AAX_IPropertyMap* inPropertyMap) const
{
    AAX_IPropertyMap* copy = NewPropertyMap();
    if (! inPropertyMap)
        return copy;
    for (int32_t id = AAX_eProperty_MinProp; id <= AAX_eProperty_MaxProp; ++id)
    {
        const AAX_EProperty property = static_cast<AAX_EProperty> (id);
        AAX_CPropertyValue value = 0;
        if (inPropertyMap->GetProperty (property, &value))
            copy->AddProperty (property, value);
    }
    return copy;
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc_Native (AAX_CProcessProc inProcessProc, AAX_IPropertyMap* inProperties,
                                                            AAX_CInstanceInitProc inInstanceInitProc,
                                                            AAX_CBackgroundProc inBackgroundProc, AAX_CSelector* outProcID)
{
    AAX_VFORWARD (mIACFComponentDescriptor, kErrMissingObject,
                  AddProcessProc_Native (inProcessProc, HostObjectOf (inProperties), inInstanceInitProc, inBackgroundProc, outProcID));
}

AAX_Result AAX_VComponentDescriptor::AddProcessProc_TI (const char* inDLLFileNameUTF8, const char* inProcessProcSymbol,
                                                        AAX_IPropertyMap* inProperties, const char* inInstanceInitProcSymbol,
                                                        const char* inBackgroundProcSymbol, AAX_CSelector* outProcID)
{
    AAX_VFORWARD (mIACFComponentDescriptor, kErrMissingObject,
                  AddProcessProc_TI (inDLLFileNameUTF8, inProcessProcSymbol, HostObjectOf (inProperties),
                                     inInstanceInitProcSymbol, inBackgroundProcSymbol, outProcID));
}
