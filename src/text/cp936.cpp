#include "text/cp936.h"

#include <iconv.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <memory>

namespace {

constexpr char16_t kReplacement = 0xFFFD;
constexpr char32_t kLastCodePoint = 0x10FFFF;

struct Cp936Tables {
    // By (lead << 8) | trail; 0 where the pair is not a character.
    std::array<char16_t, 65536> pairToUnit{};
    // By UTF-16 unit: the single byte (below 0x100) or the pair; 0 where code
    // page 936 has no code for the unit.
    std::array<std::uint16_t, 65536> unitToCode{};
    char16_t euro = 0;  // the single byte 0x80, if the table has it

    Cp936Tables() {
        iconv_t cd = iconv_open("UTF-16LE", "CP936");
        if (cd == reinterpret_cast<iconv_t>(-1)) {
            std::fprintf(stderr, "account-generator: the CP936 converter is missing; only ASCII is available\n");
            for (unsigned c = 1; c < 0x80; ++c) unitToCode[c] = static_cast<std::uint16_t>(c);
            return;
        }
        auto decode = [cd](const char* in, std::size_t length) -> char16_t {
            iconv(cd, nullptr, nullptr, nullptr, nullptr);
            char16_t out[4] = {};
            char* source = const_cast<char*>(in);
            char* target = reinterpret_cast<char*>(out);
            std::size_t left = length;
            std::size_t room = sizeof out;
            if (iconv(cd, &source, &left, &target, &room) == static_cast<std::size_t>(-1) || left != 0) return 0;
            if (sizeof out - room != 2) return 0;  // not exactly one BMP character
            return out[0];
        };
        for (unsigned c = 1; c < 0x80; ++c) unitToCode[c] = static_cast<std::uint16_t>(c);
        const char euroByte = static_cast<char>(0x80);
        euro = decode(&euroByte, 1);
        if (euro) unitToCode[euro] = 0x80;
        for (unsigned lead = 0x81; lead <= 0xFE; ++lead) {
            for (unsigned trail = 0x40; trail <= 0xFE; ++trail) {
                if (trail == 0x7F) continue;
                const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
                const char16_t unit = decode(pair, 2);
                if (!unit || unit == kReplacement) continue;
                const std::uint16_t code = static_cast<std::uint16_t>(lead << 8 | trail);
                pairToUnit[code] = unit;
                if (!unitToCode[unit]) unitToCode[unit] = code;
            }
        }
        iconv_close(cd);
    }
};

const Cp936Tables& Tables() {
    static const std::unique_ptr<Cp936Tables> tables = std::make_unique<Cp936Tables>();
    return *tables;
}

bool IsLead(unsigned byte) { return byte >= 0x81 && byte <= 0xFE; }
bool IsDigitByte(unsigned byte) { return byte >= 0x30 && byte <= 0x39; }

void AppendFourByteForm(TextBuilder& out, char32_t codePoint) {
    std::uint32_t v = codePoint;
    const char b4 = static_cast<char>(0x30 + v % 10);
    v /= 10;
    const char b3 = static_cast<char>(0x81 + v % 126);
    v /= 126;
    const char b2 = static_cast<char>(0x30 + v % 10);
    v /= 10;
    const char b1 = static_cast<char>(0x81 + v);
    const char form[4] = {b1, b2, b3, b4};
    out.Append(std::string_view(form, 4));
}

// The code point of a four-byte form at the start of `bytes`, if one is there.
std::optional<char32_t> ReadFourByteForm(std::string_view bytes) {
    if (bytes.size() < 4) return std::nullopt;
    const unsigned b1 = static_cast<unsigned char>(bytes[0]), b2 = static_cast<unsigned char>(bytes[1]),
                   b3 = static_cast<unsigned char>(bytes[2]), b4 = static_cast<unsigned char>(bytes[3]);
    if (!IsLead(b1) || !IsDigitByte(b2) || !IsLead(b3) || !IsDigitByte(b4)) return std::nullopt;
    const std::uint32_t v = (((b1 - 0x81) * 10 + (b2 - 0x30)) * 126 + (b3 - 0x81)) * 10 + (b4 - 0x30);
    if (v > kLastCodePoint) return std::nullopt;
    return static_cast<char32_t>(v);
}

// One character of code page 936 bytes: its code point (or U+FFFD) and the
// bytes it took.
struct Decoded {
    char32_t codePoint;
    std::size_t length;
    bool fourByteForm;
};

Decoded DecodeOne(const Cp936Tables& tables, std::string_view bytes) {
    const unsigned first = static_cast<unsigned char>(bytes[0]);
    if (first < 0x80) return {first, 1, false};
    if (first == 0x80) return {tables.euro ? tables.euro : kReplacement, 1, false};
    if (IsLead(first) && bytes.size() >= 2) {
        const unsigned second = static_cast<unsigned char>(bytes[1]);
        if (IsDigitByte(second)) {
            if (auto codePoint = ReadFourByteForm(bytes)) return {*codePoint, 4, true};
        } else if (char16_t unit = tables.pairToUnit[first << 8 | second]) {
            return {unit, 2, false};
        }
    }
    return {kReplacement, 1, false};
}

std::size_t PutUtf16(char32_t codePoint, char16_t* out) {
    if (codePoint < 0x10000) {
        out[0] = static_cast<char16_t>(codePoint);
        return 1;
    }
    const char32_t v = codePoint - 0x10000;
    out[0] = static_cast<char16_t>(0xD800 + (v >> 10));
    out[1] = static_cast<char16_t>(0xDC00 + (v & 0x3FF));
    return 2;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c >= 0xD800 && c < 0xE000) c = kReplacement;  // a lone surrogate has no UTF-8 form
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | c >> 6);
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | c >> 12);
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | c >> 18);
        out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
        out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// UTF-8 to UTF-16; a malformed byte becomes U+FFFD.
