#include "accounts/account_format.h"

#include <array>

namespace {

enum Pattern : bool { kEmpty = false, kZero = true };

constexpr std::array<std::array<Pattern, 3>, 8> kBlankPatterns{{
    {kEmpty, kEmpty, kEmpty},
    {kEmpty, kZero, kZero},
    {kEmpty, kZero, kEmpty},
    {kEmpty, kEmpty, kZero},
    {kZero, kZero, kZero},
    {kZero, kEmpty, kEmpty},
    {kZero, kEmpty, kZero},
    {kZero, kZero, kEmpty},
}};

}  // namespace

bool IsBlankCount(const Text& count) { return count.empty() || count.view() == "0"; }

FormatVerdict CheckFormat(const CountReader& read) {
    static const Text empty;
    static const Text zero = Text::FromBytes("0");
    for (const auto& pattern : kBlankPatterns) {
        bool matches = true;
        for (int box = 0; box < 3 && matches; ++box) {
            Text count;
            if (!read(box, count)) return FormatVerdict::Unreadable;
            matches = CompareText(count, pattern[box] == kZero ? zero : empty) == 0;
        }
        if (matches) return FormatVerdict::Blank;
    }
    return FormatVerdict::Valid;
}

Text AccountLine(const Text& account, const Text* domain) {
    static const Text at = Text::FromBytes("@");
    static const Text lineEnd = Text::FromBytes("\r\n");
    return domain ? ConcatText(account, at, *domain, lineEnd) : ConcatText(account, lineEnd);
}
