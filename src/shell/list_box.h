#pragma once
// The multi-line box that holds the account list.
//
// Appends gather in a buffer and go into the document once a frame, so a run
// of a million lines costs a million string appends, not a million document
// edits and repaints. The buffer is put into the document before anything
// reads or replaces the content and before any input reaches the box, so
// every read sees every line and what the user types lands where it is shown.

#include <QPlainTextEdit>
#include <QString>

#include "shell/frame_clock.h"
#include "text/text.h"

class ListBox : public QPlainTextEdit, public Paced {
    Q_OBJECT

public:
    ListBox(QWidget* parent, FrameClock& clock);

    // The whole content in code page 936, line breaks as CR LF, made line by
    // line so that no second copy of a long list is held on the way.
    Text Content();
    void Replace(const QString& text);
    void Append(const QString& text);
    void Flush();
    void PresentFrame() override { Flush(); }

protected:
    bool event(QEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    FrameClock& clock_;
    QString pending_;
};
