#include "tests/line/line_fixture.h"

#include <cstdlib>
#include <mutex>

#include "quorvan.h"
#include "tests/support/sample.h"

namespace {

constexpr uint8_t kFlag = 0x7E;

std::mutex display_mutex;
std::string displayed;

int32_t collect_display(const char* text) {
    std::lock_guard lock(display_mutex);
    displayed += text;
    displayed += '\n';
    return 0;
}

}  // namespace

Frame read_frame(const Pty_Pair& line, std::chrono::milliseconds patience) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + patience;
    Frame frame;
    while (Clock::now() < deadline) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        const Frame octet = line.read(1, left);
        if (octet.empty()) break;
        if (frame.empty() && octet[0] != kFlag) continue;
        // Two flags in a row: the second opens the frame.
        if (frame.size() == 1 && octet[0] == kFlag) continue;
        frame.push_back(octet[0]);
        if (frame.size() > 1 && octet[0] == kFlag) return frame;
    }
    return {};
}

Frame frame_around(const Frame& body) {
    uint16_t fcs = 0;
    EXPECT_EQ(CalcCrc(body.data(), static_cast<uint16_t>(body.size()), &fcs), 0);
    Frame unstuffed = body;
    unstuffed.push_back(static_cast<uint8_t>(fcs >> 8));
    unstuffed.push_back(static_cast<uint8_t>(fcs & 0xFF));
    Frame frame{kFlag};
    for (const uint8_t octet : unstuffed) {
        if (octet == kFlag || octet == 0x7D) {
            frame.push_back(0x7D);
            frame.push_back(static_cast<uint8_t>(octet ^ 0x20));
        } else {
            frame.push_back(octet);
        }
    }
    frame.push_back(kFlag);
    return frame;
}

std::string central_display() {
    std::lock_guard lock(display_mutex);
    return displayed;
}

void forget_central_display() {
    std::lock_guard lock(display_mutex);
    displayed.clear();
    displayed.shrink_to_fit();
}

Line_Test::Line_Test(int time_out, const char* ppp_secret) : enter(central_dir.path()) {
    copy_sample_into(central_dir);
    copy_sample_into(field_dir);
    central_dir.write("NQuorvan.ini",
                      "SERIAL\n" + central_line.terminal_name() + "\n9600\n" + std::to_string(time_out) + "\n\nCENTRAL\n\n");
    forget_central_display();
    EXPECT_EQ(Init(nullptr, 0, nullptr, QV_ROLE_CENTRAL, nullptr, nullptr, 0), 0);
    char output_name[16] = "Mibi.out";
    EXPECT_EQ(CompileMIB("Mibi", output_name, "Errors.out", 0), 0);
    if (ppp_secret != nullptr) {
        EXPECT_EQ(SetLinkType(QV_LINK_PPP), 0);
        EXPECT_EQ(SetPPPInfo(ppp_secret), 0);
        SetPPPRestartTimer(kRestartMs);
    }
    EXPECT_EQ(StartReceiverThread(collect_display, nullptr), 0);
}

Line_Test::~Line_Test() {
    Shutdown();
    if (field) field->stop();
}

void Line_Test::start_field(const std::vector<std::string>& arguments) {
    std::vector<std::string> argv = {QUORVAN_CLI, "--workdir", field_dir.path(), "field",
                                     "--port", field_line.terminal_name()};
    argv.insert(argv.end(), arguments.begin(), arguments.end());
    field = std::make_unique<Child_Process>(argv);
    ASSERT_TRUE(field->wait_for("Field device answering on " + field_line.terminal_name())) << field->output();
}

void Line_Test::inject(const std::string& list, int count) {
    const size_t offset = field->output_size();
    field->send_line("inject " + list + " " + std::to_string(count));
    ASSERT_TRUE(field->wait_for("Injecting: " + list, offset)) << field->output();
}

int32_t Line_Test::send(const Request_Plan& plan) {
    std::string protocol = plan.stmp ? "STMP" : "SNMP";
    std::string class_name = "Class B";
    std::string community = "Orchid";
    std::vector<std::string> names;
    std::vector<std::string> values;
    for (const Binding& binding : plan.bindings) {
        names.push_back(binding.name);
        values.push_back(binding.value);
    }
    Message_Request request{};
    request.protocol = protocol.data();
    request.class_name = class_name.data();
    request.community = community.data();
    request.address = plan.drop;
    request.get = plan.kind == Kind::get;
    request.get_next = plan.kind == Kind::get_next;
    request.set = plan.kind == Kind::set;
    request.dynamic_object = plan.dyn_obj != 0;
    request.dyn_obj_number = plan.dyn_obj;
    request.object_count = static_cast<int32_t>(plan.bindings.size());
    for (size_t i = 0; i < plan.bindings.size(); ++i) {
        request.object_names[i] = names[i].data();
        request.values[i] = values[i].data();
        request.value_types[i] = plan.bindings[i].type;
    }
    return SendData(&request, collect_display, nullptr, 1);
}

Frame Line_Test::carry_request() {
    const Frame frame = read_frame(central_line, std::chrono::seconds(5));
    EXPECT_FALSE(frame.empty()) << "the central station sent nothing";
    field_line.write(frame);
    return frame;
}

Frame Line_Test::take_answer(std::chrono::milliseconds patience) { return read_frame(field_line, patience); }

Frame Line_Test::carry_answer(std::chrono::milliseconds patience) {
    const Frame frame = take_answer(patience);
    if (!frame.empty()) central_line.write(frame);
    return frame;
}

Outcome Line_Test::round_trip(const Request_Plan& plan) {
    const int32_t id = send(plan);
    EXPECT_NE(id, -1);
    carry_request();
    carry_answer();
    return outcome(id);
}

int32_t Line_Test::round_trip_kept(const Request_Plan& plan) {
    const int32_t id = send(plan);
    carry_request();
    carry_answer();
    EXPECT_EQ(outcome(id, false).result, 0);
    return id;
}

Outcome Line_Test::outcome(int32_t id, bool clear) {
    Outcome out;
    Owned_Text message;
    out.result = GetError(id, &message.text, &out.status, &out.index);
    out.message = message.str();
    Owned_Text value;
    if (GetResponseValue(id, &value.text) == 0) out.value = value.str();
    if (clear) ClearErrorState(id);
    return out;
}
