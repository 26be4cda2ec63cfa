#include "AAX_IEffectGUI.h"

#include "AAX_UIDs.h"

ACFRESULT AAX_IEffectGUI::InternalQueryInterface (const acfIID& riid, void** ppOut)
{
    if (riid == IID_IAAXEffectGUIV1)
    {
        if (! ppOut)
            return kACFErrNullPointer;
        AAX_IACFEffectGUI* self = this;
        *ppOut = self;
        self->AddRef();
        return ACF_OK;
    }
    return CACFUnknown::InternalQueryInterface (riid, ppOut);
}
