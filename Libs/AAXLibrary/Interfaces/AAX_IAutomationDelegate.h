#pragma once
// The library's view of the host's automation delegate. Implemented only by
// AAX_VAutomationDelegate (version 1 missing: kErrMissingObject).

#include "AAX.h"

class AAX_IAutomationDelegate
{
public:
    virtual ~AAX_IAutomationDelegate() = default;

    virtual AAX_Result RegisterParameter (AAX_CParamID inParameterID) = 0;
    virtual AAX_Result UnregisterParameter (AAX_CParamID inParameterID) = 0;
    virtual AAX_Result PostSetValueRequest (AAX_CParamID inParameterID, double inNormalizedValue) const = 0;
    virtual AAX_Result PostCurrentValue (AAX_CParamID inParameterID, double inNormalizedValue) const = 0;
    virtual AAX_Result PostTouchRequest (AAX_CParamID inParameterID) = 0;
    virtual AAX_Result PostReleaseRequest (AAX_CParamID inParameterID) = 0;
    virtual AAX_Result GetTouchState (AAX_CParamID inParameterID, AAX_CBoolean* outTouched) = 0;
};
