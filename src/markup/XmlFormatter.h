// Re-indents well-formed XML one element per line, changing only whitespace between markup:
// text, mixed content, comments, CDATA, processing instructions, attribute values and
// xml:space="preserve" subtrees keep every byte. Formatting its own result changes nothing.
#pragma once

#include <string>
#include <string_view>

namespace XmlFormatter {

// `text` must be well-formed; `unit` is one level's indentation, `lineEnd` the text's line end.
std::string Format(std::string_view text, std::string_view unit, std::string_view lineEnd);

}  // namespace XmlFormatter
