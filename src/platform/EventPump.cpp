#include "platform/EventPump.h"

#include <QEventLoop>
#include <QTimer>

#include <chrono>

void PumpEventsFor(int32_t ms)
{
    if (ms <= 0)
        return;
    using Clock = std::chrono::steady_clock;
    const auto end = Clock::now() + std::chrono::milliseconds(ms);
    // A nested event loop sleeps in the platform's wait until an event or the
    // timer arrives. Nested delays may end this loop early (quit() on an outer
    // loop lands when control returns to it), so the clock decides.
    for (;;) {
        const auto left =
            std::chrono::ceil<std::chrono::milliseconds>(end - Clock::now()).count();
        if (left <= 0)
            break;
        QEventLoop loop;
        QTimer timer;
        timer.setSingleShot(true);
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, &loop, &QEventLoop::quit);
        timer.start(static_cast<int>(left));
        loop.exec(QEventLoop::AllEvents);
    }
}
