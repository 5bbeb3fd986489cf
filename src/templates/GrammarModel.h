// What a grammar says about each element, reduced to what a template tree needs: which
// elements may be the document element, and per element its possible children, its required
// attributes and whether it must stay empty.
#pragma once

#include <map>
#include <string>
#include <vector>

struct SElementRule
{
    std::vector<std::string> children;            // each once, in the order first mentioned
    std::vector<std::string> requiredAttributes;  // each once, in declaration order
    std::vector<std::string> attributes;          // every attribute it may have, required too
    bool bEmpty = false;                          // neither child elements nor text
};

struct SGrammarModel
{
    std::vector<std::string> roots;  // possible document elements, in declaration order
    std::map<std::string, SElementRule> elements;

    // The rule of `name`, created empty-handed on first use.
    SElementRule& Rule(const std::string& name) { return elements[name]; }
    // Null when the grammar does not declare `name`.
    const SElementRule* Find(const std::string& name) const;

    static void AddOnce(std::vector<std::string>& names, const std::string& name);
};
