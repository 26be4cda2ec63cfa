#pragma once
// The base of every host interface and of every object handed to the host.

#include "acfbasetypes.h"
#include "acfresult.h"

class IACFUnknown
{
public:
    virtual ACFRESULT QueryInterface (const acfIID& iid, void** ppOut) = 0;
    virtual acfUInt32 AddRef() = 0;
    virtual acfUInt32 Release() = 0;

protected:
    ~IACFUnknown() = default; // lifetime is managed through Release only
};
