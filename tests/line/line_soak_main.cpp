// A bounded soak of the line under faults, as a program of its own and as a
// CTest test: a central station (the engine in this process) and a field
// device (quorvan-cli, its own process), each on a pseudo-terminal that this
// program carries the frames between. Ordinary traffic is mixed with the
// faults a test bench produces: noise bursts, half frames, injected faults,
// answers lost on the way, a device that stalls, and hang-ups of either line
// with the line coming back. Every request must end with exactly one outcome,
// the one its fault causes; no request may take another's answer (each Get
// reads the value the Set before it stored); memory and the display stay
// bounded. The counts by outcome are printed.
//
// quorvan_line_soak [--seconds N] [--requests N] [--seed N]
#include <signal.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "quorvan.h"
#include "tests/line/line_fixture.h"
#include "tests/support/child_process.h"
#include "tests/support/owned_text.h"
#include "tests/support/pty_pair.h"
#include "tests/support/sample.h"
#include "tests/support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::milliseconds;

#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
constexpr bool kMemoryIsMeasurable = false;  // the sanitizers keep freed memory back
#else
constexpr bool kMemoryIsMeasurable = true;
#endif
constexpr long kGrowthAllowedKb = 4096;
constexpr size_t kDisplayPerRequest = 8192;  // display octets a request may cost, on average
constexpr int kTimeOutSeconds = 1;
constexpr int32_t kTimedOut = 0x10;
constexpr int32_t kBadCrc = 0x8000;
constexpr int32_t kLineLost = 0x20000;
constexpr milliseconds kPatience{3000};
constexpr milliseconds kLongerThanAFrameGap{700};

enum class Fault { none, noise, half_frame, bad_crc, no_response, lost_answer, stall, field_hang_up, central_hang_up };
const char* const kFaultNames[] = {"ordinary",   "noise burst", "half frame",         "injected bad CRC",
                                   "no response", "lost answer", "stalled device", "field line hung up",
                                   "central line hung up"};

std::mutex display_mutex;
size_t display_octets = 0;
std::string display_tail;  // the last lines, for a failure report

int32_t collect(const char* text) {
    std::lock_guard hold(display_mutex);
    const std::string line = text;
    display_octets += line.size() + 1;
    display_tail += line + "\n";
    if (display_tail.size() > 4096) display_tail.erase(0, display_tail.size() - 4096);
    return 0;
}

bool display_holds(const std::string& text) {
    std::lock_guard hold(display_mutex);
    return display_tail.find(text) != std::string::npos;
}

// A line that can be hung up and come back: the station opens it by a name
// that is moved to a new pseudo-terminal, as udev moves an adapter's name.
class Movable_Line {
public:
    explicit Movable_Line(std::string name) : name_(std::move(name)) { plug_in(); }
    const std::string& name() const { return name_; }
    const Pty_Pair& pty() const { return *pty_; }
    void hang_up() { pty_->hang_up(); }
    void plug_in() {
        pty_ = std::make_unique<Pty_Pair>();
        unlink(name_.c_str());
        if (symlink(pty_->terminal_name().c_str(), name_.c_str()) != 0) std::abort();
    }

private:
    std::string name_;
    std::unique_ptr<Pty_Pair> pty_;
};

struct Options {
    int seconds = 25;
    int requests = 100000;
    uint32_t seed = 2026;
};

class Soak {
public:
    explicit Soak(const Options& options)
        : options_(options),
          random_(options.seed),
          enter_(central_dir_.path()),
          central_(central_dir_.file("line")),
          field_line_(field_dir_.file("line")) {}

    bool run();

private:
    bool start();
    int32_t send(bool set, int32_t value);
    Outcome outcome(int32_t id);
    // One request under the fault; false when its outcome was not the one the fault causes.
    bool exchange(Fault fault);
    bool check(Fault fault, const Outcome& out, int32_t expected, const std::string& value);
    bool inject(const std::string& list);
    bool wait_field(const std::string& text, size_t offset);
    bool wait_display(const std::string& text);
    void carry_request() { field_line_.pty().write(read_frame(central_.pty(), kPatience)); }
    Frame take_answer(milliseconds patience = kPatience) { return read_frame(field_line_.pty(), patience); }
    void count(const std::string& cause) { ++counts_[cause]; }

