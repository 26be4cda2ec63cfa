#pragma once
// The plug-in's GUI interface as the host calls it (version 1,
// IID_IAAXEffectGUIV1). Implemented by AAX_CEffectGUI.

#include "AAX.h"
#include "ACF/acfunknown.h"

class AAX_IString;

class AAX_IACFEffectGUI : public IACFUnknown
{
public:
    virtual AAX_Result Initialize (IACFUnknown* iController) = 0;
    virtual AAX_Result Uninitialize() = 0;
    virtual AAX_Result NotificationReceived (AAX_CTypeID inNotificationType, const void* inNotificationData, uint32_t inNotificationDataSize) = 0;
    virtual AAX_Result SetViewContainer (IACFUnknown* iViewContainer) = 0;
    virtual AAX_Result GetViewSize (AAX_Point* oViewSize) const = 0;
    virtual AAX_Result Draw (AAX_Rect* iDrawRect) = 0;
    virtual AAX_Result TimerWakeup() = 0;
    virtual AAX_Result ParameterUpdated (AAX_CParamID inParamID) = 0;
    virtual AAX_Result GetCustomLabel (AAX_EPlugInStrings iSelector, AAX_IString* oString) const = 0;
    virtual AAX_Result SetControlHighlightInfo (AAX_CParamID iParameterID, AAX_CBoolean iIsHighlighted, AAX_EHighlightColor iColor) = 0;

protected:
    ~AAX_IACFEffectGUI() = default;
};
