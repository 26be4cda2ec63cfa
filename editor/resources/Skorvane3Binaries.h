#pragma once

// Constant data built into the plug-in: the two typefaces (zlib-compressed
// juce::CustomTypeface streams) and the background fragment shader. The
// definitions are generated at build time from the files beside this header
// (see editor/CMakeLists.txt and README.md here).
namespace Skorvane3Binaries
{
extern const char* dcb_ser; // "DINCond-Black"
extern const int dcb_serSize;
extern const char* dcm_ser; // "DINCond-Medium"
extern const int dcm_serSize;

extern const char* vignette_shader_frag_glsl; // NUL-terminated GLSL source
extern const int vignette_shader_frag_glslSize;
} // namespace Skorvane3Binaries
