#include "shell/controls.h"

#include <QCheckBox>
#include <QLineEdit>

#include "shell/label.h"
#include "shell/list_box.h"
#include "shell/main_window.h"
#include "shell/qt_text.h"

namespace {

MainWindow::Control* Find(std::string_view name, ControlKind kind) {
    MainWindow* window = CurrentMainWindow();
    return window ? window->Find(name, kind) : nullptr;
}

}  // namespace

bool ReadText(std::string_view editBox, Text& out) {
    MainWindow::Control* control = Find(editBox, ControlKind::EditBox);
    if (!control) return false;
    if (auto* list = qobject_cast<ListBox*>(control->widget)) {
        out = list->Content();
    } else {
        out = ToText(static_cast<QLineEdit*>(control->widget)->text());
    }
    return true;
}

bool WriteText(std::string_view editBox, const Text& text) {
    MainWindow::Control* control = Find(editBox, ControlKind::EditBox);
    if (!control) return false;
    if (auto* list = qobject_cast<ListBox*>(control->widget)) {
        list->Replace(ToQString(text));
    } else {
        auto* line = static_cast<QLineEdit*>(control->widget);
        line->setText(ToQString(text));
        line->setCursorPosition(0);
    }
    return true;
}

bool AppendText(std::string_view editBox, const Text& text) {
    MainWindow::Control* control = Find(editBox, ControlKind::EditBox);
    if (!control) return false;
    if (auto* list = qobject_cast<ListBox*>(control->widget)) {
        list->Append(ToQString(text));
    } else {
        auto* line = static_cast<QLineEdit*>(control->widget);
        const int cursor = line->cursorPosition();
        line->setText(line->text() + ToQString(text));
        line->setCursorPosition(cursor);
    }
    return true;
}

bool WriteCaption(std::string_view label, const Text& caption) {
    MainWindow::Control* control = Find(label, ControlKind::Label);
    if (!control) return false;
    static_cast<Label*>(control->widget)->SetCaption(ToQString(caption));
    return true;
}

bool ReadCaption(std::string_view label, Text& out) {
    MainWindow::Control* control = Find(label, ControlKind::Label);
    if (!control) return false;
    out = ToText(static_cast<Label*>(control->widget)->Caption());
    return true;
}

bool ReadChecked(std::string_view checkBox, int& out) {
    MainWindow::Control* control = Find(checkBox, ControlKind::CheckBox);
    if (!control) return false;
    out = static_cast<QCheckBox*>(control->widget)->isChecked() ? 1 : 0;
    return true;
}

bool WriteChecked(std::string_view checkBox, int state) {
    MainWindow::Control* control = Find(checkBox, ControlKind::CheckBox);
    if (!control) return false;
    static_cast<QCheckBox*>(control->widget)->setChecked(state == 1);
    return true;
}

bool ReadDialogSettings(std::string_view fileDialog, FileDialogSettings& out) {
    MainWindow::Control* control = Find(fileDialog, ControlKind::FileDialog);
    if (!control) return false;
    out = control->dialog;
    return true;
}

bool WriteDialogSettings(std::string_view fileDialog, const FileDialogSettings& settings) {
    MainWindow::Control* control = Find(fileDialog, ControlKind::FileDialog);
    if (!control) return false;
    control->dialog = settings;
    return true;
}

QWidget* DialogOwner() {
    MainWindow* window = CurrentMainWindow();
    return window && !window->IsClosed() ? window : nullptr;
}
