#include "codec/request_id.h"
#include "codec/snmp_wire.h"

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

TEST(RequestId, IsEncodedInTheFewestOctets) {
    const struct {
        int32_t id;
        Bytes octets;
    } cases[] = {
        {0, {0x00}},          {200, {0x00, 0xC8}},       {-1, {0xFF}},
        {-128, {0x80}},       {-129, {0xFF, 0x7F}},      {-32768, {0x80, 0x00}},
        {INT32_MIN, {0x80, 0x00, 0x00, 0x00}},           {INT32_MAX, {0x7F, 0xFF, 0xFF, 0xFF}},
    };
    for (const auto& c : cases) {
        const Integer_Octets octets = request_id_octets(c.id);
        EXPECT_EQ(Bytes(octets.view().begin(), octets.view().end()), c.octets) << c.id;
    }
}

TEST(RequestId, AnEchoedIdIsComparedAsTheIntegerItIs) {
    const struct {
        Bytes content;
        int32_t id;
        bool matches;
    } cases[] = {
        {{0x05}, 5, true},
        {{0x00, 0x00, 0x05}, 5, true},  // redundant octets still say 5
        {{0xFF}, -1, true},
        {{0xFF, 0xFF, 0xFF}, -1, true},
        {{0x00, 0xFF, 0xFF, 0xFF, 0xFF}, -1, false},  // 4294967295 is not -1
        {{0x00, 0x80, 0x00, 0x00, 0x00}, INT32_MIN, false},
        {{0x80, 0x00, 0x00, 0x00}, INT32_MIN, true},
        {{0x01, 0x00, 0x00, 0x00, 0x05}, 5, false},  // beyond 32 bits
        {{}, 0, false},
    };
    for (const auto& c : cases) EXPECT_EQ(request_id_matches(c.content, c.id), c.matches) << c.id;
}

TEST(RequestId, IsReadFromAnSnmpMessageWithoutDecodingTheRest) {
    // 30 LL 02 01 00 04 01 'c' A2 LL 02 02 01 2C ...
    const Bytes message = {0x30, 0x0D, 0x02, 0x01, 0x00, 0x04, 0x01, 'c', 0xA2, 0x05, 0x02, 0x02, 0x01, 0x2C, 0x02};
    const auto id = snmp_request_id_content(message);
    ASSERT_TRUE(id.has_value());
    EXPECT_TRUE(request_id_matches(*id, 300));
    const Bytes cut(message.begin(), message.begin() + 12);
    EXPECT_FALSE(snmp_request_id_content(cut).has_value());
}

}  // namespace
