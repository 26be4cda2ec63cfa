#include "AAX_CACFUnknown.h"

#include "AAX_UIDs.h"

std::atomic<acfUInt32> CACFUnknown::m_ActiveObjects { 0 };

CACFUnknown::CACFUnknown()
    : m_RefCount (0)
    , m_DelegatingUnknown (nullptr)
    , m_PrivateUnknown (this)
{
    m_DelegatingUnknown = &m_PrivateUnknown;
    m_ActiveObjects.fetch_add (1, std::memory_order_relaxed);
}

CACFUnknown::~CACFUnknown()
{
    m_ActiveObjects.fetch_sub (1, std::memory_order_relaxed);
}

acfUInt32 CACFUnknown::GetActiveObjectCount()
{
    return m_ActiveObjects.load (std::memory_order_relaxed);
}

ACFRESULT CACFUnknown::InitializeInstance (IACFUnknown*)
{
    return ACF_OK;
}

void CACFUnknown::FinalRelease()
{
}

void CACFUnknown::ReclaimMemory()
{
    delete this;
}

ACFRESULT CACFUnknown::InternalQueryInterface (const acfIID& riid, void** ppOut)
{
    if (! ppOut)
        return kACFErrNullPointer;
    *ppOut = nullptr;
    if (riid == IID_IACFUnknown)
    {
        *ppOut = static_cast<IACFUnknown*> (&m_PrivateUnknown);
        InternalAddRef();
        return ACF_OK;
    }
    return kACFErrNoInterface;
}

acfUInt32 CACFUnknown::InternalAddRef()
{
    return m_RefCount.fetch_add (1, std::memory_order_relaxed) + 1;
}

acfUInt32 CACFUnknown::InternalRelease()
{
    const acfUInt32 count = m_RefCount.fetch_sub (1, std::memory_order_acq_rel) - 1;
    if (count == 0)
    {
        FinalRelease();
        ReclaimMemory();
    }
    return count;
}

ACFRESULT CACFUnknown::PrivateUnknown::QueryInterface (const acfIID& riid, void** ppOut)
{
    return m_Owner->InternalQueryInterface (riid, ppOut);
}

acfUInt32 CACFUnknown::PrivateUnknown::AddRef()
{
    return m_Owner->InternalAddRef();
}

acfUInt32 CACFUnknown::PrivateUnknown::Release()
{
    return m_Owner->InternalRelease();
}
