// A serial line that hangs up - a pseudo-terminal whose other end closed, a
// tty whose carrier dropped, a USB adapter unplugged - is closed and opened
// again, at growing intervals, until the line is back. The receiver thread
// asks the watch when the next attempt is due; the attempts themselves are
// the line's (Line_Port::hang_up and reopen).
#pragma once

#include <cstdint>

class Line_Watch {
public:
    static constexpr int64_t kFirstRetryMs = 250;
    static constexpr int64_t kLongestRetryMs = 4000;

    bool down() const { return down_; }
    // The line was lost at now_ms: the first attempt comes after kFirstRetryMs.
    void lost(int64_t now_ms);
    bool retry_due(int64_t now_ms) const { return down_ && now_ms >= next_retry_ms_; }
    // An attempt failed: the next waits twice as long, up to kLongestRetryMs.
    void failed(int64_t now_ms);
    // The line is open again.
    void back() { down_ = false; }

private:
    bool down_ = false;
    int64_t interval_ms_ = kFirstRetryMs;
    int64_t next_retry_ms_ = 0;
};
