#pragma once
// Result codes of the interface library. 0 is success.

#include <cstdint>

typedef int32_t AAX_Result;

enum AAX_EError : int32_t
{
    AAX_SUCCESS = 0,
    AAX_ERROR_CHUNK_WRITE = -333, // kErrChunkWrite: chunk data could not be written
    kErrChunkWrite = -333,
    kErrUnknownParameterID = -20001,
    kErrStringConversion = -20002,
    kErrMissingObject = -20004,
    kErrBadChunkIndex = -20006,
    kErrUnknownChunkID = -20007,
    kErrChunkSizeMismatch = -20008,
    kErrNotSupported = -20009,
    kErrNoHost = -20011,
    kErrBadStepCount = -20033
};
