#pragma once
// Plain types and enumerations shared by the interface library, the host's
// interfaces and our host. Every value here crosses the host boundary
// unchanged; the library never interprets the enumerations below, it only
// passes them through.

#include <cstdint>

#include "AAX_Errors.h"

typedef uint8_t AAX_CBoolean; // one-byte boolean of the host interfaces
typedef uint32_t AAX_CTypeID; // four-character codes (chunk IDs, notifications, ...)
typedef const char* AAX_CParamID; // host parameter identifier, zero-terminated
typedef const char* AAX_CPageTableID;
typedef int32_t AAX_CPropertyValue; // value of a description property
typedef int32_t AAX_CFieldIndex; // index of a field of the algorithm context
typedef int32_t AAX_CProcPtrID; // which creation procedure AddProcPtr registers
typedef uint32_t AAX_CMeterID;
typedef int64_t AAX_CTimestamp;
typedef int64_t AAX_CTransportCounter;
typedef uint32_t AAX_CSelector;

// Builds a four-character code from its characters, first character highest.
#define AAX_FOURCHAR(a, b, c, d) \
    ((static_cast<uint32_t> (static_cast<uint8_t> (a)) << 24) | (static_cast<uint32_t> (static_cast<uint8_t> (b)) << 16) | (static_cast<uint32_t> (static_cast<uint8_t> (c)) << 8) | static_cast<uint32_t> (static_cast<uint8_t> (d)))

// Creation procedure IDs for AAX_IEffectDescriptor::AddProcPtr.
enum : int32_t
{
    kAAX_ProcPtrID_Create_EffectParameters = 0,
    kAAX_ProcPtrID_Create_EffectGUI = 1
};

// Priority of a diagnostic text sent to the host's trace service.
enum AAX_ETracePriorityHost : int32_t
{
    AAX_eTracePriorityHost_None = 0,
    AAX_eTracePriorityHost_Critical = 0x10000000,
    AAX_eTracePriorityHost_High = 0x08000000,
    AAX_eTracePriorityHost_Normal = 0x04000000,
    AAX_eTracePriorityHost_Low = 0x02000000,
    AAX_eTracePriorityHost_Lowest = 0x01000000
};

// Kind of a host parameter: kept for the host only.
enum AAX_EParameterType : int32_t
{
    AAX_eParameterType_Discrete = 0,
    AAX_eParameterType_Continuous = 1
};

// Display orientation flags of a host parameter (kept for the host only).
enum AAX_EParameterOrientationBits : int32_t
{
    AAX_eParameterOrientation_Default = 0
};
typedef int32_t AAX_EParameterOrientation;

// Where a parameter update handed to UpdateParameterNormalizedValue came from.
enum AAX_EUpdateSource : int32_t
{
    AAX_eUpdateSource_Unspecified = 0,
    AAX_eUpdateSource_Parameter = 1,
    AAX_eUpdateSource_Chunk = 2,
    AAX_eUpdateSource_Delay = 3
};

// Channel layouts. The value packs an index (upper 16 bits) and the channel
// count (lower 16 bits); AAX_eStemFormat_None means "no format".
// Built unsigned and then read as int32_t, so that index 0xFFFF (None, Any)
// gives the negative codes without a signed shift into the sign bit.
#define AAX_STEM_FORMAT(index, channels) \
    static_cast<int32_t> ((static_cast<uint32_t> (index) << 16) | static_cast<uint32_t> (channels))
enum AAX_EStemFormat : int32_t
{
    AAX_eStemFormat_Mono = AAX_STEM_FORMAT (0, 1),
    AAX_eStemFormat_Stereo = AAX_STEM_FORMAT (1, 2),
    AAX_eStemFormat_LCR = AAX_STEM_FORMAT (2, 3),
    AAX_eStemFormat_Quad = AAX_STEM_FORMAT (4, 4),
    AAX_eStemFormat_5_0 = AAX_STEM_FORMAT (5, 5),
    AAX_eStemFormat_5_1 = AAX_STEM_FORMAT (6, 6),
    AAX_eStemFormat_6_1 = AAX_STEM_FORMAT (8, 7),
    AAX_eStemFormat_7_1_DTS = AAX_STEM_FORMAT (10, 8),
    AAX_eStemFormat_LCRS = AAX_STEM_FORMAT (3, 4),
    AAX_eStemFormat_6_0 = AAX_STEM_FORMAT (7, 6),
    AAX_eStemFormat_7_0_SDDS = AAX_STEM_FORMAT (9, 7),
    AAX_eStemFormat_7_0_DTS = AAX_STEM_FORMAT (11, 7),
    AAX_eStemFormat_7_1_SDDS = AAX_STEM_FORMAT (12, 8),
    AAX_eStemFormat_None = AAX_STEM_FORMAT (0xFFFF, 0),
    AAX_eStemFormat_Any = AAX_STEM_FORMAT (0xFFFF, 0xFFFF)
};
inline int32_t AAX_STEM_FORMAT_CHANNEL_COUNT (int32_t stemFormat) { return stemFormat & 0xFFFF; }

// Description property identifiers (AAX_IPropertyMap). Only the numbers
// matter to the host; the ones the plug-in's description uses are named.
enum AAX_EProperty : int32_t
{
    AAX_eProperty_NoID = 0,
    AAX_eProperty_MinProp = 10,
    AAX_eProperty_ManufacturerID = 11,
    AAX_eProperty_ProductID = 12,
    AAX_eProperty_PlugInID_Native = 13,
    AAX_eProperty_PlugInID_AudioSuite = 14,
    AAX_eProperty_CanBypass = 60,
    AAX_eProperty_InputStemFormat = 51,
    AAX_eProperty_OutputStemFormat = 52,
    AAX_eProperty_SideChainStemFormat = 116,
    AAX_eProperty_Meter_Type = 200,
    AAX_eProperty_Meter_Orientation = 201,
    AAX_eProperty_UsesClientGUI = 304,
    AAX_eProperty_MaxProp = 401
};

