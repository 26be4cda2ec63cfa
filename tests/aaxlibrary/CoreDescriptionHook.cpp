// The plug-in's description function, supplied here by the tests: it runs
// whatever the test installed in fakes::Describe().
#include "CoreFakes.h"

AAX_Result GetEffectDescriptions (AAX_ICollection* outCollection)
{
    if (fakes::Describe())
        return fakes::Describe() (outCollection);
    return AAX_SUCCESS;
}
