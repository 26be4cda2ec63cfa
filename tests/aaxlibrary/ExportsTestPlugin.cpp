// A minimal plug-in module for the export test: the interface library with a
// description that registers nothing.
#include "AAX_ICollection.h"

AAX_Result GetEffectDescriptions (AAX_ICollection*)
{
    return AAX_SUCCESS;
}
