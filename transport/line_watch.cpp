#include "transport/line_watch.h"

#include <algorithm>

void Line_Watch::lost(int64_t now_ms) {
    down_ = true;
    interval_ms_ = kFirstRetryMs;
    next_retry_ms_ = now_ms + interval_ms_;
}

void Line_Watch::failed(int64_t now_ms) {
    interval_ms_ = std::min(interval_ms_ * 2, kLongestRetryMs);
    next_retry_ms_ = now_ms + interval_ms_;
}
