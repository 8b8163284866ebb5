#include "shell/label.h"

#include <QPainter>

Label::Label(QWidget* parent, FrameClock& clock, bool border) : QWidget(parent), clock_(clock), border_(border) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void Label::SetCaption(const QString& caption) {
    caption_ = caption;
    clock_.Request(this);
}

void Label::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    QRect textArea = rect();
    if (border_) {
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(rect().adjusted(0, 0, -1, -1));
        textArea.adjust(1, 1, -1, -1);
    }
    painter.setPen(Qt::black);
    painter.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, caption_);
}
