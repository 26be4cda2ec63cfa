#pragma once
// The library's view of the host's collection (the plug-in package
// description). Implemented only by AAX_VCollection, which owns every effect
// descriptor and property map it makes.

#include "AAX.h"

class AAX_IEffectDescriptor;
class AAX_IPropertyMap;

class AAX_ICollection
{
public:
    virtual ~AAX_ICollection() = default;

    // Makes a new effect descriptor owned by this collection; never null.
    virtual AAX_IEffectDescriptor* NewDescriptor() = 0;
    // A null descriptor answers kErrMissingObject.
    virtual AAX_Result AddEffect (const char* inEffectID, AAX_IEffectDescriptor* inEffectDescriptor) = 0;
    virtual AAX_Result SetManufacturerName (const char* inPackageName) = 0;
    virtual AAX_Result AddPackageName (const char* inPackageName) = 0;
    virtual AAX_Result SetPackageVersion (uint32_t inVersion) = 0;
    // Makes a new property map owned by this collection; never null.
    virtual AAX_IPropertyMap* NewPropertyMap() = 0;
    virtual AAX_Result SetProperties (AAX_IPropertyMap* inProperties) = 0;
};

// Fills the collection with the plug-in's description. Declared by the
// library, defined by the plug-in (its wrapper); called from
// ACFRegisterPlugin with a collection that lives for that call only.
AAX_Result GetEffectDescriptions (AAX_ICollection* outCollection);
