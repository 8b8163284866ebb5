#include "text/number.h"

#include <string_view>

namespace {

// Yields the bytes of a text as FoldFullWidth would produce them, one by one,
// without building the folded copy. next() returns -1 at the end.
class FoldedBytes {
public:
    explicit FoldedBytes(std::string_view bytes) : bytes_(bytes) {}

    int next() {
        if (pendingTrail_ >= 0) {
            const int trail = pendingTrail_;
            pendingTrail_ = -1;
            return trail;
        }
        if (at_ >= bytes_.size()) return -1;
        const unsigned lead = static_cast<unsigned char>(bytes_[at_]);
        if (lead < 0x80) {
            ++at_;
            return static_cast<int>(lead);
        }
        if (at_ + 1 >= bytes_.size()) {  // a lone lead byte at the end
            at_ = bytes_.size();
            return -1;
        }
        const unsigned trail = static_cast<unsigned char>(bytes_[at_ + 1]);
        at_ += 2;
        if (const int ascii = AsciiForm(lead, trail); ascii >= 0) return ascii;
        pendingTrail_ = static_cast<int>(trail);
        return static_cast<int>(lead);
    }

private:
    static int AsciiForm(unsigned lead, unsigned trail) {
        if (lead == 0xA1) {
            if (trail == 0xA1) return ' ';
            if (trail == 0xAB) return '~';
            if (trail == 0xEE || trail == 0xEF) return '*';
        } else if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
            return static_cast<int>(trail - 0x80);
        }
        return -1;
    }

    std::string_view bytes_;
    std::size_t at_ = 0;
    int pendingTrail_ = -1;
};

bool IsBlank(int byte) { return byte == ' ' || (byte >= 0x09 && byte <= 0x0D); }
bool IsDigit(int byte) { return byte >= '0' && byte <= '9'; }

}  // namespace

Text FoldFullWidth(const Text& text) {
    FoldedBytes folded(text.view());
    TextBuilder out(text.size());
    for (int byte = folded.next(); byte >= 0; byte = folded.next()) out.Append(static_cast<char>(byte));
    return out.Finish();
}

std::int32_t TextToInt(const Text& text) {
    FoldedBytes folded(text.view());
    int byte = folded.next();
    while (IsBlank(byte)) byte = folded.next();
    bool negative = false;
    if (byte == '-' || byte == '+') {
        negative = byte == '-';
        byte = folded.next();
    }
    std::uint32_t value = 0;
    for (; IsDigit(byte); byte = folded.next()) value = value * 10u + static_cast<std::uint32_t>(byte - '0');
    if (negative) value = 0u - value;
    return static_cast<std::int32_t>(value);
}