std::u16string Utf8ToUtf16(std::string_view utf8) {
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned b = static_cast<unsigned char>(utf8[i]);
        const int length = b < 0x80 ? 1 : b >= 0xF0 && b < 0xF5 ? 4 : b >= 0xE0 ? 3 : b >= 0xC2 && b < 0xE0 ? 2 : 0;
        char32_t c = length == 1 ? b : length == 2 ? b & 0x1F : length == 3 ? b & 0x0F : b & 0x07;
        bool ok = length > 0 && i + length <= utf8.size();
        for (int k = 1; ok && k < length; ++k) {
            const unsigned next = static_cast<unsigned char>(utf8[i + k]);
            ok = (next & 0xC0) == 0x80;
            c = c << 6 | (next & 0x3F);
        }
        if (ok && (c > kLastCodePoint || (length == 3 && c < 0x800) || (length == 4 && c < 0x10000))) ok = false;
        char16_t units[2];
        if (ok) {
            out.append(units, PutUtf16(c, units));
            i += length;
        } else {
            out += kReplacement;
            ++i;
        }
    }
    return out;
}

}  // namespace

Text EncodeCp936(std::u16string_view text) {
    TextBuilder out(text.size() * 2);
    AppendCp936(out, text);
    return out.Finish();
}

void AppendCp936(TextBuilder& out, std::u16string_view text) {
    const Cp936Tables& tables = Tables();
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i];
        if (const std::uint16_t code = tables.unitToCode[unit]) {
            if (code < 0x100) {
                out.Append(static_cast<char>(code));
            } else {
                out.Append(static_cast<char>(code >> 8));
                out.Append(static_cast<char>(code & 0xFF));
            }
            continue;
        }
        char32_t codePoint = unit;
        if (unit >= 0xD800 && unit < 0xDC00 && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] < 0xE000) {
            codePoint = 0x10000 + ((static_cast<char32_t>(unit) - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        }
        AppendFourByteForm(out, codePoint);
    }
}

std::size_t DecodeCp936(std::string_view bytes, char16_t* out) {
    const Cp936Tables& tables = Tables();
    std::size_t written = 0;
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned first = static_cast<unsigned char>(bytes[i]);
        if (first < 0x80) {  // the common case, kept short
            out[written++] = first;
            ++i;
            continue;
        }
        const Decoded d = DecodeOne(tables, bytes.substr(i));
        written += PutUtf16(d.codePoint, out + written);
        i += d.length;
    }
    return written;
}

std::u16string DecodeCp936(std::string_view bytes) {
    std::u16string out(bytes.size(), u'\0');
    out.resize(DecodeCp936(bytes, out.data()));
    return out;
}

std::optional<UnsavableCharacter> FindUnsavable(std::string_view bytes) {
    const Cp936Tables& tables = Tables();
    std::size_t line = 1;
    for (std::size_t i = 0; i < bytes.size();) {
        const unsigned first = static_cast<unsigned char>(bytes[i]);
        if (first < 0x80) {
            line += first == '\n';
            ++i;
            continue;
        }
        const Decoded d = DecodeOne(tables, bytes.substr(i));
        if (d.fourByteForm) return UnsavableCharacter{line, d.codePoint};
        i += d.length;
    }
    return std::nullopt;
}

Text TextFromUtf8(std::string_view utf8) { return EncodeCp936(Utf8ToUtf16(utf8)); }

std::string Cp936ToUtf8(std::string_view bytes) {
    const Cp936Tables& tables = Tables();
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (std::size_t i = 0; i < bytes.size();) {
        const Decoded d = DecodeOne(tables, bytes.substr(i));
        AppendUtf8(out, d.codePoint);
        i += d.length;
    }
    return out;
}

std::string DescribeCharacter(char32_t codePoint) {
    char number[16];
    std::snprintf(number, sizeof number, "U+%04X", static_cast<unsigned>(codePoint));
    std::string out = "“";
    if (codePoint >= 0x20 && !(codePoint >= 0xD800 && codePoint < 0xE000)) AppendUtf8(out, codePoint);
    out += "”(";
    out += number;
    out += ")";
    return out;
}
