#include "ElementNames.h"

#include <algorithm>

void CElementNames::Add(std::string_view name)
{
    if (name.empty() || name == m_last || m_names.size() >= kMaxNames)
        return;
    m_last.assign(name);
    m_names.insert(m_last);
}

void CElementNames::Clear()
{
    m_names.clear();
    m_last.clear();
}

std::vector<std::string> CElementNames::Sorted() const
{
    std::vector<std::string> names(m_names.begin(), m_names.end());
    std::sort(names.begin(), names.end());
    return names;
}
