#include "accounts/builder.h"

#include <cstdint>
#include <string_view>

#include "accounts/account_format.h"
#include "accounts/fragments.h"
#include "shell/controls.h"
#include "shell/message.h"
#include "text/cp936.h"
#include "text/number.h"

namespace {

constexpr std::string_view kList = "编辑框1";
constexpr std::string_view kCountBoxes[3] = {"编辑框2", "编辑框3", "编辑框4"};
constexpr std::string_view kAccountCount = "编辑框5";
constexpr std::string_view kDomain = "编辑框6";
constexpr std::string_view kMailOption = "选择框1";
constexpr std::string_view kStatus = "标签6";

struct Texts {
    Text blankFormat = TextFromUtf8("请正确设置账号格式！");
    Text progressHead = TextFromUtf8("  正在生成第");
    Text progressTail = TextFromUtf8("个账号...");
    Text doneStatus = TextFromUtf8("  账号生成完毕！");
    Text doneMessage = TextFromUtf8("账号生成完毕！");
};

const Texts& Say() {
    static const Texts texts;
    return texts;
}

// The count in box `box`, read now; false once the window is gone.
bool ReadCount(int box, std::int32_t& count) {
    Text text;
    if (!ReadText(kCountBoxes[box], text)) return false;
    count = TextToInt(text);
    return true;
}

// One account and its line; false when the window went away meanwhile.
bool AppendAccount(std::int32_t number) {
    std::int32_t letters = 0, hanzi = 0, digits = 0;
    if (!ReadCount(0, letters)) return false;
    const Text letterPart = RandomLetters(letters);
    if (!ReadCount(1, hanzi)) return false;
    const Text hanziPart = RandomHanzi(hanzi);
    if (!ReadCount(2, digits)) return false;
    const Text digitPart = RandomDigits(digits);
    const Text account = ConcatText(letterPart, hanziPart, digitPart);

    if (!WriteCaption(kStatus, ConcatText(Say().progressHead, IntToText(number), Say().progressTail))) return false;
    int mail = 0;
    if (!ReadChecked(kMailOption, mail)) return false;
    Text domain;
    if (mail == 1 && !ReadText(kDomain, domain)) return false;
    return AppendText(kList, AccountLine(account, mail == 1 ? &domain : nullptr));
}

}  // namespace

void GenerateAccounts() {
    if (!WriteText(kList, Text())) return;

    const FormatVerdict verdict =
        CheckFormat([](int box, Text& out) { return ReadText(kCountBoxes[box], out); });
    if (verdict == FormatVerdict::Unreadable) return;
    if (verdict == FormatVerdict::Blank) {
        ShowMessage(Say().blankFormat);
        return;
    }

    Text countText;
    if (!ReadText(kAccountCount, countText)) return;
    const std::int32_t count = TextToInt(countText);
    for (std::int32_t number = 1; number <= count; ++number) {
        if (!AppendAccount(number)) return;  // the window was closed: end quietly
        if (number == count) break;          // count may be the largest int
    }

    if (!WriteCaption(kStatus, Say().doneStatus)) return;
    ShowMessage(Say().doneMessage);
}
