// The element names a text uses, as the structure passes meet their start tags: what completion
// offers when no grammar says what is allowed. Names an edit removed stay until the text is set
// again; a text with very many names keeps the first kMaxNames.
#pragma once

#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

class CElementNames
{
public:
    static constexpr std::size_t kMaxNames = 4096;

    void Add(std::string_view name);
    void Clear();
    std::vector<std::string> Sorted() const;

private:
    std::unordered_set<std::string> m_names;
    std::string m_last;  // consecutive tags often share a name: no lookup for those
};
