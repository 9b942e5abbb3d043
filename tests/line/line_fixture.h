// A central station and a field device on a serial line, each its own
// process: the field device is quorvan-cli on one pseudo-terminal, the
// central station is the engine in the test's process on another, and the
// test carries the frames between the two lines itself, so it sees every
// octet and can hold, join, spoil or repeat frames on the way.
#pragma once

#include <gtest/gtest.h>

#include <chrono>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/child_process.h"
#include "tests/support/owned_text.h"
#include "tests/support/pty_pair.h"
#include "tests/support/temp_dir.h"

using Frame = std::vector<uint8_t>;

// One object of a request: its name and, for a Set, its value and type.
struct Binding {
    std::string name;
    std::string value;
    uint8_t type = 0;
};

enum class Kind { get, get_next, set };

struct Request_Plan {
    Kind kind = Kind::get;
    std::vector<Binding> bindings;
    bool stmp = false;
    int32_t drop = 1;
    int32_t dyn_obj = 0;  // an STMP dynamic object, 1 to 13

};

// What GetError and GetResponseValue report for a request.
struct Outcome {
    int32_t result = -1;
    std::string message;
    int32_t status = 0;
    int32_t index = 0;
    std::string value;
};

// Reads one frame from a line: from an opening flag to the closing flag;
// empty when none comes within the patience.
Frame read_frame(const Pty_Pair& line, std::chrono::milliseconds patience);

// A frame around a body (address to information), with its FCS from the
// engine's CalcCrc and the octets stuffed.
Frame frame_around(const Frame& body);

// Everything the central station's engine has displayed.
std::string central_display();
void forget_central_display();

class Line_Test : public ::testing::Test {
protected:
    // Seconds the central station waits for an answer.
    static constexpr int kTimeOut = 2;

    // With a secret, the line runs PPP (the link type set before the
    // receiver thread starts), the secret given to the link and the restart
    // timer at kRestartMs.
    explicit Line_Test(int time_out = kTimeOut, const char* ppp_secret = nullptr);
    static constexpr uint32_t kRestartMs = 150;
    ~Line_Test() override;

    // The field device, started on its line with extra arguments.
    void start_field(const std::vector<std::string>& arguments = {});
    // Changes the field device's injections through its control input.
    void inject(const std::string& list, int count = 0);

    int32_t send(const Request_Plan& plan);
    // Carries the central station's next frame to the field device.
    Frame carry_request();
    // Carries the field device's next frame, if one comes, to the central station.
    Frame carry_answer(std::chrono::milliseconds patience = std::chrono::seconds(5));
    Frame take_answer(std::chrono::milliseconds patience = std::chrono::seconds(5));
    // Sends, carries both ways, and reports the outcome (the record is cleared).
    Outcome round_trip(const Request_Plan& plan);
    Outcome outcome(int32_t id, bool clear = true);
    // A round trip whose outcome stays in the list: the request id.
    int32_t round_trip_kept(const Request_Plan& plan);

    Temp_Dir central_dir;
    Temp_Dir field_dir;
    Working_Directory enter;
    Pty_Pair central_line;
    Pty_Pair field_line;
    std::unique_ptr<Child_Process> field;
};
