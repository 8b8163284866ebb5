#include "shell/list_box.h"

#include <QEvent>
#include <QTextCursor>
#include <QTextDocument>

namespace {

bool IsInput(QEvent::Type type) {
    switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::DragEnter:
    case QEvent::Drop:
    case QEvent::ContextMenu:
    case QEvent::FocusIn:
        return true;
    default:
        return false;
    }
}

}  // namespace

ListBox::ListBox(QWidget* parent, FrameClock& clock) : QPlainTextEdit(parent), clock_(clock) {
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setTabChangesFocus(true);
}

QString ListBox::Content() {
    Flush();
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    return text;
}

void ListBox::Replace(const QString& text) {
    pending_.clear();
    setPlainText(text);
}

void ListBox::Append(const QString& text) {
    pending_ += text;
    clock_.Request(this);
}

void ListBox::Flush() {
    if (pending_.isEmpty()) return;
    QTextCursor end(document());
    end.movePosition(QTextCursor::End);
    end.insertText(pending_);
    pending_.clear();
}

bool ListBox::event(QEvent* event) {
    if (IsInput(event->type())) Flush();
    return QPlainTextEdit::event(event);
}

bool ListBox::viewportEvent(QEvent* event) {
    if (IsInput(event->type())) Flush();
    return QPlainTextEdit::viewportEvent(event);
}
