// The product's model reader against the reference reader (formatted stream
// extraction), bit for bit: the six lists, NaN included, and the status.

#include "scene/ObjParser.h"

#include "fuzz/ReferenceObjParser.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <string_view>

using namespace Quorvane;

namespace {

// The text with every byte outside printable ASCII escaped, for a failure message.
std::string printable(std::string_view text)
{
    std::string shown;
    for (const char c : text) {
        if (c >= ' ' && c <= '~') {
            shown += c;
        } else {
            static const char hex[] = "0123456789abcdef";
            const auto byte = static_cast<unsigned char>(c);
            shown += std::string("\\x") + hex[byte >> 4] + hex[byte & 15];
        }
    }
    return shown;
}

void expectSameAsReference(std::string_view text)
{
    Mesh fast, reference;
    const MeshLoadStatus fastStatus = parseObjText(text, fast);
    EXPECT_EQ(fastStatus, referenceParseObjText(text, reference)) << printable(text);
    EXPECT_TRUE(sameMeshBits(fast, reference)) << printable(text);
}

// Spellings where the stream's float and int grammars, and its conversion
// (correct rounding, ±FLT_MAX with failure beyond the float range, rounding
// to 0 or a denormal below it, 0 for a failed one) are easy to get wrong.
// clang-format off
const char* const spellings[] = {
    "0", "-0", "+0", "00012", "1.5", "-1.5", "+2.25e1", "3E-1", ".5", "5.", ".", "-.", "+.", "-.5e+", "1e",
    "1e+", "1e-", "e5", "E5", "1e5e3", "1.5.3", "1..5", "+-1", "-+1", "--1", "++1", "-", "+", "0x1A", "0X1p3",
    "0x", "inf", "-inf", "INF", "nan", "-nan", "NaN(1)", "infinity", "1,5", "1/2", "1#", "#1", "0.1", "0.2",
    "0.30000001", "0.00000000001", "-0.000000000012345", "16777216", "16777217", "16777219", "123456789", "1234567890123456789012345",
    "0.000000000000000000000000000000000000000000001", "1e-38", "1.17549435e-38", "1e-40", "1.4e-45",
    "1e-45", "7e-46", "7.1e-46", "1e-46", "-1e-50", "1e-99999999999", "0e99999999999", "3.4028234e38",
    "3.40282347e38", "3.4028235e38", "3.40282357e38", "3.4028236e38", "1e39", "-1e39", "1e99999999999",
    "99999999999999999999999999999999999999999", "0.0000000000000000000000000000000000000000000000000001e60",
    "2147483647", "2147483648", "-2147483648", "-2147483649", "4294967296", "4294967297", "9223372036854775808",
    "18446744073709551617", "\xe2\x88\x92" "1", "\xa0" "1", "\x80", "\xff"};
// clang-format on

// Every place a number is read: the three of a position, the two of a
// texture coordinate, a normal's, and each index of a face reference.
// clang-format off
const char* const places[] = {
    "v # 2 3",           "v 1 # 3",           "v 1 2 #",           "vt # 0.5",          "vt 0.5 #",
    "vn 1 # 0",          "vn # 0 0",          "f #/1/1 2/2/2 3/3/3", "f 1/#/1 2/2/2 3/3/3", "f 1/1/# 2/2/2 3/3/3",
    "f 1/1/1 2/2/2 3/3/#"};
// clang-format on

TEST(ObjParserDifferential, EveryNumberSpellingInEveryPlace)
{
    for (const std::string_view place : places) {
        for (const char* spelling : spellings) {
            std::string line(place);
            line.replace(line.find('#'), 1, spelling);
            expectSameAsReference(line + "\n");
        }
    }
}

TEST(ObjParserDifferential, BlanksLineEndsKeywordsAndFaceShapes)
{
    using namespace std::string_literals;
    const std::string texts[] = {
        "v 1 2 3", // no line end
        "v 1 2 3\r\nvn 0 0 2\r\nvt .5 .5\r\nf 1/1/1 2/2/2 3/3/3\r\n",
        "v\t1 2 3\n v 1 2 3\nV 1 2 3\nv\nvn\nvt\nv \nvn \nvt \nf \nf\n",
        "v \t1\v2\f3\r\nv 1\r2\r3\n",
        "v 1\0 2 3\nv 1 \0 3\n\0v 1 2 3\nf 1/1/1 2/2/2 3/3/3\0\n"s,
        "vn 0 0 0\nvn 1e39 1e39 1e39\nvn 1e-40 0 0\nvn -0 -0 1\nvn 1e20 1e20 0\n",
        "vnx 1 2 3\nvn  1 2 3\nvtn 1 2\nvt  1 2\nv  1 2 3\nff 1/1/1 2/2/2 3/3/3\n",
        "f 1/1/1 2/2/2 3/3/3 4/4/4\nv 9 9 9\n",
        "f 1/1/1 2/2/2 3/3/3 4/4/4 5/5/5\n",
        "f 1 / 1 / 1  2/ 2 /2\t3/3/3\r\n",
        "f 1/1/1/2/2/2/3/3/3\n",
        "f 1-1-1 2x2x2 3\0"
        "3\0"
        "3 # comment\n"s,
        "f 1//1 2//2 3//3\n",
        "f 1/1/1 2/2/2 3/3/3 4\nf 1/1/1 2/2/2 3/3/3 4/4\nf 1/1/1 2/2/2 3/3/3 4/4/\n",
        "f 1/1/1 2/2/2\n",
        "f +1/-1/+0 2/2/2 3/3/3\n",
        "f 99999999999999999999/1/1 2/2/2 3/3/3\n",
        "f 2147483647/-2147483648/1 2/2/2 3/3/3\n",
        "\n\n\r\n",
    };
    for (const std::string& text : texts)
        expectSameAsReference(text);
}

// Random texts from pieces that matter to the grammar, from a fixed seed
// (the engine's sequence is the same on every platform).
TEST(ObjParserDifferential, GeneratedTextsReadTheSame)
{
    const char* const pieces[] = {
        "v ",       "vn ",        "vt ",         "f ",  "v",     "n",    "t",    "f",    " ",
        "\t",       "\r",         "\n",          "\n",  "0",     "1",    "7",    "00",   "123456789",
        "16777217", "2147483648", "99999999999", ".",   "-",     "+",    "e",    "E",    "e-",
        "x",        "0x",         "inf",         "nan", "/",     "#",    "\x80", "1e38", "1e39",
        "1e-45",    "1e-46",      "1e-50",       "0.1", "-.5e+", "1.5.3"};
    constexpr std::size_t pieceCount = std::size(pieces);
    std::mt19937 engine(20261207);
    for (int text = 0; text < 20000; ++text) {
        std::string generated;
        const std::uint32_t length = engine() % 40;
        for (std::uint32_t piece = 0; piece < length; ++piece) {
            if (engine() % 5 == 0)
                generated += '\0';
            generated += pieces[engine() % pieceCount];
        }
        expectSameAsReference(generated);
        if (testing::Test::HasFailure())
            return;
    }
}

// The counts that make room before a load must match what the parser appends,
// for every keyword and every near miss of one.
TEST(ObjLineCount, CountsWhatTheParserAppends)
{
    // clang-format off
    const char* const lines[] = {
        "v 1 2 3", "vn 0 0 1", "vt 0.5 0.5", "f 1/1/1 2/2/2 3/3/3", "v ", "vn ", "vt ", "v", "vn", "vt", "f",
        "v\t1 2 3", " v 1 2 3", "V 1 2 3", "vnx 1 2 3", "vtn 1 2", "# v 1 2 3", "vp 1 2", "ff 1/1/1 2/2/2 3/3/3"};
    // clang-format on
    for (const char* line : lines) {
        Mesh mesh;
        ObjLineCounts counts;
        ASSERT_TRUE(parseObjLine(line, mesh)) << line;
        countObjLine(line, counts);
        EXPECT_EQ(counts.vertices, mesh.vertices.size()) << line;
        EXPECT_EQ(counts.uvs, mesh.uvs.size()) << line;
        EXPECT_EQ(counts.normals, mesh.normals.size()) << line;
        EXPECT_EQ(counts.faces, mesh.faceVertexIndices.size()) << line;
    }
}

} // namespace
