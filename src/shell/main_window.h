#pragma once
// The program's only window, built from the form description (form.h).
//
// Flow of the program through it: a click on a button runs its bound handler
// (RunHandler in app.h); handlers read and write the controls by name
// (controls.h), and the window paints what they wrote at the next processing
// of events. The window's own keyboard handling comes before any control:
// Tab and Shift+Tab walk the tab ring, Esc closes the window, Enter is left to
// the multi-line box and does nothing elsewhere.

#include <QWidget>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "shell/app.h"
#include "shell/controls.h"
#include "shell/form.h"
#include "shell/frame_clock.h"

class MainWindow : public QWidget {
public:
    struct Control {
        ControlKind kind;
        QWidget* widget;               // null for the file dialog
        FileDialogSettings dialog;     // the file dialog's settings
    };

    MainWindow(const FormDescription& form, const std::vector<HandlerBinding>& handlers);

    // Null once the window has been closed: its controls are gone for the
    // program from that moment on.
    Control* Find(std::string_view name, ControlKind kind);
    bool IsClosed() const { return closed_; }
    void ShowAndActivate();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* CreateControl(const ControlDescription& control, const std::vector<HandlerBinding>& handlers);
    void MoveFocus(QWidget* from, int step);
    void KeepOuterSize();

    const WindowDescription& description_;
    FrameClock frameClock_;
    std::unordered_map<std::string_view, Control> controls_;
    std::vector<QWidget*> tabRing_;
    bool closed_ = false;
};

// The window of the running program, or null before loading and after
// shutdown.
MainWindow* CurrentMainWindow();
void SetCurrentMainWindow(MainWindow* window);

// Whether every handler that the form binds is among `handlers`.
bool FormIsComplete(const FormDescription& form, const std::vector<HandlerBinding>& handlers);