    Options options_;
    std::mt19937 random_;
    Temp_Dir central_dir_;
    Temp_Dir field_dir_;
    Working_Directory enter_;
    Movable_Line central_;
    Movable_Line field_line_;
    std::unique_ptr<Child_Process> field_;
    std::map<std::string, int> counts_;
    std::vector<std::string> failures_;
    int32_t stored_ = 0;  // the value the last answered Set stored
    int requests_ = 0;
};

bool Soak::start() {
    copy_sample_into(central_dir_);
    copy_sample_into(field_dir_);
    central_dir_.write("NQuorvan.ini", "SERIAL\n" + central_.name() + "\n9600\n" + std::to_string(kTimeOutSeconds) +
                                           "\n\nCENTRAL\n\n");
    if (Init(nullptr, 0, nullptr, QV_ROLE_CENTRAL, nullptr, nullptr, 0) != 0) return false;
    char output_name[16] = "Mibi.out";
    if (CompileMIB("Mibi", output_name, "Errors.out", 0) != 0) return false;
    if (StartReceiverThread(collect, nullptr) != 0) return false;
    field_ = std::make_unique<Child_Process>(
        std::vector<std::string>{QUORVAN_CLI, "--workdir", field_dir_.path(), "field", "--port", field_line_.name()});
    return field_->wait_for("Field device answering on " + field_line_.name());
}

int32_t Soak::send(bool set, int32_t value) {
    std::string protocol = "SNMP";
    std::string class_name = "Class B";
    std::string community = "Orchid";
    std::string name = "demoInteger.0";
    std::string text = set ? std::to_string(value) : std::string();
    Message_Request request{};
    request.protocol = protocol.data();
    request.class_name = class_name.data();
    request.community = community.data();
    request.address = 1;
    request.get = set ? 0 : 1;
    request.set = set ? 1 : 0;
    request.object_count = 1;
    request.object_names[0] = name.data();
    request.values[0] = text.data();
    request.value_types[0] = set ? QV_TYPE_INTEGER : 0;
    ++requests_;
    return SendData(&request, collect, nullptr, 1);
}

Outcome Soak::outcome(int32_t id) {
    Outcome out;
    Owned_Text message;
    out.result = GetError(id, &message.text, &out.status, &out.index);
    out.message = message.str();
    Owned_Text value;
    if (GetResponseValue(id, &value.text) == 0) out.value = value.str();
    // Exactly one outcome: the record is there to be cleared once.
    if (out.result != -1 && ClearErrorState(id) != 0) out.result = -2;
    return out;
}

bool Soak::check(Fault fault, const Outcome& out, int32_t expected, const std::string& value) {
    const std::string name = kFaultNames[static_cast<int>(fault)];
    switch (out.result) {
        case 0: count("answered"); break;
        case kTimedOut: count("timed out (0x10)"); break;
        case kBadCrc: count("bad CRC (0x8000)"); break;
        case kLineLost: count("line lost (0x20000)"); break;
        case -1: count("no outcome (-1)"); break;
        default: count("other (" + std::to_string(out.result) + ")"); break;
    }
    if (out.result == expected && (value.empty() || out.value == value)) return true;
    if (failures_.size() < 10)
        failures_.push_back("request " + std::to_string(requests_) + " (" + name + "): result " +
                            std::to_string(out.result) + " \"" + out.message + "\", value \"" + out.value +
                            "\"; expected " + std::to_string(expected) + (value.empty() ? "" : " and \"" + value + "\""));
    return false;
}

bool Soak::inject(const std::string& list) {
    const size_t offset = field_->output_size();
    // A count of 1 clears only a do-not-respond switch; the others stay
    // until changed, so every injection is set without a count and cleared.
    field_->send_line("inject " + list + " 0");
    return field_->wait_for("Injecting: " + list, offset);
}

