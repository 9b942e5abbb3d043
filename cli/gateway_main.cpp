// quorvan-gateway: carries SNMP messages between a UDP socket and PMPP
// frames on a serial line, in either direction.
//
//   field:   an SNMP manager on UDP reaches a field device on the serial
//            line at a drop address; each answer goes back to its sender.
//   central: a central station on the serial line reaches an SNMP agent on
//            UDP; each answer goes back in a frame from the address the
//            request went to.
//
// Answers are matched to requests in the order the requests were carried
// (a serial line answers one request after the other); a request whose
// answer does not come within the time-out is forgotten.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "quorvan.h"

namespace {

constexpr const char* kUsage =
    "usage: quorvan-gateway field --udp [HOST]:PORT --line DEVICE [--drop N] [--baud B] [--timeout S]\n"
    "       quorvan-gateway central --line DEVICE --agent HOST:PORT [--baud B] [--timeout S]\n";
constexpr uint8_t kFlag = 0x7E;
constexpr size_t kLongestFrame = 8192;
constexpr size_t kLongestDatagram = 65535;

using Octets = std::vector<uint8_t>;
using Clock = std::chrono::steady_clock;

struct Options {
    bool field = false;
    std::string udp, line, agent;
    int drop = 1;
    int baud = 9600;
    int time_out = 10;
};

std::optional<Options> parse(int argc, char** argv) {
    if (argc < 2) return std::nullopt;
    Options options;
    const std::string mode = argv[1];
    if (mode != "field" && mode != "central") return std::nullopt;
    options.field = mode == "field";
    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string name = argv[i], value = argv[i + 1];
        if (name == "--udp") options.udp = value;
        else if (name == "--line") options.line = value;
        else if (name == "--agent") options.agent = value;
        else if (name == "--drop") options.drop = std::atoi(value.c_str());
        else if (name == "--baud") options.baud = std::atoi(value.c_str());
        else if (name == "--timeout") options.time_out = std::atoi(value.c_str());
        else return std::nullopt;
    }
    if ((argc - 2) % 2 != 0 || options.line.empty() || options.time_out < 1) return std::nullopt;
    if (options.field ? options.udp.empty() : options.agent.empty()) return std::nullopt;
    return options;
}

// "[udp:][HOST]:PORT" to an IPv4 socket address; an empty host is every
// address when passive, the loopback otherwise.
std::optional<sockaddr_in> endpoint(std::string text, bool passive) {
    if (text.rfind("udp:", 0) == 0) text.erase(0, 4);
    const size_t colon = text.rfind(':');
    if (colon == std::string::npos) return std::nullopt;
    const std::string host = text.substr(0, colon), port = text.substr(colon + 1);
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_flags = passive ? AI_PASSIVE : 0;
    addrinfo* found = nullptr;
    if (getaddrinfo(host.empty() ? nullptr : host.c_str(), port.c_str(), &hints, &found) != 0) return std::nullopt;
    sockaddr_in address{};
    std::memcpy(&address, found->ai_addr, sizeof address);
    freeaddrinfo(found);
    return address;
}

speed_t speed_of(int baud) {
    switch (baud) {
        case 1200: return B1200;
        case 2400: return B2400;
        case 4800: return B4800;
        case 19200: return B19200;
        case 38400: return B38400;
        case 57600: return B57600;
        case 115200: return B115200;
        default: return B9600;
    }
}

// The serial line, raw 8N1.
int open_line(const std::string& device, int baud) {
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    if (fd < 0) return -1;
    termios settings{};
    if (tcgetattr(fd, &settings) == 0) {
        cfmakeraw(&settings);
        cfsetispeed(&settings, speed_of(baud));
        cfsetospeed(&settings, speed_of(baud));
        settings.c_cflag |= CLOCAL | CREAD;
        tcsetattr(fd, TCSANOW, &settings);
    }
    return fd;
}

void write_all(int fd, const Octets& octets) {
    size_t done = 0;
    while (done < octets.size()) {
        const ssize_t n = ::write(fd, octets.data() + done, octets.size() - done);
        if (n > 0) {
            done += static_cast<size_t>(n);
        } else {
            pollfd wait{fd, POLLOUT, 0};
            if (::poll(&wait, 1, 1000) <= 0) return;  // a line that takes nothing more
        }
    }
}

// Octets from the line into whole frames, flags included.
class Frame_Reader {
public:
    std::optional<Octets> add(uint8_t octet) {
        if (octet == kFlag) {
            std::optional<Octets> frame;
            if (current_.size() > 1) {
                current_.push_back(kFlag);
                frame = std::move(current_);
            }
            current_.assign(1, kFlag);  // a closing flag may open the next frame too
            return frame;
        }
        if (!current_.empty()) current_.push_back(octet);
        if (current_.size() > kLongestFrame) current_.clear();  // noise, not a frame
        return std::nullopt;
    }

private:
    Octets current_;
};

std::optional<Octets> frame_of(const Octets& information, int address) {
    Octets frame(2 * information.size() + 16);
    uint16_t length = static_cast<uint16_t>(std::min<size_t>(frame.size(), 0xFFFF));
    if (information.size() > 0xFFFF ||
        PmppFrame(information.data(), static_cast<uint16_t>(information.size()), address, frame.data(), &length) != 0)
        return std::nullopt;
    frame.resize(length);
    return frame;
}

