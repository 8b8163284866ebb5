#pragma once
// Paces the repaints that a long run causes to about 60 a second: a screen
// shows no more, and painting after every account would cost more than
// making it.

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <vector>

// Something that shows changes made since its last frame when asked.
class Paced {
public:
    virtual void PresentFrame() = 0;

protected:
    ~Paced() = default;
};

class FrameClock : public QObject {
public:
    static constexpr int kFrameMilliseconds = 16;

    explicit FrameClock(QObject* parent = nullptr);
    // `paced` gets PresentFrame at once when no frame was presented in the
    // last 16 ms, otherwise when that time is up (at a later processing of
    // events).
    void Request(Paced* paced);

private:
    void Present();

    std::vector<Paced*> waiting_;
    QTimer timer_;
    QElapsedTimer sinceFrame_;
};
