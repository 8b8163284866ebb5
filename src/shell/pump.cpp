#include "shell/pump.h"

#include <QCoreApplication>
#include <time.h>

#include <cstdint>

#include "shell/app.h"

namespace {

constexpr std::int64_t kLookIntervalNs = 200'000;
std::int64_t g_nextLook = 0;

std::int64_t NowNs() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

}  // namespace

void PumpEvents() {
    if (QuitRequested()) return;
    // Posted events (repaints, queued calls, the window's own requests) are
    // cheap to look at: do it on every call.
    QCoreApplication::sendPostedEvents();
    if (QuitRequested()) return;
    const std::int64_t now = NowNs();
    if (now < g_nextLook) return;
    // The window system's queue and the timers cost a system call to look
    // at; a fraction of a millisecond later is soon enough for a user.
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    g_nextLook = NowNs() + kLookIntervalNs;
}
