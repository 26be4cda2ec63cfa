#pragma once
// Binds the host's effect-parameters interface (versions 1 to 3) to the
// reference-counting base. The object's interface pointer, the one handed
// to the host, is that of AAX_IACFEffectParameters_V3; it is the same
// pointer for all three versions.

#include "AAX_IACFEffectParameters.h"
#include "AAX_CACFUnknown.h"
#include "AAX_UIDs.h"

class AAX_IEffectParameters : public AAX_IACFEffectParameters_V3
    , public CACFUnknown
{
public:
    ACFRESULT QueryInterface (const acfIID& riid, void** ppOut) override
    {
        return m_DelegatingUnknown->QueryInterface (riid, ppOut);
    }
    acfUInt32 AddRef() override { return m_DelegatingUnknown->AddRef(); }
    acfUInt32 Release() override { return m_DelegatingUnknown->Release(); }

    // Any effect-parameters version gives the interface pointer; else
    // CACFUnknown's answer.
    ACFRESULT InternalQueryInterface (const acfIID& riid, void** ppOut) override
    {
        if (riid == IID_IAAXEffectParametersV1 || riid == IID_IAAXEffectParametersV2 || riid == IID_IAAXEffectParametersV3)
        {
            if (! ppOut)
                return static_cast<ACFRESULT> (kACFErrNullPointer);
            AAX_IACFEffectParameters_V3* self = this;
            *ppOut = self;
            self->AddRef();
            return ACF_OK;
        }
        return CACFUnknown::InternalQueryInterface (riid, ppOut);
    }
};
