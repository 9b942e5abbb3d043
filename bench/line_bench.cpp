// One-object SNMP Get over pseudo-terminals: the round trip from the central
// station to an emulated field device and back, and the field device's own
// turnaround, each as median and p99 in milliseconds, beside the time the same
// frames take on a 9600 baud line (10 bits an octet).
//
// This process is the central station; the field devices are quorvan-cli
// processes of their own, since the engine is one per process. Three lines are used:
//   capture  the central on a pseudo-terminal whose far end this bench
//            plays: the request frame is read there, handed to field B, and
//            B's answer handed back; the central must accept it;
//   cable    a null-modem cable of two pseudo-terminals, central on one side
//            and field A on the other: the round trips;
//   bench    field B's pseudo-terminal, the far end played by this bench:
//            the captured request written again and again (at once, and
//            octet by octet at the 9600 baud pace), timed from its closing
//            flag to the first octet and to the closing flag of the answer.
#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/central_station.h"
#include "bench/line_frames.h"
#include "cli/null_modem.h"
#include "tests/support/child_process.h"
#include "tests/support/pty_pair.h"
#include "tests/support/sample.h"
#include "tests/support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWarmUp = 10;
constexpr int kMeasured = 1000;
constexpr int kPacedWarmUp = 2;
constexpr int kPaced = 100;  // about 55 ms of writing each
constexpr int32_t kTimeOutSeconds = 2;
constexpr double kBitsPerOctet = 10;
constexpr unsigned kBaud = Central_Station::kBaud;
const char* const kObject = "demoByte.0";

