#include "shell/frame_clock.h"

#include <algorithm>

FrameClock::FrameClock(QObject* parent) : QObject(parent) {
    timer_.setSingleShot(true);
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &FrameClock::Present);
}

void FrameClock::Request(Paced* paced) {
    if (std::find(waiting_.begin(), waiting_.end(), paced) == waiting_.end()) waiting_.push_back(paced);
    if (timer_.isActive()) return;
    const qint64 since = sinceFrame_.isValid() ? sinceFrame_.elapsed() : kFrameMilliseconds;
    if (since >= kFrameMilliseconds) {
        Present();
    } else {
        timer_.start(static_cast<int>(kFrameMilliseconds - since));
    }
}

void FrameClock::Present() {
    sinceFrame_.start();
    std::vector<Paced*> due;
    due.swap(waiting_);
    for (Paced* paced : due) paced->PresentFrame();
}
