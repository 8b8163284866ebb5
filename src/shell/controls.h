#pragma once
// Access to the controls of the main window by their form names.
//
// Every operation returns false, and changes nothing, when the window has been
// closed or holds no control of that name and kind; a handler that gets false
// gives up. Texts are code page 936 (see shell/qt_text.h); the line breaks of
// the multi-line box read as CR LF.

#include <string_view>

#include "text/text.h"

bool ReadText(std::string_view editBox, Text& out);
// Replaces the whole content; the box shows it from its beginning.
bool WriteText(std::string_view editBox, const Text& text);
// Adds the text at the end, as writing ReadText's result followed by it would,
// but in time that does not grow with the content, and without moving the
// view or the caret. The box is repainted at most about 60 times a second.
bool AppendText(std::string_view editBox, const Text& text);

// The new caption is painted at the next processing of events, at most about
// 60 times a second.
bool WriteCaption(std::string_view label, const Text& caption);
bool ReadCaption(std::string_view label, Text& out);

bool ReadChecked(std::string_view checkBox, int& out);  // 1 checked, 0 not
bool WriteChecked(std::string_view checkBox, int state);  // checks for 1 only

// The settings that a file dialog control keeps for the dialog it shows.
struct FileDialogSettings {
    bool save = true;
    Text title;
    Text fileName;          // the full path after a confirmed dialog
    Text filter;            // "description|pattern|description|pattern"
    int filterIndex = 0;    // the file type preselected, from 0
    Text initialDirectory;
    Text defaultExtension;
    bool fileMustExist = true;
    bool promptOverwrite = true;
    bool pathMustExist = true;
};
bool ReadDialogSettings(std::string_view fileDialog, FileDialogSettings& out);
bool WriteDialogSettings(std::string_view fileDialog, const FileDialogSettings& settings);

class QWidget;
// The window that dialogs are shown over, or null once it is closed.
QWidget* DialogOwner();