double milliseconds_between(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

struct Exchange {
    Octets request;
    Octets answer;
};

// The central's request read off the capture line, carried to field B and its
// answer carried back; the central must take it as the answer.
Exchange capture_exchange(Get_Request& get, const Pty_Pair& capture, const Pty_Pair& field_line) {
    const int32_t id = get.send();
    Exchange exchange;
    exchange.request = read_frame(capture);
    if (!one_frame(exchange.request)) throw std::runtime_error("no request frame came from the central station");
    field_line.write(exchange.request);
    exchange.answer = read_frame(field_line);
    if (!one_frame(exchange.answer)) throw std::runtime_error("the field device gave no answer frame");
    if (exchange.answer == exchange.request) throw std::runtime_error("the field's line echoes what it is sent");
    capture.write(exchange.answer);
    expect_answered(id);
    return exchange;
}

// One Get from before it is sent until its outcome is known, in ms.
double round_trip(Get_Request& get) {
    const auto start = Clock::now();
    const int32_t id = get.send();
    expect_answered(id);
    return milliseconds_between(start, Clock::now());
}

struct Turnaround {
    double first_octet = 0;  // ms from the request's closing flag to the answer's first octet
    double whole = 0;        // ms from the request's closing flag to the answer's closing flag
};

// The captured request written to field B at once, or paced as a 9600 baud
// line would bring it, timed from its closing flag on the line. Counts answers
// unlike the captured one.
Turnaround turnaround(const Exchange& exchange, const Pty_Pair& field_line, bool paced, int& unlike) {
    if (paced)
        write_paced(exchange.request, field_line, kBaud);
    else
        field_line.write(exchange.request);
    const auto closed = Clock::now();
    Clock::time_point first_came;
    const Octets answer = read_frame(field_line, &first_came);
    const auto ended = Clock::now();
    if (!one_frame(answer)) throw std::runtime_error("the field device left a request unanswered");
    if (answer != exchange.answer) ++unlike;
    return {milliseconds_between(closed, first_came), milliseconds_between(closed, ended)};
}

struct Figures {
    double median = 0;
    double p99 = 0;
    double most = 0;
};

// Median, 99th percentile (nearest rank) and largest.
Figures figures_of(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    const size_t n = samples.size();
    const double median = n % 2 ? samples[n / 2] : (samples[n / 2 - 1] + samples[n / 2]) / 2;
    const size_t rank = static_cast<size_t>(std::ceil(0.99 * static_cast<double>(n)));
    return {median, samples[std::max<size_t>(rank, 1) - 1], samples.back()};
}

void print_row(const char* what, const Figures& f, double line_ms) {
    std::printf("  %-34s %9.3f %9.3f %9.3f %9.2f %%\n", what, f.median, f.p99, f.most, 100 * f.median / line_ms);
}

void wait_for(const Child_Process& field, const char* which) {
    if (!field.wait_for("Field device answering on ", 0, std::chrono::seconds(15)))
        throw std::runtime_error(std::string("field device ") + which + " did not start:\n" + field.output());
}

void stop(Child_Process& field, const char* which) {
    if (field.stop() != 0) std::fprintf(stderr, "line bench: field device %s did not end cleanly\n", which);
}

int run() {
    Temp_Dir central_dir;
    Temp_Dir field_a_dir;
    Temp_Dir field_b_dir;
    for (const Temp_Dir* dir : {&central_dir, &field_a_dir, &field_b_dir}) copy_sample_into(*dir);

    Null_Modem cable;
    Pty_Pair capture;
    Pty_Pair field_line;
    Child_Process field_a({QUORVAN_CLI, "--workdir", field_a_dir.path(), "field", "--port", cable.second()});
    Child_Process field_b({QUORVAN_CLI, "--workdir", field_b_dir.path(), "field", "--port", field_line.terminal_name()});

    const Working_Directory in_central_dir(central_dir.path());
    Central_Station central(capture.terminal_name());
    wait_for(field_a, "A");
    wait_for(field_b, "B");
    Get_Request get(kObject);
    const Exchange exchange = capture_exchange(get, capture, field_line);

    central.move_to(cable.first(), kTimeOutSeconds);
    std::vector<double> warm_up;
    std::vector<double> trips;
    for (int i = 0; i < kWarmUp + kMeasured; ++i) (i < kWarmUp ? warm_up : trips).push_back(round_trip(get));
    const double exchanges = kWarmUp + kMeasured;
    const double carried_request = static_cast<double>(cable.carried(0)) / exchanges;
    const double carried_answer = static_cast<double>(cable.carried(1)) / exchanges;

    int unlike = 0;
    std::vector<double> first_octets;
    std::vector<double> wholes;
    for (int i = 0; i < kWarmUp + kMeasured; ++i) {
        const Turnaround t = turnaround(exchange, field_line, false, unlike);
        if (i < kWarmUp) continue;
        first_octets.push_back(t.first_octet);
        wholes.push_back(t.whole);
    }
    std::vector<double> paced_first_octets;
    for (int i = 0; i < kPacedWarmUp + kPaced; ++i) {
        const Turnaround t = turnaround(exchange, field_line, true, unlike);
        if (i >= kPacedWarmUp) paced_first_octets.push_back(t.first_octet);
    }

    const size_t octets = exchange.request.size() + exchange.answer.size();
    const double line_ms = static_cast<double>(octets) * kBitsPerOctet / kBaud * 1000;
    std::printf("One-object SNMP Get of %s over pseudo-terminals: %d requests after %d warm-up\n", kObject,
                kMeasured, kWarmUp);
    std::printf("  %-34s %9s %9s %9s %11s\n", "", "median ms", "p99 ms", "max ms", "of line");
    print_row("round trip, central <-> field", figures_of(trips), line_ms);
    print_row("field turnaround, to first octet", figures_of(first_octets), line_ms);
    print_row("field turnaround, to closing flag", figures_of(wholes), line_ms);
    print_row("field turnaround, request paced *", figures_of(paced_first_octets), line_ms);
    std::printf("  %-34s %9.3f   (%zu request + %zu answer octets x %.0f bits / %u baud)\n",
                "line time at 9600 baud", line_ms, exchange.request.size(), exchange.answer.size(), kBitsPerOctet,
                kBaud);
    std::printf("  * to first octet, the request written an octet at a time at the 9600 baud pace; %d requests\n",
                kPaced);
    std::printf("  warm-up round trips ms:");
    for (double t : warm_up) std::printf(" %.3f", t);
    std::printf("\n  octets the cable carried per exchange: %.2f request, %.2f answer"
                " (longer request ids, stuffed octets)\n",
                carried_request, carried_answer);
    if (unlike != 0)
        std::printf("  answers unlike the captured one: %d of %d\n", unlike,
                    kWarmUp + kMeasured + kPacedWarmUp + kPaced);
    stop(field_a, "A");
    stop(field_b, "B");
    return 0;
}

}  // namespace

int main() {
    try {
        return run();
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "line bench: %s\n", failure.what());
        return 1;
    }
}
