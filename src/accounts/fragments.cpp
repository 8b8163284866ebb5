#include "accounts/fragments.h"

#include <cstddef>

#include "accounts/pump.h"
#include "accounts/random.h"

namespace {

// Room for small fragments up front; longer ones grow as they go, so that an
// absurd count fails only when memory really runs out.
constexpr std::size_t kLargestReservation = 1 << 16;

template <class Step>
Text Generate(std::int32_t count, std::size_t bytesPerCharacter, Step step) {
    SeedRandom();
    if (count < 1) return Text();
    const std::size_t wanted = static_cast<std::size_t>(count) * bytesPerCharacter;
    TextBuilder fragment(wanted < kLargestReservation ? wanted : kLargestReservation);
    for (std::int32_t i = 0; i < count; ++i) {
        step(fragment);
        CallPump();
    }
    return fragment.Finish();
}

// A draw of 38..80 taken as the byte 256 - r: 0xDA down to 0xB0.
char HanziByte() { return static_cast<char>(256 - RandomInRange(38, 80)); }

}  // namespace

Text RandomLetters(std::int32_t count) {
    return Generate(count, 1, [](TextBuilder& out) { out.Append(static_cast<char>(RandomInRange(97, 122))); });
}

Text RandomHanzi(std::int32_t count) {
    return Generate(count, 2, [](TextBuilder& out) {
        const char lead = HanziByte();
        const char trail = HanziByte();
        out.Append(lead);
        out.Append(trail);
    });
}

Text RandomDigits(std::int32_t count) {
    return Generate(count, 1, [](TextBuilder& out) { out.Append(static_cast<char>('0' + RandomInRange(1, 10) - 1)); });
}
