#pragma once
// The library's view of a host component descriptor (one processing
// configuration). Implemented only by AAX_VComponentDescriptor, which owns
// every property map it makes. AAX_IPropertyMap arguments must be maps made
// by this library (or null).

#include "AAX.h"

class AAX_IPropertyMap;

class AAX_IComponentDescriptor
{
public:
    virtual ~AAX_IComponentDescriptor() = default;

    virtual AAX_Result Clear() = 0;
    virtual AAX_Result AddAudioIn (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddAudioOut (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddAudioBufferLength (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddSampleRate (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddClock (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddSideChainIn (AAX_CFieldIndex inFieldIndex) = 0;
    virtual AAX_Result AddDataInPort (AAX_CFieldIndex inFieldIndex, uint32_t inPacketSize, AAX_EDataInPortType inPortType) = 0;
    virtual AAX_Result AddAuxOutputStem (AAX_CFieldIndex inFieldIndex, int32_t inStemFormat, const char* inNameUTF8) = 0;
    virtual AAX_Result AddPrivateData (AAX_CFieldIndex inFieldIndex, int32_t inDataSize, uint32_t inOptions) = 0;
    virtual AAX_Result AddTemporaryData (AAX_CFieldIndex inFieldIndex, uint32_t inDataElementSize) = 0;
    virtual AAX_Result AddDmaInstance (AAX_CFieldIndex inFieldIndex, AAX_IDma::EMode inDmaMode) = 0;
    virtual AAX_Result AddMeters (AAX_CFieldIndex inFieldIndex, const AAX_CTypeID* inMeterIDs, uint32_t inMeterCount) = 0;
    virtual AAX_Result AddMIDINode (AAX_CFieldIndex inFieldIndex, AAX_EMIDINodeType inNodeType, const char* inNodeName, uint32_t inChannelMask) = 0;
    virtual AAX_Result AddReservedField (AAX_CFieldIndex inFieldIndex, uint32_t inFieldType) = 0;
    // Makes a new property map owned by this descriptor; never null.
    virtual AAX_IPropertyMap* NewPropertyMap() const = 0;
    // Makes a new map owned by this descriptor holding the properties 10..401
    // of inPropertyMap; never null.
    virtual AAX_IPropertyMap* DuplicatePropertyMap (AAX_IPropertyMap* inPropertyMap) const = 0;
    virtual AAX_Result AddProcessProc_Native (AAX_CProcessProc inProcessProc, AAX_IPropertyMap* inProperties,
                                              AAX_CInstanceInitProc inInstanceInitProc,
                                              AAX_CBackgroundProc inBackgroundProc, AAX_CSelector* outProcID) = 0;
    virtual AAX_Result AddProcessProc_TI (const char* inDLLFileNameUTF8, const char* inProcessProcSymbol,
                                          AAX_IPropertyMap* inProperties, const char* inInstanceInitProcSymbol,
                                          const char* inBackgroundProcSymbol, AAX_CSelector* outProcID) = 0;
};
