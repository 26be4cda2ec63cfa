#include "AAX_VHostServices.h"

#include "AAX_VProxyUtils.h"

AAX_VHostServices::AAX_VHostServices (IACFUnknown* pUnknown)
{
    ACFPtr<IACFComponentFactory> factory;
    if (! AAX_VProxyUtils::GetFactory (pUnknown, factory))
        return;
    // Version 2 is asked for even when version 1 was refused.
    AAX_VProxyUtils::Create (factory, AAXCompID_HostServices, IID_IAAXHostServicesV1, mIHostServices);
    AAX_VProxyUtils::Create (factory, AAXCompID_HostServices, IID_IAAXHostServicesV2, mIHostServicesV2);
}

AAX_VHostServices::~AAX_VHostServices()
{
    mIHostServicesV2.Clear();
    mIHostServices.Clear();
}

AAX_Result AAX_VHostServices::Assert (const char* inFile, int32_t inLine, const char* inNote)
{
    AAX_VFORWARD (mIHostServices, kErrMissingObject, Assert (inFile, inLine, inNote));
}
AAX_Result AAX_VHostServices::Trace (int32_t inPriority, const char* inMessage)
{
    AAX_VFORWARD (mIHostServices, kErrMissingObject, Trace (inPriority, inMessage));
}
AAX_Result AAX_VHostServices::StackTrace (int32_t inTracePriority, int32_t inStackTracePriority, const char* inMessage)
{
    AAX_VFORWARD (mIHostServicesV2, kErrNotSupported, StackTrace (inTracePriority, inStackTracePriority, inMessage));
}
