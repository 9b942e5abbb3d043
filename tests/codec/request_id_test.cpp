#include "codec/request_id.h"

#include <gtest/gtest.h>

#include <set>
#include <thread>
#include <vector>

namespace {

TEST(RequestId, ThreadsEncodingAtOnceGetIdsOfTheirOwn) {
    const int32_t first = next_request_id();
    std::vector<std::vector<int32_t>> taken(4);
    std::vector<std::thread> threads;
    for (auto& ids : taken)
        threads.emplace_back([&ids] {
            for (int i = 0; i < 1000; ++i) ids.push_back(next_request_id());
        });
    for (auto& thread : threads) thread.join();
    std::set<int32_t> all;
    for (const auto& ids : taken) all.insert(ids.begin(), ids.end());
    EXPECT_EQ(all.size(), 4000u);
    EXPECT_EQ(*all.begin(), first + 1);
    EXPECT_EQ(*all.rbegin(), first + 4000);
}

}  // namespace
