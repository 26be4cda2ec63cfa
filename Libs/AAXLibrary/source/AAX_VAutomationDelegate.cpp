#include "AAX_VAutomationDelegate.h"

#include "AAX_VProxyUtils.h"

AAX_VAutomationDelegate::AAX_VAutomationDelegate (IACFUnknown* pUnknown)
{
    if (! pUnknown)
        return;
    AAX_VProxyUtils::Query (pUnknown, IID_IAAXAutomationDelegateV1, mIAutomationDelegate);
}

AAX_VAutomationDelegate::~AAX_VAutomationDelegate()
{
    mIAutomationDelegate.Clear();
}

AAX_Result AAX_VAutomationDelegate::RegisterParameter (AAX_CParamID inParameterID)
{
    AAX_VFORWARD (mIAutomationDelegate, kErrMissingObject, RegisterParameter (inParameterID));
}
AAX_Result AAX_VAutomationDelegate::UnregisterParameter (AAX_CParamID inParameterID)
{
    AAX_VFORWARD (mIAutomationDelegate, kErrMissingObject, UnregisterParameter (inParameterID));
}
AAX_Result AAX_VAutomationDelegate::PostSetValueRequest (AAX_CParamID inParameterID, double inNormalizedValue) const
{
    AAX_VFORWARD (mIAutomationDelegate, kErrMissingObject, PostSetValueRequest (inParameterID, inNormalizedValue));
}
AAX_Result AAX_VAutomationDelegate::PostCurrentValue (AAX_CParamID inParameterID, double inNormalizedValue) const
{
    AAX_VFORWARD (mIAutomationDelegate, kErrMissingObject, PostCurrentValue (inParameterID, inNormalizedValue));
}
AAX_Result AAX_VAutomationDelegate::PostTouchRequest (AAX_CParamID inParameterID)
{
    AAX_VFORWARD (mIAutomationDelegate, kErrMissingObject, PostTouchRequest (inParameterID));
}
AAX_Result AAX_VAutomationDelegate::PostReleaseRequest (AAX_CParamID inParameterID)
{
    AAX_VFORWARD (mIAutomationDelegate, kErrMissingObject, PostReleaseRequest (inParameterID));
}
AAX_Result AAX_VAutomationDelegate::GetTouchState (AAX_CParamID inParameterID, AAX_CBoolean* outTouched)
{
    AAX_VFORWARD (mIAutomationDelegate, kErrMissingObject, GetTouchState (inParameterID, outTouched));
}
