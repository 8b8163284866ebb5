#include "shell/main_window.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QWindow>
#include <algorithm>
#include <cstring>
#include <limits>

#include "shell/icon.h"
#include "shell/label.h"
#include "shell/list_box.h"
#include "shell/qt_text.h"
#include "text/cp936.h"

namespace {

MainWindow* g_window = nullptr;

void (*FindHandler(const std::vector<HandlerBinding>& handlers, const char* name))() {
    for (const HandlerBinding& binding : handlers) {
        if (std::strcmp(binding.name, name) == 0) return binding.run;
    }
    return nullptr;
}

QString Utf8(const char* text) { return QString::fromUtf8(text); }

FileDialogSettings DialogSettings(const FileDialogDescription* form) {
    FileDialogSettings settings;
    if (!form) return settings;
    settings.save = form->save;
    settings.title = TextFromUtf8(form->title);
    settings.fileName = TextFromUtf8(form->fileName);
    settings.filter = TextFromUtf8(form->filter);
    settings.filterIndex = form->filterIndex;
    settings.initialDirectory = TextFromUtf8(form->initialDirectory);
    settings.defaultExtension = TextFromUtf8(form->defaultExtension);
    settings.fileMustExist = form->fileMustExist;
    settings.promptOverwrite = form->promptOverwrite;
    settings.pathMustExist = form->pathMustExist;
    return settings;
}

}  // namespace

MainWindow* CurrentMainWindow() { return g_window; }
void SetCurrentMainWindow(MainWindow* window) { g_window = window; }

bool FormIsComplete(const FormDescription& form, const std::vector<HandlerBinding>& handlers) {
    return std::all_of(form.controls.begin(), form.controls.end(), [&](const ControlDescription& control) {
        return !control.onClick || FindHandler(handlers, control.onClick);
    });
}

MainWindow::MainWindow(const FormDescription& form, const std::vector<HandlerBinding>& handlers)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint),
      description_(form.window) {
    setObjectName(QStringLiteral("MainWindow"));
    setWindowTitle(Utf8(description_.caption));
    setWindowIcon(ProgramIcon());
    QPalette face = palette();
    face.setColor(QPalette::Window, face.color(QPalette::Button));
    setPalette(face);
    setAutoFillBackground(true);
    // Until a window manager tells us its frame, the client area is the outer size.
    setFixedSize(description_.outerWidth, description_.outerHeight);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        const QRect full = screen->geometry();
        move(full.x() + (full.width() - description_.outerWidth) / 2,
             full.y() + (full.height() - description_.outerHeight) / 2);
    }

    // Created in the reverse of the form order, hidden, then shown.
    std::vector<QWidget*> toShow;
    for (auto control = form.controls.rbegin(); control != form.controls.rend(); ++control) {
        QWidget* widget = CreateControl(*control, handlers);
        controls_.emplace(control->name, Control{control->kind, widget, DialogSettings(control->dialog)});
        if (!widget) continue;
        widget->hide();
        if (control->visible) toShow.push_back(widget);
        // Every tab-order number is equal, so the ring follows creation order.
        if (control->tabStop && !control->disabled && control->visible) tabRing_.push_back(widget);
    }
    for (QWidget* widget : toShow) widget->show();
    if (!tabRing_.empty()) tabRing_.front()->setFocus(Qt::OtherFocusReason);
}

QWidget* MainWindow::CreateControl(const ControlDescription& control, const std::vector<HandlerBinding>& handlers) {
    QWidget* widget = nullptr;
    switch (control.kind) {
    case ControlKind::FileDialog:
        return nullptr;
    case ControlKind::Label: {
        auto* label = new Label(this, frameClock_, control.border);
        label->SetCaption(Utf8(control.text));
        widget = label;
        break;
    }
    case ControlKind::Button: {
        auto* button = new QPushButton(Utf8(control.text), this);
        button->setAutoDefault(false);
        button->setDefault(false);
        if (control.onClick) {
            void (*run)() = FindHandler(handlers, control.onClick);
            connect(button, &QPushButton::clicked, this, [run] { RunHandler(run); });
        }
        widget = button;
        break;
    }
    case ControlKind::CheckBox:
        widget = new QCheckBox(Utf8(control.text), this);
        break;
    case ControlKind::EditBox:
        if (control.edit == EditStyle::MultiLine) {
            auto* list = new ListBox(this, frameClock_);
            list->Replace(Utf8(control.text));
            widget = list;
        } else {
            auto* line = new QLineEdit(Utf8(control.text), this);
            line->setMaxLength(std::numeric_limits<int>::max());
            line->setAlignment(control.edit == EditStyle::SingleCentred ? Qt::AlignCenter : Qt::AlignLeft);
            widget = line;
        }
        break;
    }
    widget->setObjectName(Utf8(control.name));
    widget->setGeometry(control.left, control.top, control.width, control.height);
    widget->setEnabled(!control.disabled);
    widget->setFocusPolicy(control.tabStop ? Qt::StrongFocus : Qt::NoFocus);
    widget->installEventFilter(this);
    return widget;
}

MainWindow::Control* MainWindow::Find(std::string_view name, ControlKind kind) {
    auto found = controls_.find(name);
    if (found == controls_.end() || found->second.kind != kind) return nullptr;
    return &found->second;
}

void MainWindow::ShowAndActivate() {
    show();
    activateWindow();
    raise();
}

void MainWindow::MoveFocus(QWidget* from, int step) {
    if (tabRing_.empty()) return;
    auto at = std::find(tabRing_.begin(), tabRing_.end(), from);
    const int size = static_cast<int>(tabRing_.size());
    const int index = at == tabRing_.end() ? (step > 0 ? -1 : 0) : static_cast<int>(at - tabRing_.begin());
    tabRing_[static_cast<std::size_t>(((index + step) % size + size) % size)]->setFocus(
        step > 0 ? Qt::TabFocusReason : Qt::BacktabFocusReason);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::ShortcutOverride) {
        return QWidget::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    const bool press = event->type() == QEvent::KeyPress;
    switch (key->key()) {
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) break;
        if (press) MoveFocus(qobject_cast<QWidget*>(watched), key->key() == Qt::Key_Tab ? 1 : -1);
        return true;
    case Qt::Key_Escape:
        if (!description_.escapeCloses) break;
        if (press) close();
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (qobject_cast<ListBox*>(watched)) break;
        if (press && description_.enterMovesFocus) MoveFocus(qobject_cast<QWidget*>(watched), 1);
        return true;  // no default button: Enter presses nothing
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closed_) return;
    closed_ = true;
    controls_.clear();
    tabRing_.clear();
    // The widgets themselves go at shutdown, once no handler can be running
    // inside one of them; from here on the program cannot reach them.
    RequestQuit(0);
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    KeepOuterSize();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    KeepOuterSize();
}

void MainWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    KeepOuterSize();
}

// Where a window manager draws a frame, the frame and caption bar count in the
// window's size: the client area gives way to them.
void MainWindow::KeepOuterSize() {
    const QWindow* handle = windowHandle();
    if (!handle) return;
    const QMargins frame = handle->frameMargins();
    const QSize client(description_.outerWidth - frame.left() - frame.right(),
                       description_.outerHeight - frame.top() - frame.bottom());
    if (client.isValid() && size() != client) setFixedSize(client);
}
