#pragma once
// The message boxes of the program.

#include "text/text.h"

// A box titled "信息：" with the text as its body and one OK button, no icon and
// no owner, modal for the whole application: the main window takes no input
// until it is dismissed. Returns the number of the button that closed it:
// 0 OK (1 Cancel, 2 Abort, 3 Retry, 4 Ignore, 5 Yes, 6 No).
int ShowMessage(const Text& text);

// For what the program cannot continue from: the message goes to standard
// error and into an error box, and when the box is dismissed the process ends
// with status 255 (-1). No handler runs from the moment it is called.
[[noreturn]] void StopWithRuntimeError(const Text& message);
