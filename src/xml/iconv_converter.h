#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace mousedeck::xml {

// One iconv conversion descriptor, closed with the object. Convert never
// stops on bad input: a sequence the source encoding cannot decode, or the
// target cannot represent, is replaced and counted, so callers always get a
// complete result and decide from the counts what to report.
class IconvConverter {
public:
    IconvConverter(std::string_view to_encoding, std::string_view from_encoding);
    ~IconvConverter();
    IconvConverter(IconvConverter&& other) noexcept;
    IconvConverter& operator=(IconvConverter&& other) noexcept;
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    // False when iconv does not know one of the two encodings.
    bool IsOpen() const;

    struct Result {
        std::string output;
        std::size_t replaced = 0;  // sequences that could not be converted
        bool truncated = false;    // the input ended inside a sequence
    };

    // How much input an unconvertible sequence costs.
    enum class Step {
        kByte,          // one byte (8-bit sources)
        kUtf16Unit,     // two bytes
        kUtf8Sequence,  // the bytes of one (possibly broken) UTF-8 sequence
    };

    // Converts the whole input; `replacement` (already in the target
    // encoding) stands in for each unconvertible sequence. When
    // `replace_byte` is given, an undecodable single byte is passed to it and
    // its result written instead: this keeps the five bytes Windows-1252
    // leaves undefined as the C1 characters Windows itself maps them to.
    Result Convert(std::string_view input, Step step, std::string_view replacement,
                   std::string (*replace_byte)(unsigned char) = nullptr) const;

private:
    void Close();

    void* handle_;  // iconv_t; (iconv_t)-1 when not open
};

}  // namespace mousedeck::xml
