#pragma once
// The account format shared by the window and the command-line tool: the
// check that rejects a blank format, and the line an account becomes.

#include <functional>

#include "text/text.h"

// "" or "0", byte for byte. " 0", "00" or a full-width zero are not blank:
// they pass the check and count as 0.
bool IsBlankCount(const Text& count);

enum class FormatVerdict { Valid, Blank, Unreadable };

// Reads count box `box` (0 letters, 1 Chinese characters, 2 digits) afresh;
// false when it cannot be read.
using CountReader = std::function<bool(int box, Text& out)>;

// Blank exactly when all three counts are blank. Tried as eight patterns in a
// fixed order, each reading the boxes from the left afresh and stopping at the
// first box that differs from it.
FormatVerdict CheckFormat(const CountReader& read);

// The account, then "@" and the domain when there is one, then CR LF.
Text AccountLine(const Text& account, const Text* domain);
