#include "NameChoices.h"

#include "DocumentTemplate.h"

#include <algorithm>
#include <set>

std::vector<std::string> ElementChoices(const SGrammarModel* grammar,
                                        const std::vector<std::string>& path,
                                        const std::vector<std::string>& known)
{
    const std::vector<std::string>* names = &known;
    if (grammar && path.empty()) {
        names = &grammar->roots;
    } else if (grammar) {
        if (const SElementRule* rule = grammar->Find(path.back()))
            names = &rule->children;
    }
    const std::set<std::string> sorted(names->begin(), names->end());
    return std::vector<std::string>(sorted.begin(), sorted.end());
}

std::vector<std::string> AttributeChoices(const SGrammarModel* grammar, const std::string& element,
                                          const std::vector<std::string>& written)
{
    std::vector<std::string> choices;
    const SElementRule* rule = grammar ? grammar->Find(element) : nullptr;
    if (!rule)
        return choices;
    const auto offer = [&](const std::vector<std::string>& names) {
        for (const std::string& name : names) {
            if (std::find(written.begin(), written.end(), name) == written.end())
                SGrammarModel::AddOnce(choices, name);
        }
    };
    offer(rule->requiredAttributes);
    offer(rule->attributes);
    return choices;
}

bool StartTagAtCaret(const std::string& before, std::string& element,
                     std::vector<std::string>& written)
{
    const std::size_t open = before.find_last_of('<');
    if (open == std::string::npos || before.find('>', open) != std::string::npos)
        return false;
    const std::string tag = before.substr(open);
    if (tag.size() < 2 || tag[1] == '/' || tag[1] == '!' || tag[1] == '?')
        return false;
    const std::size_t nameEnd = tag.find_first_of(" \t\r\n");
    if (nameEnd == std::string::npos || nameEnd == 1)
        return false;  // still in the name
    char quote = 0;
    for (std::size_t i = nameEnd; i < tag.size(); ++i) {
        if (quote && tag[i] == quote)
            quote = 0;
        else if (!quote && (tag[i] == '"' || tag[i] == '\''))
            quote = tag[i];
    }
    if (quote)
        return false;  // inside a value
    element = tag.substr(1, nameEnd - 1);
    written = AttributeNamesOfTag(tag);
    return true;
}
