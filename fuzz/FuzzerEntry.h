#pragma once

#include <cstddef>
#include <cstdint>

// libFuzzer's entry point, which each fuzz target defines: declared here so
// that the definitions have a prototype to match.
extern "C" int LLVMFuzzerTestOneInput (const uint8_t* data, size_t size);