std::optional<Octets> information_of(const Octets& frame, int32_t& address) {
    Octets information(frame.size());
    uint16_t length = static_cast<uint16_t>(information.size());
    if (PmppUnframe(frame.data(), static_cast<uint16_t>(frame.size()), &address, information.data(), &length) != 0)
        return std::nullopt;
    information.resize(length);
    return information;
}

// Who waits for the next answer: a manager's socket address (field mode)
// or the address a central station's request went to (central mode).
struct Waiting {
    sockaddr_in sender{};
    int32_t address = 0;
    Clock::time_point since;
};

int run(const Options& options) {
    const int line = open_line(options.line, options.baud);
    if (line < 0) {
        std::fprintf(stderr, "quorvan-gateway: cannot open the line %s\n", options.line.c_str());
        return 1;
    }
    const std::optional<sockaddr_in> local = options.field ? endpoint(options.udp, true) : endpoint("0.0.0.0:0", true);
    const std::optional<sockaddr_in> agent =
        options.field ? std::optional<sockaddr_in>() : endpoint(options.agent, false);
    const int udp = ::socket(AF_INET, SOCK_DGRAM, 0);
    if (!local || (!options.field && !agent) || udp < 0 ||
        ::bind(udp, reinterpret_cast<const sockaddr*>(&*local), sizeof *local) != 0) {
        std::fprintf(stderr, "quorvan-gateway: cannot use the UDP endpoint %s\n",
                     (options.field ? options.udp : options.agent).c_str());
        return 1;
    }
    if (options.field)
        std::printf("Gateway carrying SNMP between udp:%s and the field device at drop %d on %s\n",
                    options.udp.c_str(), options.drop, options.line.c_str());
    else
        std::printf("Gateway carrying SNMP from the central station on %s to the agent udp:%s\n",
                    options.line.c_str(), options.agent.c_str());
    std::fflush(stdout);

    Frame_Reader reader;
    std::deque<Waiting> waiting;
    Octets datagram(kLongestDatagram);
    for (;;) {
        pollfd fds[2] = {{line, POLLIN, 0}, {udp, POLLIN, 0}};
        if (::poll(fds, 2, 500) < 0) continue;
        const auto now = Clock::now();
        while (!waiting.empty() && now - waiting.front().since > std::chrono::seconds(options.time_out))
            waiting.pop_front();

        if ((fds[1].revents & POLLIN) != 0) {
            sockaddr_in sender{};
            socklen_t size = sizeof sender;
            const ssize_t n = ::recvfrom(udp, datagram.data(), datagram.size(), 0,
                                         reinterpret_cast<sockaddr*>(&sender), &size);
            if (n > 0) {
                const Octets message(datagram.begin(), datagram.begin() + n);
                if (options.field) {
                    if (auto frame = frame_of(message, options.drop)) {
                        waiting.push_back({sender, options.drop, now});
                        write_all(line, *frame);
                        std::printf("manager -> line: %zd octets\n", n);
                    } else {
                        std::printf("datagram too long for a frame: dropped\n");
                    }
                } else if (sender.sin_addr.s_addr != agent->sin_addr.s_addr || sender.sin_port != agent->sin_port) {
                    std::printf("datagram not from the agent: dropped\n");
                } else if (!waiting.empty()) {
                    if (auto frame = frame_of(message, waiting.front().address)) write_all(line, *frame);
                    waiting.pop_front();
                    std::printf("agent -> line: %zd octets\n", n);
                } else {
                    std::printf("agent answer nobody waits for: dropped\n");
                }
            }
        }
        if ((fds[0].revents & (POLLIN | POLLHUP)) != 0) {
            uint8_t octets[512];
            const ssize_t n = ::read(line, octets, sizeof octets);
            for (ssize_t i = 0; i < n; ++i) {
                const std::optional<Octets> frame = reader.add(octets[i]);
                if (!frame) continue;
                int32_t address = 0;
                const std::optional<Octets> message = information_of(*frame, address);
                if (!message) {
                    std::printf("broken frame on the line: dropped\n");
                    continue;
                }
                if (options.field) {
                    if (waiting.empty()) {
                        std::printf("device answer nobody waits for: dropped\n");
                        continue;
                    }
                    ::sendto(udp, message->data(), message->size(), 0,
                             reinterpret_cast<const sockaddr*>(&waiting.front().sender), sizeof(sockaddr_in));
                    waiting.pop_front();
                    std::printf("line -> manager: %zu octets\n", message->size());
                } else {
                    waiting.push_back({{}, address, now});
                    ::sendto(udp, message->data(), message->size(), 0, reinterpret_cast<const sockaddr*>(&*agent),
                             sizeof(sockaddr_in));
                    std::printf("line -> agent: %zu octets\n", message->size());
                }
            }
            if (n == 0) ::usleep(100000);  // a hung-up line: wait for it to come back
        }
        std::fflush(stdout);
    }
}

}  // namespace

int main(int argc, char** argv) {
    const std::optional<Options> options = parse(argc, argv);
    if (!options) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    return run(*options);
}
