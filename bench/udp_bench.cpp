// SNMP over UDP on the loopback, Quorvan beside net-snmp in one run.
//
// Round trip of a one-object Get (median and p99, milliseconds):
//   quorvan -> field   the engine of this process as the central station
//                      (SendData, then GetError until the answer is matched,
//                      validated and stored) to quorvan-cli's field device
//   quorvan -> snmpd   the same central station to net-snmp's agent
//   netsnmp -> snmpd   net-snmp's library in this process, one persistent
//                      session, snmp_synch_response: the fair peer of the
//                      engine's central station
//   netsnmp -> field   the same session to quorvan-cli's field device: the
//                      field device's side against snmpd's
//   snmpget -> snmpd   the snmpget command, a process per Get (start-up,
//                      library and configuration included): what a user
//                      typing at a shell sees
// Throughput: answers per second of the field device and of snmpd under the
// same bounded load: one socket keeps kWindow Gets outstanding (a Get
// lost for kLostAfter is sent again) for kLoadSeconds or kLoadAnswers
// answers, whichever comes first.
// The field device writes its English trace of every message to its output
// (collected by this bench), as it does in use; snmpd logs nothing.
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/central_station.h"
#include "tests/support/child_process.h"
#include "tests/support/process.h"
#include "tests/support/sample.h"
#include "tests/support/temp_dir.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kWarmUp = 20;
constexpr int kMeasured = 1000;
constexpr int kCommandRuns = 100;
constexpr int kWindow = 16;
constexpr double kLoadSeconds = 3.0;
constexpr long kLoadAnswers = 30000;
constexpr auto kLostAfter = std::chrono::milliseconds(200);
const char* const kObject = "demoByte.0";
const oid kObjectOid[] = {1, 3, 6, 1, 4, 1, 1206, 4, 2, 99, 1, 2, 0};

double ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

struct Figures {
    double median = 0;
    double p99 = 0;
};

Figures figures_of(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    Figures f;
    f.median = samples[samples.size() / 2];
    f.p99 = samples[std::min(samples.size() - 1, samples.size() * 99 / 100)];
    return f;
}

template <typename Get>
Figures time_gets(int count, Get get) {
    for (int i = 0; i < kWarmUp; ++i) get();
    std::vector<double> samples;
    for (int i = 0; i < count; ++i) {
        const auto start = Clock::now();
        get();
        samples.push_back(ms(Clock::now() - start));
    }
    return figures_of(samples);
}

uint16_t free_udp_port() {
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    ::bind(fd, reinterpret_cast<sockaddr*>(&address), length);
    ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    ::close(fd);
    return ntohs(address.sin_port);
}

// One persistent net-snmp session.
class Net_Snmp_Session {
public:
    explicit Net_Snmp_Session(const std::string& peer) {
        netsnmp_session settings;
        snmp_sess_init(&settings);
        settings.version = SNMP_VERSION_1;
        settings.peername = const_cast<char*>(peer.c_str());
        community_ = "Orchid";
        settings.community = reinterpret_cast<u_char*>(community_.data());
        settings.community_len = community_.size();
        settings.timeout = 2000000;
        settings.retries = 0;
        session_ = snmp_open(&settings);
        if (session_ == nullptr) throw std::runtime_error("net-snmp cannot open a session to " + peer);
    }
    ~Net_Snmp_Session() { snmp_close(session_); }
    void get() {
        netsnmp_pdu* pdu = snmp_pdu_create(SNMP_MSG_GET);
        snmp_add_null_var(pdu, kObjectOid, sizeof kObjectOid / sizeof kObjectOid[0]);
        netsnmp_pdu* response = nullptr;
        const int status = snmp_synch_response(session_, pdu, &response);
        const bool answered = status == STAT_SUCCESS && response != nullptr && response->errstat == SNMP_ERR_NOERROR;
        if (response != nullptr) snmp_free_pdu(response);
        if (!answered) throw std::runtime_error("net-snmp's Get was not answered");
    }

private:
    std::string community_;
    netsnmp_session* session_ = nullptr;
};

// The Get request datagram of the load: SNMPv1, community "Orchid", request
// id 1, demoByte.0.
std::vector<uint8_t> encoded_get() {
    return {0x30, 0x2B, 0x02, 0x01, 0x00, 0x04, 0x06, 'O',  'r',  'c',  'h',  'i',  'd',  0xA0, 0x1E,
            0x02, 0x01, 0x01, 0x02, 0x01, 0x00, 0x02, 0x01, 0x00, 0x30, 0x13, 0x30, 0x11, 0x06, 0x0D,
            0x2B, 0x06, 0x01, 0x04, 0x01, 0x89, 0x36, 0x04, 0x02, 0x63, 0x01, 0x02, 0x00, 0x05, 0x00};
}

// Answers per second from the agent at the port under the bounded load.
double answers_per_second(uint16_t port, const std::vector<uint8_t>& request) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    sockaddr_in peer{};
    peer.sin_family = AF_INET;
    peer.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    peer.sin_port = htons(port);
    ::connect(fd, reinterpret_cast<sockaddr*>(&peer), sizeof peer);
    const auto start = Clock::now();
    const auto end = start + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(kLoadSeconds));
    int outstanding = 0;
    long answers = 0;
    auto last_answer = start;
    std::vector<uint8_t> buffer(65536);
    while (Clock::now() < end && answers < kLoadAnswers) {
        while (outstanding < kWindow) {
            if (::send(fd, request.data(), request.size(), 0) == static_cast<ssize_t>(request.size())) ++outstanding;
            else break;
        }
        pollfd wait{fd, POLLIN, 0};
        if (::poll(&wait, 1, 50) == 1) {
            while (::recv(fd, buffer.data(), buffer.size(), MSG_DONTWAIT) > 0) {
                ++answers;
                --outstanding;
                last_answer = Clock::now();
            }
        }
        // Gets the agent dropped are sent again.
        if (Clock::now() - last_answer > kLostAfter) {
            outstanding = 0;
            last_answer = Clock::now();
        }
    }
    const double seconds = std::chrono::duration<double>(Clock::now() - start).count();
    ::close(fd);
    return static_cast<double>(answers) / seconds;
}

