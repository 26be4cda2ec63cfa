#pragma once
// The library's view of the host's diagnostic services. Implemented only by
// AAX_VHostServices (version 1 missing: kErrMissingObject; version 2 missing:
// kErrNotSupported).

#include "AAX.h"

class AAX_IHostServices
{
public:
    virtual ~AAX_IHostServices() = default;

    virtual AAX_Result Assert (const char* inFile, int32_t inLine, const char* inNote) = 0;
    virtual AAX_Result Trace (int32_t inPriority, const char* inMessage) = 0;
    virtual AAX_Result StackTrace (int32_t inTracePriority, int32_t inStackTracePriority, const char* inMessage) = 0;
};
