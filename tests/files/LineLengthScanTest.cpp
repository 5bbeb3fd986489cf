#include "LineLengthScan.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct SScanCase
{
    const char* name;
    std::vector<std::string> pieces;
    long long nLongest;
};

TEST(LineLengthScanTest, FindsTheLongestLineWhateverTheLineEndsAndPieces)
{
    const std::string kLong(5000, 'x');
    const std::vector<SScanCase> cases = {
        {"empty", {}, 0},
        {"one line without an end", {"<a>text</a>"}, 11},
        {"LF", {"ab\nabcd\nabc"}, 4},
        {"CR LF is not part of the line", {"abcd\r\nab\r\n"}, 4},
        {"lone CR ends a line", {"abcd\rab\rabcdef"}, 6},
        {"a line across three pieces", {"a\nxx", "xxxx", "xx\nb"}, 8},
        {"CR LF cut between pieces", {"abc\r", "\nabcde\r", "\n"}, 5},
        {"last line longest, unfinished", {"ab\n", kLong}, 5000},
        {"first line longest", {kLong + "\nshort\n"}, 5000},
        {"empty pieces change nothing", {"", "abc", "", "de"}, 5},
    };
    for (const SScanCase& c : cases) {
        CLineLengthScan scan;
        for (const std::string& piece : c.pieces)
            scan.Feed(piece.data(), piece.size());
        EXPECT_EQ(scan.Longest(), c.nLongest) << c.name;
    }
}

}  // namespace
