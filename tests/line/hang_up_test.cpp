// The line hangs up: the pseudo-terminal's other end closes, as a tty loses
// its carrier or a USB adapter is pulled. The station says so in its own
// words, ends what waited on the line, refuses to send while it is down, and
// opens the port again until the line is back.
#include <gtest/gtest.h>
#include <unistd.h>

#include <memory>

#include "quorvan.h"
#include "tests/line/line_fixture.h"

namespace {

using HangUp = Line_Test;

const Request_Plan kGet{Kind::get, {{"demoInteger.0", "", 0}}};

TEST_F(HangUp, ARequestWaitingWhenTheLineDropsEndsWithItsOwnOutcome) {
    const int32_t id = send(kGet);
    ASSERT_FALSE(read_frame(central_line, std::chrono::seconds(5)).empty());
    central_line.hang_up();
    const Outcome out = outcome(id);
    EXPECT_EQ(out.result, 0x20000) << central_display();
    EXPECT_EQ(out.message, "Error: The line was lost while the request waited for its response.");
    EXPECT_NE(central_display().find("Line lost on " + central_line.terminal_name() + " ("), std::string::npos)
        << central_display();
    EXPECT_EQ(central_display().find("Receiving data, but 0 bytes available"), std::string::npos);
    // Nothing can go out while the line is down.
    EXPECT_EQ(send(kGet), -1);
}

TEST_F(HangUp, TheFieldDeviceAnswersAgainOnceTheLineIsBack) {
    // The field device opens the line by a name that is moved to the new
    // line, as a udev name follows an adapter that is plugged in again.
    const std::string name = field_dir.file("line");
    auto line = std::make_unique<Pty_Pair>();
    ASSERT_EQ(symlink(line->terminal_name().c_str(), name.c_str()), 0);
    field = std::make_unique<Child_Process>(
        std::vector<std::string>{QUORVAN_CLI, "--workdir", field_dir.path(), "field", "--port", name});
    ASSERT_TRUE(field->wait_for("Field device answering on " + name)) << field->output();

    const auto round_trip_on = [&](const Pty_Pair& field_end) {
        const int32_t id = send(kGet);
        field_end.write(read_frame(central_line, std::chrono::seconds(5)));
        central_line.write(read_frame(field_end, std::chrono::seconds(5)));
        return outcome(id);
    };
    EXPECT_EQ(round_trip_on(*line).result, 0);

    const size_t before = field->output_size();
    line->hang_up();
    ASSERT_TRUE(field->wait_for("Line lost on " + name, before)) << field->output();
    auto new_line = std::make_unique<Pty_Pair>();
    ASSERT_EQ(unlink(name.c_str()), 0);
    ASSERT_EQ(symlink(new_line->terminal_name().c_str(), name.c_str()), 0);
    ASSERT_TRUE(field->wait_for("Line back on " + name, before)) << field->output();
    const Outcome out = round_trip_on(*new_line);
    EXPECT_EQ(out.result, 0) << out.message << field->output();
    EXPECT_EQ(out.value, "0");
}

}  // namespace
