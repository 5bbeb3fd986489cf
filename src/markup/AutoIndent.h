// What typing adds to keep markup tidy: the indentation of a new line and the end tag that
// "</" or a start tag's ">" completes.
#pragma once

#include <string>
#include <string_view>

namespace AutoIndent {

// The indentation the text uses, judged by the lines of `sample` (the text's start): a tab when
// a line is indented with one, else the fewest spaces any line is indented with; two spaces
// when no line is indented.
std::string UnitOf(std::string_view sample);

// The indentation of a line begun after `line` (the bytes before the caret on its line): the
// same as `line`'s, one `unit` deeper when it ends with a start tag.
std::string ForNewLine(std::string_view line, std::string_view unit);

// The name of the start tag that `line` ends with, or empty.
std::string StartTagEnding(std::string_view line);

}  // namespace AutoIndent
