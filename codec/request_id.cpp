#include "codec/request_id.h"

#include <atomic>

int32_t next_request_id() {
    static std::atomic<uint32_t> counter{0};
    return static_cast<int32_t>(counter.fetch_add(1, std::memory_order_relaxed));
}
