#include "AAX_VViewContainer.h"

#include "AAX_VProxyUtils.h"

AAX_VViewContainer::AAX_VViewContainer (IACFUnknown* pUnknown)
{
    if (! pUnknown)
        return;
    AAX_VProxyUtils::Query (pUnknown, IID_IAAXViewContainerV1, mIViewContainer);
    AAX_VProxyUtils::Query (pUnknown, IID_IAAXViewContainerV2, mIViewContainerV2);
}

AAX_VViewContainer::~AAX_VViewContainer()
{
    mIViewContainerV2.Clear();
    mIViewContainer.Clear();
}

// Without version 1 the view container answers kErrNotSupported (not
// kErrMissingObject), no view kind, no native view, and a size change that
// reports success.
int32_t AAX_VViewContainer::GetType()
{
    AAX_VFORWARD (mIViewContainer, static_cast<int32_t> (AAX_eViewContainer_Type_NULL), GetType());
}
void* AAX_VViewContainer::GetPtr()
{
    AAX_VFORWARD (mIViewContainer, nullptr, GetPtr());
}
AAX_Result AAX_VViewContainer::GetModifiers (uint32_t* outModifiers)
{
    AAX_VFORWARD (mIViewContainer, kErrNotSupported, GetModifiers (outModifiers));
}
AAX_Result AAX_VViewContainer::SetViewSize (AAX_Point& inSize)
{
    AAX_VFORWARD (mIViewContainer, AAX_SUCCESS, SetViewSize (inSize));
}
AAX_Result AAX_VViewContainer::HandleParameterMouseDown (AAX_CParamID inParamID, uint32_t inModifiers)
{
    AAX_VFORWARD (mIViewContainer, kErrNotSupported, HandleParameterMouseDown (inParamID, inModifiers));
}
AAX_Result AAX_VViewContainer::HandleParameterMouseDrag (AAX_CParamID inParamID, uint32_t inModifiers)
{
    AAX_VFORWARD (mIViewContainer, kErrNotSupported, HandleParameterMouseDrag (inParamID, inModifiers));
}
AAX_Result AAX_VViewContainer::HandleParameterMouseUp (AAX_CParamID inParamID, uint32_t inModifiers)
{
    AAX_VFORWARD (mIViewContainer, kErrNotSupported, HandleParameterMouseUp (inParamID, inModifiers));
}
AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseDown (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams, uint32_t inModifiers)
{
    AAX_VFORWARD (mIViewContainerV2, kErrNotSupported, HandleMultipleParametersMouseDown (inParamIDs, inNumOfParams, inModifiers));
}
AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseDrag (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams, uint32_t inModifiers)
{
    AAX_VFORWARD (mIViewContainerV2, kErrNotSupported, HandleMultipleParametersMouseDrag (inParamIDs, inNumOfParams, inModifiers));
}
AAX_Result AAX_VViewContainer::HandleMultipleParametersMouseUp (const AAX_CParamID* inParamIDs, uint32_t inNumOfParams, uint32_t inModifiers)
{
    AAX_VFORWARD (mIViewContainerV2, kErrNotSupported, HandleMultipleParametersMouseUp (inParamIDs, inNumOfParams, inModifiers));
}
