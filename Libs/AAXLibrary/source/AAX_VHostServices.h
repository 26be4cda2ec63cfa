#pragma once
// Proxy of the host's diagnostic services (versions 1 and 2), created
// through the host's component factory.

#include "AAX_IHostServices.h"
#include "AAX_IACFHostServices.h"
#include "ACFPtr.h"

class AAX_VHostServices : public AAX_IHostServices
{
public:
    explicit AAX_VHostServices (IACFUnknown* pUnknown);
    ~AAX_VHostServices() override;
    AAX_VHostServices (const AAX_VHostServices&) = delete;
    AAX_VHostServices& operator= (const AAX_VHostServices&) = delete;

    AAX_Result Assert (const char* inFile, int32_t inLine, const char* inNote) override;
    AAX_Result Trace (int32_t inPriority, const char* inMessage) override;
    AAX_Result StackTrace (int32_t inTracePriority, int32_t inStackTracePriority, const char* inMessage) override;

private:
    ACFPtr<AAX_IACFHostServices> mIHostServices;
    ACFPtr<AAX_IACFHostServices_V2> mIHostServicesV2;
};
