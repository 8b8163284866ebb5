#pragma once
// Shows the dialog that a file dialog control describes, over the main
// window, and waits for it.
//
// The filter "description|pattern|..." becomes the dialog's file types, the
// one at the control's filter index preselected. The control's file name, when
// there is one, is the dialog's starting point, so a second export starts at
// the file chosen before; the first starts in the user's documents folder (or
// home). A save dialog asks before replacing a file and refuses a folder that
// does not exist. On confirmation the full path goes into the control's file
// name and the result is true; on cancel nothing changes.

#include <string_view>

bool ShowFileDialog(std::string_view fileDialog);
