#pragma once
// A label drawn by the program: the button-face colour, the caption in black
// on one line, left-aligned and centred vertically, "&" shown as it is, and
// optionally a thin line around it.

#include <QString>
#include <QWidget>

#include "shell/frame_clock.h"

class Label : public QWidget, public Paced {
    Q_OBJECT

public:
    Label(QWidget* parent, FrameClock& clock, bool border);

    const QString& Caption() const { return caption_; }
    // Painted at the next processing of events (frame paced).
    void SetCaption(const QString& caption);
    void PresentFrame() override { update(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    FrameClock& clock_;
    QString caption_;
    bool border_;
};
