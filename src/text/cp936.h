#pragma once
// Code page 936 (GBK) against the UTF-16 strings that the toolkit holds, and
// against UTF-8.
//
// Nothing typed is ever lost in a conversion. A character that code page 936
// has no code for is not replaced by "?" or dropped: it is held in the Text
// as a four-byte sequence lead, digit, lead, digit (0x81..0xFE, 0x30..0x39,
// 0x81..0xFE, 0x30..0x39) whose value is its code point. Code page 936 never
// uses a digit as a trail byte, so such a sequence cannot be read as two of its
// characters; decoding gives the character back, and FindUnsavable finds it
// before it could reach a file. U+0000 is held the same way, so a Text never
// holds a zero byte.
//
// The table of code page 936 is glibc's "CP936", read once on first use.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "text/text.h"

Text EncodeCp936(std::u16string_view text);
// The same, added at the end of `out`.
void AppendCp936(TextBuilder& out, std::u16string_view text);

// Decodes into `out`, which must have room for bytes.size() units (no
// sequence yields more units than it has bytes); returns the units written.
// A byte that starts no valid sequence becomes U+FFFD.
std::size_t DecodeCp936(std::string_view bytes, char16_t* out);
std::u16string DecodeCp936(std::string_view bytes);

struct UnsavableCharacter {
    std::size_t line;       // counted from 1
    char32_t codePoint;
};
// The first character held in the four-byte form, which a code page 936 file
// cannot hold, with the line it stands on.
std::optional<UnsavableCharacter> FindUnsavable(std::string_view bytes);

Text TextFromUtf8(std::string_view utf8);
std::string Cp936ToUtf8(std::string_view bytes);
// "U+00E4" and the character itself in UTF-8, for messages.
std::string DescribeCharacter(char32_t codePoint);
