// Re-indents well-formed XML one element per line, changing only whitespace between markup:
// text, mixed content, comments, CDATA, processing instructions, attribute values and
// xml:space="preserve" subtrees keep every byte. Formatting its own result changes nothing.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace XmlFormatter {

// Told (done, total) now and then; false stops the work.
using Progress = std::function<bool(long long nDone, long long nTotal)>;

enum class EMode
{
    Indent,  // one element per line, `unit` per level
    Join     // the whitespace Indent would re-indent removed: markup joined on its lines
};

struct SJob
{
    EMode eMode = EMode::Indent;
    std::string_view unit = "  ";
    std::string_view lineEnd = "\n";  // the text's own line end
    // A selection: only the nodes it covers among the children of the deepest element whose
    // content holds it, at their own indentation. Empty: the whole text.
    std::size_t nStart = 0;
    std::size_t nEnd = 0;
    Progress progress;
};

enum class EOutcome
{
    Done,
    NothingCovered,  // the selection holds only whitespace
    Stopped
};

// `text` must be well-formed. `out` gets the whole text, formatted where the job says.
EOutcome Run(std::string_view text, const SJob& job, std::string& out);
// The whole text indented.
std::string Format(std::string_view text, std::string_view unit, std::string_view lineEnd);

}  // namespace XmlFormatter
