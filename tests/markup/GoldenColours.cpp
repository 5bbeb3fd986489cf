#include "GoldenColours.h"

#include "MarkupScanner.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace {

const char* StyleName(char style)
{
    static const char* const kNames[] = {"uncoloured", "text", "bracket",  "tag",
                                         "quoted",     "tail", "tail-bold"};
    const auto index = static_cast<unsigned char>(style);
    return index < std::size(kNames) ? kNames[index] : "unknown";
}

// Where the line that starts at `from` ends, just after its line end.
std::size_t LineEnd(const std::string& text, std::size_t from)
{
    const std::size_t nBreak = text.find_first_of("\r\n", from);
    if (nBreak == std::string::npos)
        return text.size();
    if (text[nBreak] == '\r' && nBreak + 1 < text.size() && text[nBreak + 1] == '\n')
        return nBreak + 2;
    return nBreak + 1;
}

}  // namespace

std::string RenderStyleRuns(const std::string& text, const std::string& styles)
{
    std::string out;
    for (std::size_t nLine = 0; nLine < text.size();) {
        const std::size_t nEnd = LineEnd(text, nLine);
        for (std::size_t i = nLine; i < nEnd;) {
            std::size_t j = i;
            while (j < nEnd && styles[j] == styles[i])
                ++j;
            if (i > nLine)
                out += ' ';
            out += StyleName(styles[i]) + (':' + std::to_string(j - i));
            i = j;
        }
        out += '\n';
        nLine = nEnd;
    }
    return out;
}

std::vector<std::string> GoldenInputs(const std::string& folder)
{
    std::vector<std::string> inputs;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::filesystem::path& path = entry.path();
        if (entry.is_regular_file() && path.extension() != ".styled"
            && path.filename() != "README.md")
            inputs.push_back(path.string());
    }
    std::sort(inputs.begin(), inputs.end());
    return inputs;
}

std::string ExpectedFileFor(const std::string& input)
{
    return input + ".styled";
}

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

bool WriteBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}
