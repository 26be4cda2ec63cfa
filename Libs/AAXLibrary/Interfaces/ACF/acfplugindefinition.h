#pragma once
// The host's component factory and the definition objects of a plug-in
// module.

#include "acfunknown.h"

// The host's factory of host-side objects (host services, description
// objects). Reached by QueryInterface with IID_IACFComponentFactory on the
// unknown the host hands to the module.
class IACFComponentFactory : public IACFUnknown
{
public:
    // Creates the component clsid and answers its interface iid in *ppOut
    // with one reference added. pUnkOuter is always null (no aggregation).
    // Returns 0 on success; on failure *ppOut stays null.
    virtual ACFRESULT CreateInstance (const acfCLSID& clsid, IACFUnknown* pUnkOuter, const acfIID& iid, void** ppOut) = 0;

protected:
    ~IACFComponentFactory() = default;
};

// What ACFRegisterPlugin hands back to the host: the host's own collection
// object answers it once the description is complete. No operations beyond
// IACFUnknown.
class IACFPluginDefinition : public IACFUnknown
{
protected:
    ~IACFPluginDefinition() = default;
};

// A component definition (ACFRegisterComponent); the library hands out none.
class IACFComponentDefinition : public IACFUnknown
{
protected:
    ~IACFComponentDefinition() = default;
};
