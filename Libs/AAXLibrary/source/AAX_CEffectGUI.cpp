#include "AAX_CEffectGUI.h"

#include "AAX_CString.h"
#include "AAX_IEffectParameters.h"
#include "AAX_UIDs.h"
#include "AAX_VController.h"
#include "AAX_VTransport.h"
#include "AAX_VViewContainer.h"

AAX_CEffectGUI::AAX_CEffectGUI() = default;

AAX_CEffectGUI::~AAX_CEffectGUI()
{
    UninitializeBase();
    delete viewContainer;
    viewContainer = nullptr;
}

AAX_Result AAX_CEffectGUI::Initialize (IACFUnknown* iController)
{
    // The controller proxy is made before the host is checked: over a null
    // host it answers every operation with its missing-interface result.
    delete controller;
    controller = new AAX_VController (iController);
    if (! iController)
        return kErrNoHost;

    // The query's result is not looked at: a host that refuses leaves
    // effectParameters null, which is not an error.
    if (effectParametersInterface)
    {
        effectParametersInterface->Release();
        effectParametersInterface = nullptr;
        effectParameters = nullptr;
    }
    void* answered = nullptr;
    iController->QueryInterface (IID_IAAXEffectParametersV1, &answered);
    if (answered)
    {
        effectParametersInterface = static_cast<AAX_IACFEffectParameters*> (answered);
        effectParameters = static_cast<AAX_IEffectParameters*> (static_cast<AAX_IACFEffectParameters_V3*> (effectParametersInterface));
    }

    delete transport;
    transport = new AAX_VTransport (iController);
    CreateViewContents();
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::Uninitialize()
{
    return UninitializeBase();
}

AAX_Result AAX_CEffectGUI::UninitializeBase()
{
    if (effectParametersInterface)
    {
        AAX_IACFEffectParameters* reference = effectParametersInterface;
        effectParametersInterface = nullptr;
        effectParameters = nullptr;
        reference->Release();
    }
    delete controller;
    controller = nullptr;
    delete transport;
    transport = nullptr;
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::NotificationReceived (AAX_CTypeID, const void*, uint32_t)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::SetViewContainer (IACFUnknown* iViewContainer)
{
    // The previous container's proxy is dropped when a new one replaces it or
    // the host clears it, so that no host container is held longer than needed.
    AAX_VViewContainer* previous = viewContainer;
    if (iViewContainer)
    {
        viewContainer = new AAX_VViewContainer (iViewContainer);
        delete previous;
        CreateViewContainer();
        UpdateAllParameters();
    }
    else
    {
        viewContainer = nullptr;
        delete previous;
        DeleteViewContainer();
    }
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::GetViewSize (AAX_Point*) const
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::Draw (AAX_Rect*)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::TimerWakeup()
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::ParameterUpdated (AAX_CParamID)
{
    return AAX_SUCCESS;
}

AAX_Result AAX_CEffectGUI::GetCustomLabel (AAX_EPlugInStrings, AAX_IString*) const
{
    return kErrMissingObject;
}

AAX_Result AAX_CEffectGUI::SetControlHighlightInfo (AAX_CParamID, AAX_CBoolean, AAX_EHighlightColor)
{
    return AAX_SUCCESS;
}

void AAX_CEffectGUI::UpdateAllParameters()
{
    if (! effectParametersInterface)
        return;
    int32_t count = 0;
    if (effectParametersInterface->GetNumberOfParameters (&count) != AAX_SUCCESS || count < 0)
        return;
    for (int32_t index = 0; index < count; ++index)
    {
        AAX_CString identifier;
        if (effectParametersInterface->GetParameterIDFromIndex (index, &identifier) == AAX_SUCCESS)
            ParameterUpdated (identifier.Get());
    }
}

AAX_IEffectParameters* AAX_CEffectGUI::GetEffectParameters() { return effectParameters; }
const AAX_IEffectParameters* AAX_CEffectGUI::GetEffectParameters() const { return effectParameters; }
AAX_IViewContainer* AAX_CEffectGUI::GetViewContainer() { return viewContainer; }
const AAX_IViewContainer* AAX_CEffectGUI::GetViewContainer() const { return viewContainer; }

int32_t AAX_CEffectGUI::GetViewContainerType()
{
    return viewContainer ? viewContainer->GetType() : static_cast<int32_t> (AAX_eViewContainer_Type_NULL);
}

void* AAX_CEffectGUI::GetViewContainerPtr()
{
    return viewContainer ? viewContainer->GetPtr() : nullptr;
}

AAX_IController* AAX_CEffectGUI::GetController() { return controller; }
const AAX_IController* AAX_CEffectGUI::GetController() const { return controller; }
AAX_ITransport* AAX_CEffectGUI::GetTransport() { return transport; }
const AAX_ITransport* AAX_CEffectGUI::GetTransport() const { return transport; }
