#include "text/text.h"

#include <cstring>

#include "text/heap.h"

namespace {

char* CopyIntoBlock(std::string_view bytes) {
    char* block = static_cast<char*>(AllocateBlock(bytes.size() + 1));
    if (!bytes.empty()) std::memcpy(block, bytes.data(), bytes.size());
    block[bytes.size()] = '\0';
    return block;
}

}  // namespace

Text Text::FromBytes(std::string_view bytes) {
    const std::size_t zero = bytes.find('\0');
    if (zero != std::string_view::npos) bytes = bytes.substr(0, zero);
    if (bytes.empty()) return Text();
    return Text(CopyIntoBlock(bytes), bytes.size());
}

Text::Text(const Text& other) {
    if (!other.empty()) {
        block_ = CopyIntoBlock(other.view());
        size_ = other.size_;
    }
}

Text::Text(Text&& other) noexcept : block_(other.block_), size_(other.size_) {
    other.block_ = nullptr;
    other.size_ = 0;
}

Text& Text::operator=(const Text& other) {
    if (this != &other) *this = Text(other);
    return *this;
}

Text& Text::operator=(Text&& other) noexcept {
    if (this != &other) {
        ReleaseBlock(block_);
        block_ = other.block_;
        size_ = other.size_;
        other.block_ = nullptr;
        other.size_ = 0;
    }
    return *this;
}

Text::~Text() { ReleaseBlock(block_); }

TextBuilder::TextBuilder(std::size_t expected) {
    if (expected) {
        capacity_ = expected + 1;
        block_ = static_cast<char*>(AllocateBlock(capacity_));
    }
}

TextBuilder::~TextBuilder() { ReleaseBlock(block_); }

void TextBuilder::Grow(std::size_t more) {
    std::size_t wanted = capacity_ ? capacity_ * 2 : 16;
    while (wanted < size_ + more + 1) wanted *= 2;
    block_ = static_cast<char*>(ResizeBlock(block_, wanted));
    capacity_ = wanted;
}

void TextBuilder::Append(std::string_view bytes) {
    if (size_ + bytes.size() >= capacity_) Grow(bytes.size());
    if (!bytes.empty()) std::memcpy(block_ + size_, bytes.data(), bytes.size());
    size_ += bytes.size();
}

Text TextBuilder::Finish() {
    if (size_ == 0) return Text();
    block_[size_] = '\0';
    Text done(block_, size_);
    block_ = nullptr;
    size_ = capacity_ = 0;
    return done;
}

Bytes::Bytes(std::string_view bytes) {
    if (bytes.empty()) return;
    block_ = static_cast<unsigned char*>(AllocateBlock(bytes.size()));
    std::memcpy(block_, bytes.data(), bytes.size());
    count_ = static_cast<std::int32_t>(bytes.size());
}

Bytes::Bytes(Bytes&& other) noexcept : block_(other.block_), count_(other.count_) {
    other.block_ = nullptr;
    other.count_ = 0;
}

Bytes& Bytes::operator=(Bytes other) noexcept {
    std::swap(block_, other.block_);
    std::swap(count_, other.count_);
    return *this;
}

Bytes::~Bytes() { ReleaseBlock(block_); }

int CompareText(const Text& a, const Text& b) {
    const std::size_t common = a.size() < b.size() ? a.size() : b.size();
    const int c = common ? std::memcmp(a.data(), b.data(), common) : 0;
    if (c != 0) return c < 0 ? -1 : 1;
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::size_t TextLength(const Text& text) { return text.size(); }

Text JoinTexts(std::initializer_list<std::string_view> parts) {
    std::size_t total = 0;
    for (std::string_view part : parts) total += part.size();
    TextBuilder joined(total);
    for (std::string_view part : parts) joined.Append(part);
    return joined.Finish();
}

Text CharFromCode(int code) {
    const char byte = static_cast<char>(static_cast<unsigned>(code) & 0xFFu);
    return Text::FromBytes(std::string_view(&byte, 1));
}

Text IntToText(std::int32_t value) {
    char digits[12];
    char* end = digits + sizeof digits;
    char* p = end;
    // Work in unsigned so that the lowest value has a magnitude too.
    std::uint32_t magnitude = value < 0 ? 0u - static_cast<std::uint32_t>(value)
                                        : static_cast<std::uint32_t>(value);
    do {
        *--p = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude);
    if (value < 0) *--p = '-';
    return Text::FromBytes(std::string_view(p, static_cast<std::size_t>(end - p)));
}

Bytes TextToBytes(const Text& text) { return Bytes(text.view()); }