bool Soak::wait_field(const std::string& text, size_t offset) { return field_->wait_for(text, offset); }

bool Soak::wait_display(const std::string& text) {
    for (int wait = 0; wait < 500; ++wait) {
        if (display_holds(text)) return true;
        std::this_thread::sleep_for(milliseconds(20));
    }
    return false;
}

bool Soak::exchange(Fault fault) {
    // Every exchange but the hang-up of the central line is a Set of a new
    // value, then a Get that must read it back.
    const int32_t value = static_cast<int32_t>(random_() % 100000);
    const std::string answered_value = std::to_string(value);
    switch (fault) {
        case Fault::none:
        case Fault::noise:
        case Fault::half_frame: {
            const int32_t id = send(true, value);
            carry_request();
            Frame answer = take_answer();
            if (fault == Fault::noise) {
                // Stray octets (no flag, no escape) just before the answer.
                Frame noise(1 + random_() % 200);
                for (uint8_t& octet : noise) octet = static_cast<uint8_t>(0x20 + random_() % 0x50);
                noise.insert(noise.end(), answer.begin(), answer.end());
                answer = noise;
            } else if (fault == Fault::half_frame && answer.size() > 4) {
                // The device died mid-answer, and answered whole after a while.
                central_.pty().write(Frame(answer.begin(), answer.begin() + static_cast<long>(answer.size() / 2)));
                std::this_thread::sleep_for(kLongerThanAFrameGap);
            }
            central_.pty().write(answer);
            if (!check(fault, outcome(id), 0, "")) return false;
            stored_ = value;
            break;
        }
        case Fault::bad_crc:
        case Fault::no_response:
        case Fault::lost_answer: {
            if (fault != Fault::lost_answer && !inject(fault == Fault::bad_crc ? "bad-crc" : "no-response")) return false;
            const int32_t id = send(true, value);
            carry_request();
            const Frame answer = take_answer(fault == Fault::no_response ? milliseconds(200) : kPatience);
            if (fault == Fault::bad_crc) central_.pty().write(answer);
            if (fault != Fault::lost_answer && !inject("none")) return false;
            if (!check(fault, outcome(id), fault == Fault::bad_crc ? kBadCrc : kTimedOut, "")) return false;
            stored_ = value;  // the device stored it either way
            break;
        }
        case Fault::stall: {
            field_->send_signal(SIGSTOP);
            const int32_t id = send(true, value);
            carry_request();
            const Outcome out = outcome(id);
            field_->send_signal(SIGCONT);
            // The late answer finds nobody waiting for it.
            central_.pty().write(take_answer());
            if (!check(fault, out, kTimedOut, "")) return false;
            stored_ = value;
            std::this_thread::sleep_for(milliseconds(50));
            break;
        }
        case Fault::field_hang_up: {
            const size_t offset = field_->output_size();
            field_line_.hang_up();
            if (!wait_field("Line lost on " + field_line_.name(), offset) ||
                (field_line_.plug_in(), !wait_field("Line back on " + field_line_.name(), offset))) {
                failures_.push_back("the field device did not come back after its line hung up");
                return false;
            }
            return exchange(Fault::none);
        }
        case Fault::central_hang_up: {
            const int32_t id = send(false, 0);
            read_frame(central_.pty(), kPatience);  // the request goes nowhere
            central_.hang_up();
            if (!check(fault, outcome(id), kLineLost, "")) return false;
            // Nothing goes out while the line is down.
            if (send(false, 0) == -1) count("refused while the line was down (-1)");
            central_.plug_in();
            if (!wait_display("Line back on " + central_.name())) {
                failures_.push_back("the central station did not come back after its line hung up");
                return false;
            }
            return exchange(Fault::none);
        }
    }
    // The Get that must read what the Set stored: no answer was charged to
    // another request.
    const int32_t id = send(false, 0);
    carry_request();
    central_.pty().write(take_answer());
    return check(Fault::none, outcome(id), 0, std::to_string(stored_));
}

