#pragma once
// Text and Bytes: the two values the program passes around.
//
// A Text is a byte string in code page 936 (GBK): ASCII below 0x80, a Chinese
// character as a lead byte of 0x81 or more and a trail byte. It never holds a
// zero byte; its length is the number of bytes before the first zero. Nothing
// here checks that the bytes are valid code page 936. There is no separate
// null text: a default Text is empty, and every operation treats it so.
//
// A Bytes is a byte array with a signed 32-bit element count, for writing to
// files. An empty Bytes and a missing one are the same.
//
// Both own their heap block (text/heap.h), copy on copy and release on
// destruction. Every operation returns a fresh value and only borrows its
// arguments.

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

class Text {
public:
    Text() = default;
    // The bytes of `bytes` up to its first zero byte.
    static Text FromBytes(std::string_view bytes);

    Text(const Text& other);
    Text(Text&& other) noexcept;
    Text& operator=(const Text& other);
    Text& operator=(Text&& other) noexcept;
    ~Text();

    // Always zero-terminated; "" for the empty text.
    const char* data() const { return block_ ? block_ : ""; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::string_view view() const { return {data(), size_}; }
    unsigned char operator[](std::size_t i) const { return static_cast<unsigned char>(block_[i]); }

    friend bool operator==(const Text& a, const Text& b) { return a.view() == b.view(); }
    friend bool operator!=(const Text& a, const Text& b) { return !(a == b); }

private:
    friend class TextBuilder;
    Text(char* block, std::size_t size) : block_(block), size_(size) {}

    char* block_ = nullptr;
    std::size_t size_ = 0;
};

// Gathers bytes into a growable block and hands the block over as a Text, so
// building a text of n bytes costs time linear in n.
class TextBuilder {
public:
    explicit TextBuilder(std::size_t expected = 0);
    TextBuilder(const TextBuilder&) = delete;
    TextBuilder& operator=(const TextBuilder&) = delete;
    ~TextBuilder();

    void Append(char byte) {
        if (size_ + 1 >= capacity_) Grow(1);
        block_[size_++] = byte;
    }
    void Append(std::string_view bytes);
    std::size_t size() const { return size_; }
    // The bytes gathered so far; the builder is empty afterwards.
    Text Finish();

private:
    void Grow(std::size_t more);

    char* block_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

class Bytes {
public:
    Bytes() = default;
    explicit Bytes(std::string_view bytes);
    Bytes(const Bytes& other) : Bytes(other.view()) {}
    Bytes(Bytes&& other) noexcept;
    Bytes& operator=(Bytes other) noexcept;
    ~Bytes();

    std::int32_t count() const { return count_; }
    const unsigned char* data() const { return block_; }
    std::string_view view() const {
        return {reinterpret_cast<const char*>(block_), static_cast<std::size_t>(count_)};
    }

private:
    unsigned char* block_ = nullptr;
    std::int32_t count_ = 0;
};

// -1, 0 or +1, comparing bytes as unsigned values; a text that ends first is
// the smaller. No locale or collation is involved.
int CompareText(const Text& a, const Text& b);

std::size_t TextLength(const Text& text);

// The parts joined in order into one exactly sized block.
Text JoinTexts(std::initializer_list<std::string_view> parts);
template <class... Parts>
Text ConcatText(const Parts&... parts) {
    return JoinTexts({parts.view()...});
}

// A one-byte text of the low 8 bits of `code`; the empty text when they are 0.
Text CharFromCode(int code);

// The decimal form: "-" for negative values, no leading zeros or grouping.
Text IntToText(std::int32_t value);

// The text's bytes; an empty Bytes for the empty text.
Bytes TextToBytes(const Text& text);
