// Reading and writing one character of UTF-8 at a time.
#pragma once

#include <optional>
#include <string>

void AppendUtf8(std::string& utf8, char32_t code);

// The code point starting at `i`, moving `i` past it; nullopt for a malformed sequence.
std::optional<char32_t> NextCodePoint(const std::string& utf8, std::size_t& i);
