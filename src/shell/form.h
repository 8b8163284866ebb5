#pragma once
// The description of the main window: the window's own settings, then its
// controls in form order. The window is built from this table alone
// (main_window.cpp); handlers are bound by the names given here.

#include <array>

enum class ControlKind { Label, FileDialog, Button, EditBox, CheckBox };

enum class EditStyle {
    NotAnEdit,
    MultiLine,       // Enter breaks the line, no word wrap, both scroll bars
    SingleCentred,
    SingleLeft,
};

// The stored settings of a file dialog control.
struct FileDialogDescription {
    bool save;
    const char* title;
    const char* fileName;
    const char* filter;
    int filterIndex;
    const char* initialDirectory;
    const char* defaultExtension;
    bool fileMustExist, promptOverwrite, pathMustExist;
};

struct ControlDescription {
    ControlKind kind;
    const char* name;
    int left, top, width, height;  // in the window's client area
    bool visible, disabled, tabStop;
    int tabOrder;
    const char* text;      // initial text or caption, UTF-8
    const char* onClick;   // the handler bound to a click, or nullptr
    EditStyle edit;
    bool border;           // labels: a thin line around the rectangle
    const FileDialogDescription* dialog;  // file dialogs only
};

struct WindowDescription {
    const char* caption;
    int outerWidth, outerHeight;  // frame and caption bar included
    bool escapeCloses;
    bool enterMovesFocus;
};

struct FormDescription {
    WindowDescription window;
    std::array<ControlDescription, 16> controls;
};

const FormDescription& MainWindowForm();
