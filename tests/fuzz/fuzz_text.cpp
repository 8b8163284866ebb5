// Feeds arbitrary bytes to the conversions that read what users type.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "text/cp936.h"
#include "text/number.h"
#include "text/text.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const std::size_t half = size / 2;
    const Text a = Text::FromBytes(bytes.substr(0, half));
    const Text b = Text::FromBytes(bytes.substr(half));

    // TextToInt must agree with folding first and then parsing the ASCII.
    const std::int32_t value = TextToInt(a);
    if (TextToInt(FoldFullWidth(a)) != value) std::abort();

    const int ab = CompareText(a, b);
    if (ab != -CompareText(b, a) || ab < -1 || ab > 1) std::abort();
    if ((ab == 0) != (a == b)) std::abort();
    if (CompareText(a, a) != 0) std::abort();

    // Decoding never loses a character that encoding gives back.
    const std::u16string unicode = DecodeCp936(a.view());
    const Text again = EncodeCp936(unicode);
    if (DecodeCp936(again.view()) != unicode) std::abort();
    (void)FindUnsavable(a.view());
    return 0;
}