// Data port kinds for AAX_IComponentDescriptor::AddDataInPort.
enum AAX_EDataInPortType : int32_t
{
    AAX_eDataInPortType_Unbuffered = 0,
    AAX_eDataInPortType_Buffered = 1,
    AAX_eDataInPortType_Incremental = 2
};

enum AAX_EMIDINodeType : int32_t
{
    AAX_eMIDINodeType_LocalInput = 0,
    AAX_eMIDINodeType_LocalOutput = 1,
    AAX_eMIDINodeType_Global = 2,
    AAX_eMIDINodeType_Transport = 3
};

enum AAX_EComponentInstanceInitAction : int32_t
{
    AAX_eComponentInstanceInitAction_AddingNewInstance = 0,
    AAX_eComponentInstanceInitAction_RemovingInstance = 1,
    AAX_eComponentInstanceInitAction_ResetInstance = 2
};

enum AAX_EResourceType : int32_t
{
    AAX_eResourceType_None = 0,
    AAX_eResourceType_PageTable = 1,
    AAX_eResourceType_PageTableDir = 2
};

enum AAX_EFrameRate : int32_t
{
    AAX_eFrameRate_Undeclared = 0,
    AAX_eFrameRate_24Frame = 1,
    AAX_eFrameRate_25Frame = 2,
    AAX_eFrameRate_2997NonDrop = 3,
    AAX_eFrameRate_2997DropFrame = 4,
    AAX_eFrameRate_30NonDrop = 5,
    AAX_eFrameRate_30DropFrame = 6,
    AAX_eFrameRate_23976 = 7
};

enum AAX_EFeetFramesRate : int32_t
{
    AAX_eFeetFramesRate_23976 = 0,
    AAX_eFeetFramesRate_24 = 1,
    AAX_eFeetFramesRate_25 = 2
};

// Texts a GUI may customise (AAX_IACFEffectGUI::GetCustomLabel).
enum AAX_EPlugInStrings : int32_t
{
    AAX_ePlugInStrings_Analysis = 0,
    AAX_ePlugInStrings_MonoMode = 1,
    AAX_ePlugInStrings_MultiInputMode = 2,
    AAX_ePlugInStrings_SlaveMode = 3,
    AAX_ePlugInStrings_ClipIndicator = 4
};

enum AAX_EHighlightColor : int32_t
{
    AAX_eHighlightColor_Red = 0,
    AAX_eHighlightColor_Blue = 1,
    AAX_eHighlightColor_Green = 2,
    AAX_eHighlightColor_Yellow = 3
};

// Native view kinds answered by AAX_IViewContainer::GetType.
enum AAX_EViewContainer_Type : int32_t
{
    AAX_eViewContainer_Type_NULL = 0,
    AAX_eViewContainer_Type_NSView = 1,
    AAX_eViewContainer_Type_UIView = 2,
    AAX_eViewContainer_Type_HWND = 3,
    AAX_eViewContainer_Type_XWindow = 4 // an X11 Window id (Linux hosts)
};

// A size or position in the host's window: vertical (height) first, then
// horizontal (width).
struct AAX_Point
{
    float vert = 0.0f;
    float horz = 0.0f;
    AAX_Point() = default;
    AAX_Point (float v, float h)
        : vert (v)
        , horz (h)
    {}
};

struct AAX_Rect
{
    float top = 0.0f;
    float left = 0.0f;
    float width = 0.0f;
    float height = 0.0f;
};

// One MIDI message with its time stamp inside the block.
struct AAX_CMidiPacket
{
    uint32_t mTimestamp = 0;
    uint32_t mLength = 0;
    uint8_t mData[4] = { 0, 0, 0, 0 };
    AAX_CBoolean mIsImmediate = 0;
};

// Manufacturer, product and plug-in codes of one plug-in type.
struct AAX_SPlugInIdentifierTriad
{
    AAX_CTypeID mManufacturerID = 0;
    AAX_CTypeID mProductID = 0;
    AAX_CTypeID mPlugInID = 0;
};

// Argument of RenderAudio_Hybrid (not supported by the library).
struct AAX_SHybridRenderInfo
{
    float** mAudioInputs = nullptr;
    int32_t* mNumAudioInputs = nullptr;
    float** mAudioOutputs = nullptr;
    int32_t* mNumAudioOutputs = nullptr;
    int32_t* mNumSamples = nullptr;
    AAX_CTimestamp* mClock = nullptr;
};

// Procedures registered with AAX_IComponentDescriptor::AddProcessProc_Native.
typedef void (*AAX_CProcessProc) (void* const inInstancesBegin[], const void* inInstancesEnd);
typedef int32_t (*AAX_CInstanceInitProc) (const void* inInstanceContextPtr, AAX_EComponentInstanceInitAction inAction);
typedef int32_t (*AAX_CBackgroundProc)();

// Direct memory access modes of AAX_IComponentDescriptor::AddDmaInstance.
class AAX_IDma
{
public:
    enum EMode : int32_t
    {
        eMode_Error = 0,
        eMode_Burst = 1,
        eMode_Gather = 2,
        eMode_Scatter = 3
    };
};
