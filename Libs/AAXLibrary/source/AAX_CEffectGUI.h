#pragma once
// Base class of the plug-in's GUI object. Answers the host's GUI interface,
// keeps the controller and transport proxies, a counted reference to the
// instance's effect-parameters object and a proxy of the host's current view
// container, and calls three operations the derived class supplies:
//   CreateViewContents()  - once, at the end of a successful Initialize;
//   CreateViewContainer() - from SetViewContainer(container), after the new
//                           container proxy is in place;
//   DeleteViewContainer() - from SetViewContainer(null), after the container
//                           proxy has been cleared.
//
// Initialize queries the host unknown for IID_IAAXEffectParametersV1; the
// host must answer with the instance's own effect-parameters object (an
// AAX_IEffectParameters made by this library).

#include "AAX_IEffectGUI.h"

class AAX_IEffectParameters;
class AAX_IACFEffectParameters;
class AAX_IViewContainer;
class AAX_IController;
class AAX_ITransport;
class AAX_VController;
class AAX_VTransport;
class AAX_VViewContainer;

class AAX_CEffectGUI : public AAX_IEffectGUI
{
public:
    AAX_CEffectGUI();
    ~AAX_CEffectGUI() override;

    // Host interface.
    AAX_Result Initialize (IACFUnknown* iController) override;
    AAX_Result Uninitialize() override;
    AAX_Result NotificationReceived (AAX_CTypeID inNotificationType, const void* inNotificationData, uint32_t inNotificationDataSize) override;
    AAX_Result SetViewContainer (IACFUnknown* iViewContainer) override;
    AAX_Result GetViewSize (AAX_Point* oViewSize) const override;
    AAX_Result Draw (AAX_Rect* iDrawRect) override;
    AAX_Result TimerWakeup() override;
    AAX_Result ParameterUpdated (AAX_CParamID inParamID) override;
    AAX_Result GetCustomLabel (AAX_EPlugInStrings iSelector, AAX_IString* oString) const override;
    AAX_Result SetControlHighlightInfo (AAX_CParamID iParameterID, AAX_CBoolean iIsHighlighted, AAX_EHighlightColor iColor) override;

protected:
    // Supplied by the derived class.
    virtual void CreateViewContents() = 0;
    virtual void CreateViewContainer() = 0;
    virtual void DeleteViewContainer() = 0;

    // Calls ParameterUpdated for every parameter of the effect, in index order.
    virtual void UpdateAllParameters();

public:
    AAX_IEffectParameters* GetEffectParameters();
    const AAX_IEffectParameters* GetEffectParameters() const;
    AAX_IViewContainer* GetViewContainer();
    const AAX_IViewContainer* GetViewContainer() const;
    // The container's view kind, 0 without a container.
    int32_t GetViewContainerType();
    // The native view, null without a container.
    void* GetViewContainerPtr();
    AAX_IController* GetController();
    const AAX_IController* GetController() const;
    AAX_ITransport* GetTransport();
    const AAX_ITransport* GetTransport() const;

private:
    AAX_Result UninitializeBase();

    AAX_VController* controller = nullptr;
    AAX_IEffectParameters* effectParameters = nullptr;
    // The same object as the host answered it (version-1 interface pointer);
    // holds the counted reference and serves the calls of UpdateAllParameters.
    AAX_IACFEffectParameters* effectParametersInterface = nullptr;
    AAX_VViewContainer* viewContainer = nullptr;
    AAX_VTransport* transport = nullptr;
};