void print_row(const char* name, const Figures& f, const Figures& reference) {
    std::printf("  %-18s median %8.3f ms  p99 %8.3f ms   ratio to netsnmp->snmpd: median %6.2f  p99 %6.2f\n", name,
                f.median, f.p99, f.median / reference.median, f.p99 / reference.p99);
}

}  // namespace

int main() {
    try {
        ::setenv("MIBS", "", 1);
        ::setenv("MIBDIRS", "/nonexistent", 1);
        Temp_Dir snmpd_dir;
        Temp_Dir field_dir;
        Temp_Dir central_dir;
        copy_sample_into(field_dir);
        copy_sample_into(central_dir);
        const Working_Directory enter(central_dir.path());

        const uint16_t snmpd_port = free_udp_port();
        snmpd_dir.write("snmpd.conf",
                        "rocommunity Orchid 127.0.0.1\n"
                        "override -rw .1.3.6.1.4.1.1206.4.2.99.1.2.0 integer 9\n");
        Child_Process snmpd({"/usr/sbin/snmpd", "-f", "-Lo", "-C", "-r", "-c", snmpd_dir.file("snmpd.conf"), "-p",
                             snmpd_dir.file("snmpd.pid"), "udp:127.0.0.1:" + std::to_string(snmpd_port)});
        if (!snmpd.wait_for("NET-SNMP version")) throw std::runtime_error("snmpd does not start: " + snmpd.output());

        const uint16_t field_port = free_udp_port();
        const std::string field_text = "udp:127.0.0.1:" + std::to_string(field_port);
        Child_Process field({QUORVAN_CLI, "--workdir", field_dir.path(), "field", "--port", field_text});
        if (!field.wait_for("Field device answering on")) throw std::runtime_error("the field device does not start");

        init_snmp("quorvan-udp-bench");
        const std::string snmpd_peer = "udp:127.0.0.1:" + std::to_string(snmpd_port);
        Net_Snmp_Session to_snmpd(snmpd_peer);
        Net_Snmp_Session to_field(field_text);

        Central_Station central(field_text);
        Get_Request get(kObject);
        const auto quorvan_get = [&] { expect_answered(get.send()); };

        std::printf("SNMP Get of one object over UDP on the loopback (%d Gets each, %d for snmpget)\n", kMeasured,
                    kCommandRuns);
        const Figures quorvan_field = time_gets(kMeasured, quorvan_get);
        field.forget_output();
        central.move_to(snmpd_peer, 2);
        const Figures quorvan_snmpd = time_gets(kMeasured, quorvan_get);
        const Figures netsnmp_snmpd = time_gets(kMeasured, [&] { to_snmpd.get(); });
        const Figures netsnmp_field = time_gets(kMeasured, [&] { to_field.get(); });
        field.forget_output();
        const Figures snmpget_snmpd = time_gets(kCommandRuns, [&] {
            const Process_Result r = run_process({"/usr/bin/snmpget", "-v1", "-c", "Orchid", "-On", "-t", "2", "-r",
                                                  "0", snmpd_peer.substr(4), ".1.3.6.1.4.1.1206.4.2.99.1.2.0"});
            if (r.exit_status != 0) throw std::runtime_error("snmpget failed: " + r.err);
        });
        print_row("quorvan -> field", quorvan_field, netsnmp_snmpd);
        print_row("quorvan -> snmpd", quorvan_snmpd, netsnmp_snmpd);
        print_row("netsnmp -> snmpd", netsnmp_snmpd, netsnmp_snmpd);
        print_row("netsnmp -> field", netsnmp_field, netsnmp_snmpd);
        print_row("snmpget -> snmpd", snmpget_snmpd, netsnmp_snmpd);
        std::printf("  central station alone, quorvan/net-snmp (both to snmpd): median %.2f\n",
                    quorvan_snmpd.median / netsnmp_snmpd.median);
        std::printf("  field device alone, quorvan-cli/snmpd (both from net-snmp): median %.2f\n",
                    netsnmp_field.median / netsnmp_snmpd.median);

        const std::vector<uint8_t> request = encoded_get();
        std::printf("\nAnswers per second, %d Gets outstanding, at most %.0f s or %ld answers\n", kWindow, kLoadSeconds,
                    kLoadAnswers);
        const double field_rate = answers_per_second(field_port, request);
        field.forget_output();
        const double snmpd_rate = answers_per_second(snmpd_port, request);
        std::printf("  quorvan-cli field %10.0f /s\n  snmpd             %10.0f /s\n  ratio field/snmpd %10.2f\n",
                    field_rate, snmpd_rate, field_rate / snmpd_rate);
        return 0;
    } catch (const std::exception& failure) {
        std::fprintf(stderr, "udp bench: %s\n", failure.what());
        return 1;
    }
}
