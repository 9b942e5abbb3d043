// Shutdown beside exports running on other threads: every call either runs
// on a whole engine or answers as without one, none reaches a destroyed
// engine (the sanitizer builds watch the memory and the locks), and a
// GetError waiting for an outcome lets Shutdown through.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <thread>
#include <vector>

#include "tests/api/engine_fixture.h"

namespace {

using Shutdown_Race = Sample_Engine;

// A Get of one object, kept so that GetError waits for its outcome (no line:
// none comes).
Message_Request get_request(char* name) {
    Message_Request request{};
    request.protocol = const_cast<char*>("SNMP");
    request.class_name = const_cast<char*>("Class B");
    request.community = const_cast<char*>("Orchid");
    request.address = 1;
    request.get = 1;
    request.object_count = 1;
    request.object_names[0] = name;
    return request;
}

TEST_F(Shutdown_Race, ExportsOnOtherThreadsNeverReachADestroyedEngine) {
    load();
    std::atomic<bool> stop{false};
    std::atomic<int> unexpected{0};
    auto expect = [&](bool ok) {
        if (!ok) ++unexpected;
    };

    std::vector<std::thread> callers;
    callers.emplace_back([&] {  // reads the tree
        while (!stop) {
            Owned_Info node;
            expect(GetNodeInfo("demoByte.0", &node.info) == 0 || node.info.name == nullptr);
            Owned_Text listing;
            const int32_t listed = GetTreeListing(&listing.text);
            expect(listed == 0 || listed == -1);
        }
    });
    callers.emplace_back([&] {  // writes the tree
        while (!stop) {
            const int32_t set = SetInstanceValue("demoByte.0", "7", 0);
            expect(set == 0 || set == 2);
        }
    });
    callers.emplace_back([&] {  // encodes requests and waits for their outcome
        char name[] = "demoByte.0";
        while (!stop) {
            Message_Request request = get_request(name);
            Encoded_Frame first{};
            Owned_Text english;
            int32_t count = 0;
            if (EncodeData(&english.text, &request, &first, nullptr, nullptr, nullptr, nullptr, &count, 1) != 0)
                continue;
            for (Encoded_Frame* frame = first.next; frame != nullptr;) {
                Encoded_Frame* next = frame->next;
                std::free(frame);
                frame = next;
            }
            Owned_Text message;
            int32_t status = 0;
            int32_t index = 0;
            expect(GetError(request.request_id, &message.text, &status, &index) == -1);
        }
    });
    callers.emplace_back([&] {  // settings and the checksum
        const uint8_t octets[] = {0x05, 0x13, 0xC1, 0x30, 0x00};
        while (!stop) {
            uint16_t baud = 0;
            uint16_t time_out = 0;
            char port[QV_PORT_NAME_SIZE] = {};
            GetParams(&baud, port, &time_out);
            int32_t type = 0;
            int32_t role = 0;
            GetModes(&type, &role);
            uint16_t fcs = 0;
            const int32_t computed = CalcCrc(octets, sizeof octets, &fcs);
            expect(computed == -1 || (computed == 0 && fcs == 0xABE9));
        }
    });

    for (int round = 0; round < 20; ++round) {
        EXPECT_EQ(Shutdown(), 0);
        ASSERT_EQ(init(), 0);
        ASSERT_EQ(compile(), 0);
    }
    Shutdown();
    stop = true;
    for (std::thread& caller : callers) caller.join();
    EXPECT_EQ(unexpected.load(), 0);
}

// A display callback that tries to shut the engine down from inside the
// SendData that calls it.
std::atomic<int32_t> shutdown_in_callback{1};
int32_t shut_down_from_display(const char*) {
    shutdown_in_callback = Shutdown();
    return 0;
}

TEST_F(Shutdown_Race, ShutdownFromInsideACallbackIsRefused) {
    load();
    char name[] = "demoByte.0";
    Message_Request request = get_request(name);
    // There is no line here: the request is refused (-1) after its text has
    // been displayed.
    EXPECT_EQ(SendData(&request, shut_down_from_display, nullptr, 0), -1);
    EXPECT_EQ(shutdown_in_callback.load(), -1);
    Owned_Info node;
    EXPECT_EQ(GetNodeInfo("demoByte.0", &node.info), 0);  // the engine is still there
}

}  // namespace
