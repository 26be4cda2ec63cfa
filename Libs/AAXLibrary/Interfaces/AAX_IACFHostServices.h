#pragma once
// The host's diagnostic services, versions 1 and 2. Created through the
// host's component factory (AAXCompID_HostServices); reached through
// AAX_VHostServices only.

#include "AAX.h"
#include "ACF/acfunknown.h"

class AAX_IACFHostServices : public IACFUnknown
{
public:
    virtual AAX_Result Assert (const char* inFile, int32_t inLine, const char* inNote) = 0;
    virtual AAX_Result Trace (int32_t inPriority, const char* inMessage) = 0;

protected:
    ~AAX_IACFHostServices() = default;
};

class AAX_IACFHostServices_V2 : public AAX_IACFHostServices
{
public:
    virtual AAX_Result StackTrace (int32_t inTracePriority, int32_t inStackTracePriority, const char* inMessage) = 0;

protected:
    ~AAX_IACFHostServices_V2() = default;
};
