// Writes the expected file of every golden colour input from the whole pass:
//   tarnel_colour_golden [folder]   (default: tests/data/colour)
// Review the differences by eye before committing them; the tests only compare.
#include "GoldenColours.h"

#include "ColourPass.h"
#include "markup/StringText.h"

#include <cstdio>

int main(int argc, char** argv)
{
    const std::string folder = argc > 1 ? argv[1] : TEST_DATA_DIR "/colour";
    for (const std::string& input : GoldenInputs(folder)) {
        CStringText text(ReadBytes(input));
        CColourPass::ColourAll(text);
        if (!WriteBytes(ExpectedFileFor(input), RenderStyleRuns(text.m_text, text.m_styles))) {
            std::fprintf(stderr, "cannot write %s\n", ExpectedFileFor(input).c_str());
            return 1;
        }
        std::printf("%s\n", ExpectedFileFor(input).c_str());
    }
    return 0;
}
