// The golden colour files in tests/data/colour: each input beside its expected styles in a
// readable form (see the README there).
#pragma once

#include <string>
#include <vector>

// One line per line of `text` (ended by LF, CR LF or a lone CR), its runs as style-name:length;
// a run crossing a line end is cut there.
std::string RenderStyleRuns(const std::string& text, const std::string& styles);

// The input files of `folder`, sorted: every file but the expected ones and the README.
std::vector<std::string> GoldenInputs(const std::string& folder);
std::string ExpectedFileFor(const std::string& input);

std::string ReadBytes(const std::string& path);
bool WriteBytes(const std::string& path, const std::string& bytes);
