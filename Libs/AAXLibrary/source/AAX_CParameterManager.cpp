#include "AAX_CParameterManager.h"

#include <cstring>

AAX_CParameterManager::AAX_CParameterManager()
    : automationDelegate (nullptr)
{}

AAX_CParameterManager::~AAX_CParameterManager() { RemoveAllParameters(); }

void AAX_CParameterManager::Initialize (AAX_IAutomationDelegate* delegate) { automationDelegate = delegate; }

void AAX_CParameterManager::AddParameter (AAX_IParameter* param)
{
    if (param == nullptr)
        return;
    if (GetParameterByID (param->Identifier()) != nullptr)
        return;
    param->SetAutomationDelegate (automationDelegate);
    parameterList.push_back (param);
    parametersByID.insert (std::make_pair (std::string (param->Identifier()), param));
}

void AAX_CParameterManager::RemoveAllParameters()
{
    // Detach the containers first so that nothing reaches a parameter being deleted.
    std::vector<AAX_IParameter*> list;
    list.swap (parameterList);
    parametersByID.clear();
    for (AAX_IParameter* p : list)
        delete p;
}

int32_t AAX_CParameterManager::NumParameters() const { return static_cast<int32_t> (parameterList.size()); }

AAX_IParameter* AAX_CParameterManager::GetParameterByID (AAX_CParamID identifier)
{
    if (identifier == nullptr)
        return nullptr;
    auto it = parametersByID.find (std::string (identifier));
    return it == parametersByID.end() ? nullptr : it->second;
}

const AAX_IParameter* AAX_CParameterManager::GetParameterByID (AAX_CParamID identifier) const
{
    return const_cast<AAX_CParameterManager*> (this)->GetParameterByID (identifier);
}

int32_t AAX_CParameterManager::GetParameterIndex (AAX_CParamID identifier) const
{
    if (identifier == nullptr)
        return -1;
    for (size_t i = 0; i < parameterList.size(); ++i)
        if (std::strcmp (parameterList[i]->Identifier(), identifier) == 0)
            return static_cast<int32_t> (i);
    return -1;
}

AAX_IParameter* AAX_CParameterManager::GetParameter (int32_t index)
{
    if (index < 0 || index >= NumParameters())
        return nullptr;
    return parameterList[static_cast<size_t> (index)];
}

const AAX_IParameter* AAX_CParameterManager::GetParameter (int32_t index) const
{
    return const_cast<AAX_CParameterManager*> (this)->GetParameter (index);
}
