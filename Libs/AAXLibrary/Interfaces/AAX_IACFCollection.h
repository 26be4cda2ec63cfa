#pragma once
// The host's collection: the description of the whole plug-in package.
// Created through the host's component factory (AAXCompID_AAXCollection);
// reached through AAX_VCollection only. Once the description is complete
// the same host object also answers IID_IACFPluginDefinition.

#include "AAX.h"
#include "ACF/acfunknown.h"

class AAX_IACFCollection : public IACFUnknown
{
public:
    // Four slots the library never calls (kept for the host's own use).
    virtual AAX_Result GetPlugInDefinitionCount (int32_t* outCount) const = 0;
    virtual AAX_Result SetPlugInInfoVersion (uint32_t inVersion) = 0;
    virtual AAX_Result GetEffectCount (int32_t* outCount) const = 0;
    virtual AAX_Result ClearEffects() = 0;

    // inEffectDescriptor is the host's own effect-descriptor object.
    virtual AAX_Result AddEffect (const char* inEffectID, IACFUnknown* inEffectDescriptor) = 0;
    virtual AAX_Result SetManufacturerName (const char* inPackageName) = 0;
    virtual AAX_Result AddPackageName (const char* inPackageName) = 0;
    virtual AAX_Result SetPackageVersion (uint32_t inVersion) = 0;
    // inProperties is the host's own property-map object, or null.
    virtual AAX_Result SetProperties (IACFUnknown* inProperties) = 0;

protected:
    ~AAX_IACFCollection() = default;
};
