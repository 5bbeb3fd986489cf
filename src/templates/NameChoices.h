// The names offered while typing markup: element names after "<", attribute names in a start
// tag. Kept cheap: nothing here reads the text beyond the tag at the caret.
#pragma once

#include "GrammarModel.h"

#include <string>
#include <vector>

// After "<": the names the grammar allows in the innermost element of `path` (as the document
// element when `path` is empty); without a grammar that knows it, `known` (names seen
// elsewhere). Sorted, each once.
std::vector<std::string> ElementChoices(const SGrammarModel* grammar,
                                        const std::vector<std::string>& path,
                                        const std::vector<std::string>& known);

// In a start tag of `element`: its attributes not yet `written`, required ones first, each group
// in the grammar's order.
std::vector<std::string> AttributeChoices(const SGrammarModel* grammar, const std::string& element,
                                          const std::vector<std::string>& written);

// The start tag the caret stands in: `before` holds the bytes before the caret (a bounded
// stretch). True, with the element name and the attribute names written so far, when the caret
// is in a start tag's attribute area: after "<name", outside any quoted value.
bool StartTagAtCaret(const std::string& before, std::string& element,
                     std::vector<std::string>& written);
