#include "GrammarModel.h"

#include <algorithm>

const SElementRule* SGrammarModel::Find(const std::string& name) const
{
    const auto it = elements.find(name);
    return it == elements.end() ? nullptr : &it->second;
}

void SGrammarModel::AddOnce(std::vector<std::string>& names, const std::string& name)
{
    if (std::find(names.begin(), names.end(), name) == names.end())
        names.push_back(name);
}
