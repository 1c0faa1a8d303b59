#include "scene/ObjParser.h"

#include <charconv>
#include <cstdint>
#include <limits>

namespace Quorvane {

namespace {

// The blanks of the classic "C" locale, which formatted extraction skips:
// space, tab, line feed, vertical tab, form feed and carriage return.
bool isBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// A position in one line, and how formatted extraction from an input stream
// would read from it. Each read skips blanks first; once a read has failed,
// the stream's failbit makes every later read of the line fail and leave its
// target alone, which the callers get by stopping at the first failure.
// Every integer up to 2^24 is a float, and so is every power of ten up to
// 10^10 (5^10 < 2^24).
constexpr std::uint64_t exactLimit = std::uint64_t{1} << 24;
constexpr int maxExactPowerOfTen = 10;
constexpr float exactPowersOfTen[maxExactPowerOfTen + 1] = {1e0f, 1e1f, 1e2f, 1e3f, 1e4f, 1e5f,
                                                            1e6f, 1e7f, 1e8f, 1e9f, 1e10f};

class LineReader {
public:
    explicit LineReader(std::string_view line) : next_(line.data()), end_(line.data() + line.size()) {}

    void skip(std::size_t characters) { next_ += characters; }

    // As stream >> c: the next non-blank character.
    bool readCharacter()
    {
        if (!skipBlanks())
            return false;
        ++next_;
        return true;
    }

    // As stream >> i for an int: optional sign, decimal digits, and a value
    // that fits in an int (a larger one fails, like the stream's overflow).
    bool readInt(int& value)
    {
        if (!skipBlanks())
            return false;
        bool negative = false;
        if (*next_ == '+' || *next_ == '-') {
            negative = *next_ == '-';
            ++next_;
        }
        const char* digits = next_;
        std::int64_t magnitude = 0;
        constexpr std::int64_t beyondInt = std::int64_t{1} << 32;
        while (next_ != end_ && isDigit(*next_)) {
            if (magnitude < beyondInt)
                magnitude = magnitude * 10 + (*next_ - '0');
            ++next_;
        }
        if (next_ == digits)
            return false;
        const std::int64_t signedValue = negative ? -magnitude : magnitude;
        if (signedValue < std::numeric_limits<int>::min() || signedValue > std::numeric_limits<int>::max())
            return false;
        value = static_cast<int>(signedValue);
        return true;
    }

    // As stream >> f for a float. The stream first gathers the longest text
    // of the form [sign] digits [. digits] [e [sign] digits] (each digit run
    // may be empty, and "e" counts only after a digit), then converts it as
    // a whole: no digit before the "e", or none after it, fails with 0; a
    // value beyond the float range fails with the largest float of its
    // sign; a value too small for a float is rounded, to 0 if need be.
    bool readFloat(float& value)
    {
        if (!skipBlanks())
            return false;
        const char* const start = next_;
        bool negative = false;
        if (*next_ == '+' || *next_ == '-') {
            negative = *next_ == '-';
            ++next_;
        }
        const char* const mantissa = next_;
        int mantissaDigits = 0;
        int fractionDigits = 0;
        std::uint64_t digits = 0; // exact while below exactLimit
        bool point = false;
        for (; next_ != end_; ++next_) {
            if (isDigit(*next_)) {
                ++mantissaDigits;
                fractionDigits += point ? 1 : 0;
                if (digits < exactLimit)
                    digits = digits * 10 + static_cast<std::uint64_t>(*next_ - '0');
            } else if (*next_ == '.' && !point) {
                point = true;
            } else {
                break;
            }
        }
        const char* const mantissaEnd = next_;
        int exponentDigits = -1; // no exponent
        if (next_ != end_ && (*next_ == 'e' || *next_ == 'E') && mantissaDigits > 0) {
            ++next_;
            if (next_ != end_ && (*next_ == '+' || *next_ == '-'))
                ++next_;
            exponentDigits = 0;
            while (next_ != end_ && isDigit(*next_)) {
                ++exponentDigits;
                ++next_;
            }
        }
        if (mantissaDigits == 0 || exponentDigits == 0) {
            value = 0.0f;
            return false;
        }
        // Most numbers of a model have a few digits and no exponent: then the
        // digits and the power of ten are exact floats, and one IEEE division
        // rounds their quotient exactly as a correctly rounded conversion does.
        if (exponentDigits < 0 && digits <= exactLimit && fractionDigits <= maxExactPowerOfTen) {
            const float magnitude = static_cast<float>(digits) / exactPowersOfTen[fractionDigits];
            value = negative ? -magnitude : magnitude;
            return true;
        }
        // from_chars takes no plus sign; a minus stays.
        const char* const from = negative ? start : mantissa;
        float converted = 0.0f;
        const std::from_chars_result result = std::from_chars(from, next_, converted);
        if (result.ec == std::errc()) {
            value = converted;
            return true;
        }
        // Out of range: which end decides between the stream's two answers.
        if (decimalExponent(mantissa, mantissaEnd) > 0) {
            value = negative ? -std::numeric_limits<float>::max() : std::numeric_limits<float>::max();
            return false;
        }
        value = negative ? -0.0f : 0.0f;
        return true;
    }

private:
    bool skipBlanks()
    {
        while (next_ != end_ && isBlank(*next_))
            ++next_;
        return next_ != end_;
    }

