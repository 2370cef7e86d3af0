#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace mousedeck::xml {

// Canonical names of the encodings the reader recognises by itself.
inline constexpr std::string_view kUtf8 = "UTF-8";
inline constexpr std::string_view kUtf16Le = "UTF-16LE";
inline constexpr std::string_view kUtf16Be = "UTF-16BE";
// The 8-bit code page used for text that declares nothing and is not UTF-8.
inline constexpr std::string_view kAnsiCodePage = "WINDOWS-1252";

struct DecodedText {
    std::string text;      // always well-formed UTF-8
    std::string encoding;  // what the bytes were read as: a canonical name or the declared one
    bool byte_order_mark = false;
    // Conditions met while decoding, each a name optionally followed by a
    // space and a detail: "nulls_removed", "endian_swap", "utf8_detection",
    // "truncation_error", "converted_from <encoding>", "invalid_sequence",
    // "unknown_encoding <name>".
    std::vector<std::string> conditions;
};

// Decodes the bytes of a text file to UTF-8:
//  1. a byte-order mark (EF BB BF, FF FE, FE FF) decides and is skipped;
//  2. else the encoding declared in the first 1024 bytes (XML declaration,
//     or an HTML meta charset) decides, when iconv knows it;
//  3. else the bytes are tested: UTF-8 when well-formed (a sequence cut off
//     at the very end is forgiven), otherwise Windows-1252.
// Zero bytes (8-bit text) or zero units (UTF-16) are dropped first. Bytes an
// encoding cannot decode become U+FFFD; the result is never ill-formed.
DecodedText DecodeText(std::string_view bytes);

// The encoding named by the XML declaration at the start of `head`, or, when
// there is none, by the charset of an HTML meta element; empty when neither
// names one.
std::string DeclaredEncoding(std::string_view head);

struct EncodedText {
    std::string bytes;
    std::string encoding;  // what was actually written
    // "converted_to <encoding>", "conversion_loss", "unknown_encoding <name>"
    std::vector<std::string> conditions;
};

// Encodes UTF-8 text in the named encoding (empty: UTF-8), with its
// byte-order mark in front when asked for one. "UTF-16" without a byte order
// means little-endian. Characters the encoding cannot hold become '?' and log
// "conversion_loss"; an encoding iconv does not know falls back to UTF-8.
EncodedText EncodeText(std::string_view utf8, std::string_view encoding, bool byte_order_mark);

// True when two encoding names mean the same encoding for our purposes
// (case and the punctuation of "UTF-8"/"utf8" do not matter).
bool SameEncoding(std::string_view a, std::string_view b);

}  // namespace mousedeck::xml