bool Soak::run() {
    if (!start()) {
        std::printf("the stations could not be started\n");
        return false;
    }
    const auto end = Clock::now() + std::chrono::seconds(options_.seconds);
    long central_before = 0;
    long field_before = 0;
    std::map<std::string, int> faults;
    // Each fault once, then a random mix with ordinary traffic.
    std::vector<Fault> plan = {Fault::none,        Fault::noise,       Fault::half_frame,
                               Fault::bad_crc,     Fault::no_response, Fault::lost_answer,
                               Fault::stall,       Fault::field_hang_up, Fault::central_hang_up};
    for (int n = 0; requests_ < options_.requests && Clock::now() < end; ++n) {
        Fault fault = Fault::none;
        if (static_cast<size_t>(n) < plan.size()) {
            fault = plan[static_cast<size_t>(n)];
        } else {
            const uint32_t pick = random_() % 100;
            fault = pick < 70 ? Fault::none
                    : pick < 80 ? Fault::noise
                    : pick < 86 ? Fault::bad_crc
                    : pick < 90 ? Fault::half_frame
                    : pick < 93 ? Fault::no_response
                    : pick < 96 ? Fault::lost_answer
                    : pick < 97 ? Fault::stall
                    : pick < 99 ? Fault::field_hang_up
                                : Fault::central_hang_up;
        }
        ++faults[kFaultNames[static_cast<int>(fault)]];
        if (!exchange(fault) && failures_.empty()) failures_.push_back("the stations stopped answering");
        if (!failures_.empty()) break;
        field_->forget_output();  // the test's copy of the device's output, not the device's
        if (n == static_cast<int>(plan.size()) + 20) {
            central_before = resident_kb_of(getpid());
            field_before = field_->resident_kb();
        }
    }
    const long central_growth = central_before > 0 ? resident_kb_of(getpid()) - central_before : 0;
    const long field_growth = field_before > 0 ? field_->resident_kb() - field_before : 0;
    Shutdown();
    field_->stop();

    std::printf("\nExchanges by fault:\n");
    for (const auto& [name, n] : faults) std::printf("  %-38s %6d\n", name.c_str(), n);
    std::printf("Requests by outcome (%d requests):\n", requests_);
    for (const auto& [name, n] : counts_) std::printf("  %-38s %6d\n", name.c_str(), n);
    std::printf("Display: %zu octets; memory growth: central %ld kB, field device %ld kB\n", display_octets,
                central_growth, field_growth);
    if (requests_ > 0 && display_octets / static_cast<size_t>(requests_) > kDisplayPerRequest)
        failures_.push_back("the display grew by more than " + std::to_string(kDisplayPerRequest) + " octets a request");
    if (kMemoryIsMeasurable && (central_growth > kGrowthAllowedKb || field_growth > kGrowthAllowedKb))
        failures_.push_back("memory grew by more than " + std::to_string(kGrowthAllowedKb) + " kB");
    for (const std::string& failure : failures_) std::printf("FAILED: %s\n", failure.c_str());
    if (!failures_.empty()) {
        std::lock_guard hold(display_mutex);
        std::printf("The display's last lines:\n%s\n", display_tail.c_str());
    }
    std::printf("%s\n", failures_.empty() ? "1 passed, 0 failed" : "0 passed, 1 failed");
    return failures_.empty();
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        const std::string flag = argv[i];
        const long value = std::strtol(argv[i + 1], nullptr, 10);
        if (flag == "--seconds") options.seconds = static_cast<int>(value);
        else if (flag == "--requests") options.requests = static_cast<int>(value);
        else if (flag == "--seed") options.seed = static_cast<uint32_t>(value);
        else {
            std::fprintf(stderr, "usage: quorvan_line_soak [--seconds N] [--requests N] [--seed N]\n");
            return 2;
        }
    }
    Soak soak(options);
    return soak.run() ? 0 : 1;
}
