#include "shell/list_box.h"

#include <QEvent>
#include <QTextCursor>
#include <QTextBlock>
#include <QTextDocument>

#include "text/cp936.h"

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

Text ListBox::Content() {
    Flush();
    const QTextDocument* doc = document();
    // Untouched room costs no memory; this is enough for a list of Chinese text.
    TextBuilder out(static_cast<std::size_t>(doc->characterCount()) * 2);
    for (QTextBlock block = doc->begin(); block.isValid(); block = block.next()) {
        if (block != doc->begin()) out.Append(std::string_view("\r\n"));
        const QString line = block.text();
        AppendCp936(out, std::u16string_view(QStringView(line).utf16(), static_cast<std::size_t>(line.size())));
    }
    return out.Finish();
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
