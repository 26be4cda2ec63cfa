#pragma once
// Binds the host's GUI interface (version 1) to the reference-counting base.
// The object's interface pointer, the one handed to the host, is that of
// AAX_IACFEffectGUI.

#include "AAX_IACFEffectGUI.h"
#include "AAX_CACFUnknown.h"

class AAX_IEffectGUI : public AAX_IACFEffectGUI
    , public CACFUnknown
{
public:
    ACFRESULT QueryInterface (const acfIID& riid, void** ppOut) override
    {
        return m_DelegatingUnknown->QueryInterface (riid, ppOut);
    }
    acfUInt32 AddRef() override { return m_DelegatingUnknown->AddRef(); }
    acfUInt32 Release() override { return m_DelegatingUnknown->Release(); }

    // IID_IAAXEffectGUIV1 gives the interface pointer; else CACFUnknown's answer.
    ACFRESULT InternalQueryInterface (const acfIID& riid, void** ppOut) override;
};
