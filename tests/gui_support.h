#pragma once
// What the window tests share: the real window loaded in the test process,
// and a driver that answers the modal boxes and dialogs it opens.

#include <QApplication>
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <deque>
#include <functional>

#include "shell/app.h"
#include "shell/controls.h"
#include "shell/main_window.h"
#include "shell/pump.h"
#include "shell/qt_text.h"
#include "shell/translations.h"
#include "text/cp936.h"

// What every window test sets up once: the toolkit's Chinese texts, no quit
// when a window closes (the shell decides that), and the generators' pump.
inline void PrepareWindowTests() {
    InstallChineseTranslations(*QCoreApplication::instance());
    QApplication::setQuitOnLastWindowClosed(false);
}

// Loads the main window with the given handlers, as start-up does, and
// destroys it at the end of the test.
class LoadedWindow {
public:
    explicit LoadedWindow(const std::vector<HandlerBinding>& handlers) { LoadMainWindow(handlers); }
    ~LoadedWindow() { ShutDown(); }

    MainWindow* window() const { return CurrentMainWindow(); }
    template <class T = QWidget>
    T* control(const char* name) const {
        return window()->findChild<T*>(QString::fromUtf8(name));
    }
};

// The text of an edit box or the caption of a label, through the control
// access the program uses, as UTF-8.
inline QString ReadBox(const char* name) {
    Text text;
    if (!ReadText(name, text)) return QStringLiteral("<gone>");
    return ToQString(text);
}
inline QByteArray ReadBoxBytes(const char* name) {
    Text text;
    ReadText(name, text);
    return QByteArray(text.data(), static_cast<qsizetype>(text.size()));
}
inline QString ReadLabel(const char* name) {
    Text text;
    if (!ReadCaption(name, text)) return QStringLiteral("<gone>");
    return ToQString(text);
}
inline void SetBox(const char* name, const QString& text) { WriteText(name, ToText(text)); }

// Answers modal widgets as they open, in order. Each step gets the widget;
// a message box that no step is left for is recorded and dismissed with its
// default button, so a test never hangs on an unexpected box.
class ModalDriver : public QObject {
public:
    using Step = std::function<void(QWidget*)>;

    // The newest driver answers; an older one waits until the newer is gone.
    ModalDriver() : outer_(active_) {
        active_ = this;
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, &ModalDriver::Poll);
        timer_.start();
    }

    ~ModalDriver() override { active_ = outer_; }

    void Then(Step step) { steps_.push_back(std::move(step)); }
    // A message box: record it, then press OK.
    void ThenDismiss() { Then([](QWidget*) {}); }

    struct Seen {
        QString title;
        QString text;
        bool hasIcon;
        QStringList buttons;
        bool mainWindowBlocked;
    };
    const QList<Seen>& seen() const { return seen_; }
    QStringList texts() const {
        QStringList out;
        for (const Seen& s : seen_) out << s.text;
        return out;
    }

private:
    void Poll() {
        if (active_ != this) return;
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || modal == last_) return;
        if (!modal->isVisible()) return;
        last_ = modal;
        auto* box = qobject_cast<QMessageBox*>(modal);
        if (box) {
            Seen s{box->windowTitle(), box->text(), box->icon() != QMessageBox::NoIcon, {}, false};
            for (QAbstractButton* b : box->buttons()) s.buttons << b->text();
            MainWindow* main = CurrentMainWindow();
            s.mainWindowBlocked = main && main->windowHandle() && QGuiApplication::modalWindow() &&
                                  QGuiApplication::modalWindow() != main->windowHandle();
            seen_ << s;
        }
        Step step = steps_.empty() ? Step([](QWidget*) {}) : steps_.front();
        if (!steps_.empty()) steps_.pop_front();
        // Run the step from the event loop, not from this timer: a step that
        // opens a nested box (the overwrite question) must not stop the
        // driver from seeing it.
        QPointer<QWidget> target = modal;
        QTimer::singleShot(0, this, [target, step] {
            if (!target) return;
            step(target);
            auto* box = qobject_cast<QMessageBox*>(target.data());
            if (box && box->isVisible()) {
                if (QAbstractButton* ok = box->button(QMessageBox::Ok)) ok->click();
                else box->done(0);
            }
        });
    }

    static inline ModalDriver* active_ = nullptr;
    ModalDriver* outer_;
    QTimer timer_;
    std::deque<Step> steps_;
    QPointer<QWidget> last_;
    QList<Seen> seen_;
};

// Clicks a button of the main window with the mouse, as a user does: the
// click goes through the window system, so a modal box blocks it.
inline void Click(const char* button) {
    MainWindow* window = CurrentMainWindow();
    auto* b = window->findChild<QPushButton*>(QString::fromUtf8(button));
    const QPoint at = b->mapTo(window, b->rect().center());
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, Qt::NoModifier, at);
}

// Puts a path into the open save dialog's name field, as a paste does (typed
// key by key, the dialog's completer selects folders on the way), and presses
// its save button.
inline void AcceptSaveDialog(QWidget* dialog, const QString& path) {
    auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
    auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
    QVERIFY(name && buttons);
    name->setFocus();
    name->setText(path);
    for (QAbstractButton* button : buttons->buttons()) {
        if (buttons->buttonRole(button) == QDialogButtonBox::AcceptRole) {
            QTest::mouseClick(button, Qt::LeftButton);
            return;
        }
    }
    QFAIL("the dialog has no save button");
}
// Answers "Yes" to a question such as the overwrite question.
inline void AnswerYes(QWidget* question) {
    auto* box = qobject_cast<QMessageBox*>(question);
    QVERIFY2(box && box->button(QMessageBox::Yes), "expected a yes/no question");
    box->button(QMessageBox::Yes)->click();
}
inline void CancelDialog(QWidget* dialog) { QTest::keyClick(dialog, Qt::Key_Escape); }

// A pump for the generators that can act at a chosen call, then pumps.
struct TestPump {
    static inline long calls = 0;
    static inline long actAt = -1;
    static inline std::function<void()> action;
    static inline std::function<void()> everyCall;

    static void Reset() {
        calls = 0;
        actAt = -1;
        action = nullptr;
        everyCall = nullptr;
    }
    static void At(long call, std::function<void()> what) {
        actAt = call;
        action = std::move(what);
    }
    static void Pump() {
        ++calls;
        if (everyCall) everyCall();
        if (calls == actAt && action) {
            auto act = std::move(action);
            action = nullptr;
            act();
        }
        PumpEvents();
    }
};
