#pragma once
// Owns every host parameter of one plug-in instance and finds them by
// identifier or by index (the order of addition).

#include <map>
#include <string>
#include <vector>

#include "AAX_IParameter.h"

class AAX_IAutomationDelegate;

class AAX_CParameterManager
{
public:
    AAX_CParameterManager();
    ~AAX_CParameterManager();
    AAX_CParameterManager (const AAX_CParameterManager&) = delete;
    AAX_CParameterManager& operator= (const AAX_CParameterManager&) = delete;

    // The delegate handed to every parameter added from now on.
    void Initialize (AAX_IAutomationDelegate* automationDelegate);

    // Takes ownership of param, unless it is null or its identifier is
    // already held: then param stays the caller's and nothing changes.
    void AddParameter (AAX_IParameter* param);
    // Deletes every parameter in order of addition.
    void RemoveAllParameters();

    int32_t NumParameters() const;
    AAX_IParameter* GetParameterByID (AAX_CParamID identifier);
    const AAX_IParameter* GetParameterByID (AAX_CParamID identifier) const;
    int32_t GetParameterIndex (AAX_CParamID identifier) const;
    AAX_IParameter* GetParameter (int32_t index);
    const AAX_IParameter* GetParameter (int32_t index) const;

private:
    AAX_IAutomationDelegate* automationDelegate;
    std::vector<AAX_IParameter*> parameterList;
    std::map<std::string, AAX_IParameter*> parametersByID;
};
