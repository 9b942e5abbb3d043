// A line that is not open - the device is missing, or the name is a
// directory or a regular file - refuses a send at once: the request never
// waits for a time-out that stands for nothing sent.
#include <gtest/gtest.h>

#include <mutex>
#include <string>

#include "quorvan.h"
#include "tests/support/sample.h"
#include "tests/support/temp_dir.h"

namespace {

std::mutex shown_mutex;
std::string shown;

int32_t collect(const char* text) {
    std::lock_guard hold(shown_mutex);
    shown += text;
    return 0;
}

struct Closed_Case {
    const char* what;
    std::string (*port)(const Temp_Dir& dir);
};

const Closed_Case kClosed[] = {
    {"a missing device", [](const Temp_Dir& dir) { return dir.file("no-such-tty"); }},
    {"a directory", [](const Temp_Dir& dir) { return dir.path(); }},
    {"a regular file", [](const Temp_Dir& dir) { return dir.file("Mibi.out"); }},
};

TEST(ClosedLine, ASendIsRefusedAtOnce) {
    for (const Closed_Case& closed : kClosed) {
        SCOPED_TRACE(closed.what);
        Temp_Dir dir;
        Working_Directory enter(dir.path());
        copy_sample_into(dir);
        dir.write("NQuorvan.ini", "SERIAL\n" + closed.port(dir) + "\n9600\n2\n\nCENTRAL\n\n");
        EXPECT_NE(Init(nullptr, 0, nullptr, QV_ROLE_CENTRAL, nullptr, nullptr, 0), 0);
        char output_name[16] = "Mibi.out";
        ASSERT_EQ(CompileMIB("Mibi", output_name, "Errors.out", 0), 0);
        ASSERT_EQ(StartReceiverThread(collect, nullptr), 0);
        {
            std::lock_guard hold(shown_mutex);
            shown.clear();
        }
        std::string name = "demoInteger.0";
        std::string value;
        std::string protocol = "SNMP";
        std::string class_name = "Class B";
        std::string community = "Orchid";
        Message_Request request{};
        request.protocol = protocol.data();
        request.class_name = class_name.data();
        request.community = community.data();
        request.address = 1;
        request.get = 1;
        request.object_count = 1;
        request.object_names[0] = name.data();
        request.values[0] = value.data();
        EXPECT_EQ(SendData(&request, collect, nullptr, 1), -1);
        {
            std::lock_guard hold(shown_mutex);
            EXPECT_NE(shown.find("Error sending message"), std::string::npos) << shown;
        }
        Shutdown();
    }
}

}  // namespace
