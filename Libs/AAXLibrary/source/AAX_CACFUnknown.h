#pragma once
// Reference-counted base of every object the library hands to the host.
//
// The object's public IACFUnknown entries (in the interface classes that
// derive from this one) delegate to m_DelegatingUnknown, which is the
// embedded private unknown; the private unknown calls the owner's virtual
// InternalQueryInterface / InternalAddRef / InternalRelease, so overrides in
// derived classes are the ones reached. A new object has count 0; the
// release that brings it back to 0 runs FinalRelease, then ReclaimMemory
// (delete). The module counts live objects in m_ActiveObjects.

#include <atomic>

#include "acfunknown.h"

class CACFUnknown
{
public:
    CACFUnknown();
    CACFUnknown (const CACFUnknown&) = delete;
    CACFUnknown& operator= (const CACFUnknown&) = delete;
    virtual ~CACFUnknown();

    // Number of CACFUnknown objects alive in the module.
    static acfUInt32 GetActiveObjectCount();

    // Does nothing; returns 0.
    virtual ACFRESULT InitializeInstance (IACFUnknown* pUnkOuter);
    // Hook run just before the object is reclaimed; does nothing here.
    virtual void FinalRelease();
    // Deletes the object through its virtual destructor.
    virtual void ReclaimMemory();
    // Answers IID_IACFUnknown with the private unknown (one reference added);
    // anything else: *ppOut null, kACFErrNoInterface.
    virtual ACFRESULT InternalQueryInterface (const acfIID& riid, void** ppOut);
    virtual acfUInt32 InternalAddRef();
    virtual acfUInt32 InternalRelease();

protected:
    // The object's inner unknown.
    class PrivateUnknown : public IACFUnknown
    {
    public:
        explicit PrivateUnknown (CACFUnknown* owner)
            : m_Owner (owner)
        {}
        ACFRESULT QueryInterface (const acfIID& riid, void** ppOut) override;
        acfUInt32 AddRef() override;
        acfUInt32 Release() override;

    private:
        CACFUnknown* m_Owner;
    };

    IACFUnknown* GetDelegatingUnknown() const { return m_DelegatingUnknown; }
    IACFUnknown* GetPrivateUnknown() { return &m_PrivateUnknown; }

    std::atomic<acfUInt32> m_RefCount;
    IACFUnknown* m_DelegatingUnknown;
    PrivateUnknown m_PrivateUnknown;

private:
    static std::atomic<acfUInt32> m_ActiveObjects;
};
