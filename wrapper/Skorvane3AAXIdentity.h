#pragma once
// The plug-in's identity as registered with the host: names, codes,
// category, version, the accepted channel layouts and the plug-in IDs
// derived from them. Saved host sessions find the plug-in again by these
// values, so they never change.

#include <cstdint>

#include "AAX.h"
#include "Skorvane3Version.h"

namespace Skorvane3AAX
{

constexpr const char* kEffectName = "Skorvane3";
constexpr const char* kPackageName = "Skorvane3";
constexpr const char* kManufacturerName = "Audio Velloq";
constexpr const char* kEffectIdentifier = "com.audiovelloq.Skorvane3";
constexpr uint32_t kPackageVersion = Skorvane3Version::kPacked;
constexpr uint32_t kCategory = 0x40; // harmonic
constexpr uint32_t kManufacturerCode = AAX_FOURCHAR ('V', 'l', 'q', 'x');
constexpr uint32_t kProductCode = AAX_FOURCHAR ('V', 'q', 's', '3');
constexpr uint32_t kNativeIDBase = AAX_FOURCHAR ('j', 'c', 'a', 'a');
constexpr uint32_t kAudioSuiteIDBase = AAX_FOURCHAR ('j', 'y', 'a', 'a');

constexpr const char* kBypassID = "MasterBypassID";
constexpr const char* kBypassName = "Master Bypass";

// Fields of the algorithm context that the audio callback reads.
enum ContextField : int32_t
{
    kFieldAudioIn = 0,
    kFieldAudioOut = 1,
    kFieldBufferLength = 2,
    kFieldBypass = 3, // data port: 4-byte integer, 1 while bypassed
    kFieldProcessor = 4, // private data: the instance's effect object
    kFieldChannelCount = 5 // private data: 4-byte channel count of the instance
};

// The channel layouts in the order of their layout index (1 to 13).
constexpr AAX_EStemFormat kStemFormats[] = {
    AAX_eStemFormat_Mono,
    AAX_eStemFormat_Stereo,
    AAX_eStemFormat_LCR,
    AAX_eStemFormat_LCRS,
    AAX_eStemFormat_Quad,
    AAX_eStemFormat_5_0,
    AAX_eStemFormat_5_1,
    AAX_eStemFormat_6_0,
    AAX_eStemFormat_6_1,
    AAX_eStemFormat_7_0_DTS,
    AAX_eStemFormat_7_1_DTS,
    AAX_eStemFormat_7_0_SDDS,
    AAX_eStemFormat_7_1_SDDS,
};

// Index of a layout in plug-in IDs: 0 none, 1 mono ... 13 7.1 SDDS; -1 for
// a value that is no layout.
int layoutIndex (int32_t stemFormat);

// Channels of a layout (0 for none or an unknown value).
int layoutChannels (int32_t stemFormat);

// Whether the processor accepts this pair: both sides have the channel
// count of one of its preferred configurations {1,1} ... {8,8}.
bool acceptsLayouts (int32_t inputStemFormat, int32_t outputStemFormat);

// base + input index * 256 + output index.
uint32_t pluginID (uint32_t base, int32_t inputStemFormat, int32_t outputStemFormat);

} // namespace Skorvane3AAX