    // The power of ten of the mantissa's first significant digit plus one,
    // with the exponent that follows up to next_: positive for a value of
    // at least 1. Only its sign is used, for a number out of the float range,
    // which is so far from 1 either way that saturating the sum is harmless.
    std::int64_t decimalExponent(const char* mantissa, const char* mantissaEnd) const
    {
        std::int64_t position = 0; // digits before the point, from the first significant one
        bool significant = false;
        bool point = false;
        for (const char* c = mantissa; c != mantissaEnd; ++c) {
            if (*c == '.') {
                point = true;
            } else if (!point) {
                significant = significant || *c != '0';
                position += significant ? 1 : 0;
            } else if (!significant) {
                if (*c != '0')
                    significant = true;
                else
                    --position;
            }
        }
        std::int64_t exponent = 0;
        const char* c = mantissaEnd;
        if (c != next_) {
            ++c; // the e
            const bool negative = *c == '-';
            if (*c == '+' || *c == '-')
                ++c;
            for (; c != next_; ++c)
                exponent = std::min<std::int64_t>(exponent * 10 + (*c - '0'), std::int64_t{1} << 40);
            exponent = negative ? -exponent : exponent;
        }
        return position + exponent;
    }

    const char* next_;
    const char* const end_;
};

Vector3 readVector3(LineReader& reader)
{
    Vector3 v;
    if (reader.readFloat(v.x) && reader.readFloat(v.y))
        reader.readFloat(v.z);
    return v;
}

Vector2 readVector2(LineReader& reader)
{
    Vector2 v;
    if (reader.readFloat(v.x))
        reader.readFloat(v.y);
    return v;
}

bool readReference(LineReader& reader, int& position, int& uv, int& normal)
{
    return reader.readInt(position) && reader.readCharacter() && reader.readInt(uv) && reader.readCharacter()
        && reader.readInt(normal);
}

// Appends a face of exactly three complete references. A fourth one already
// decides the line's rejection, so reading stops there.
bool readFace(LineReader& reader, Mesh& mesh)
{
    Vector3 face, texture, normal;
    int counter = 0;
    int position = 0, uv = 0, normalIndex = 0;
    while (counter < 4 && readReference(reader, position, uv, normalIndex)) {
        if (counter < 3) {
            face[counter] = static_cast<float>(position);
            texture[counter] = static_cast<float>(uv);
            normal[counter] = static_cast<float>(normalIndex);
        }
        ++counter;
    }
    if (counter != 3)
        return false;
    mesh.faceVertexIndices.push_back(face);
    mesh.faceUVIndices.push_back(texture);
    mesh.faceNormalIndices.push_back(normal);
    return true;
}

} // namespace

bool parseObjLine(std::string_view line, Mesh& mesh)
{
    LineReader reader(line);
    // The keyword letters are its first characters, read like any other.
    if (line.starts_with("v ")) {
        reader.skip(1);
        mesh.vertices.push_back(readVector3(reader));
    } else if (line.starts_with("vn ")) {
        reader.skip(2);
        mesh.normals.push_back(normalize(readVector3(reader)));
    } else if (line.starts_with("vt ")) {
        reader.skip(2);
        mesh.uvs.push_back(readVector2(reader));
    } else if (line.starts_with("f ")) {
        reader.skip(1);
        return readFace(reader, mesh);
    }
    return true;
}

void countObjLine(std::string_view line, ObjLineCounts& counts)
{
    if (line.starts_with("v "))
        ++counts.vertices;
    else if (line.starts_with("vn "))
        ++counts.normals;
    else if (line.starts_with("vt "))
        ++counts.uvs;
    else if (line.starts_with("f "))
        ++counts.faces;
}

MeshLoadStatus parseObjText(std::string_view text, Mesh& mesh)
{
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        if (!parseObjLine(text.substr(0, end), mesh))
            return MeshLoadStatus::notTriangulated;
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return MeshLoadStatus::loaded;
}

} // namespace Quorvane
