// Writes a template tree as an ordinary template file that loads back to the same tree.
#pragma once

#include <QString>
#include <string>
#include <utility>
#include <vector>

struct TemplateNode;

// The element that holds several top-level templates in one file: the loader makes its
// children the top-level items (a document has one document element; a grammar may allow many).
constexpr char kTemplatesElement[] = "tarn:templates";

// The file's text: UTF-8, two-space indentation, "tarn:single" on single elements, the
// top-level nodes inside kTemplatesElement when there are several.
std::string TemplateFileText(const TemplateNode& root);

// Writes TemplateFileText(root) to `path` without ever leaving a half-written file. Empty on
// success, else a sentence naming the file and the reason.
QString SaveTemplateFile(const TemplateNode& root, const QString& path);

// The (name, value) pairs of a node's attribute text `a="1" b="2" `.
std::vector<std::pair<std::string, std::string>> SplitAttributeText(const std::string& text);
