#include "tests/network/udp_capture.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>

#include "tests/support/process.h"
#include "tests/support/temp_dir.h"

namespace {

sockaddr_in loopback(uint16_t port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

int bound_socket(uint16_t port) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM, 0);
    const sockaddr_in address = loopback(port);
    ::bind(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address);
    return fd;
}

}  // namespace

Udp_Relay::Udp_Relay(uint16_t agent_port) {
    front_ = bound_socket(0);
    back_ = bound_socket(0);
    sockaddr_in address{};
    socklen_t size = sizeof address;
    ::getsockname(front_, reinterpret_cast<sockaddr*>(&address), &size);
    port_ = ntohs(address.sin_port);
    const sockaddr_in agent = loopback(agent_port);
    ::connect(back_, reinterpret_cast<const sockaddr*>(&agent), sizeof agent);
    EXPECT_EQ(::pipe(stop_), 0);
    thread_ = std::thread([this] { carry(); });
}

Udp_Relay::~Udp_Relay() {
    const char stop = 's';
    EXPECT_EQ(::write(stop_[1], &stop, 1), 1);
    thread_.join();
    for (int fd : {front_, back_, stop_[0], stop_[1]}) ::close(fd);
}

std::vector<Datagram> Udp_Relay::carried_to_agent() const {
    std::lock_guard hold(mutex_);
    return to_agent_;
}

std::vector<Datagram> Udp_Relay::carried_from_agent() const {
    std::lock_guard hold(mutex_);
    return from_agent_;
}

void Udp_Relay::carry() {
    sockaddr_in station{};
    bool known = false;
    Datagram buffer(65535);
    for (;;) {
        pollfd fds[3] = {{front_, POLLIN, 0}, {back_, POLLIN, 0}, {stop_[0], POLLIN, 0}};
        if (::poll(fds, 3, -1) < 0 || (fds[2].revents & POLLIN) != 0) return;
        if ((fds[0].revents & POLLIN) != 0) {
            socklen_t size = sizeof station;
            const ssize_t n = ::recvfrom(front_, buffer.data(), buffer.size(), 0, reinterpret_cast<sockaddr*>(&station), &size);
            if (n > 0) {
                known = true;
                {
                    std::lock_guard hold(mutex_);
                    to_agent_.emplace_back(buffer.begin(), buffer.begin() + n);
                }
                ::send(back_, buffer.data(), static_cast<size_t>(n), 0);
            }
        }
        if ((fds[1].revents & POLLIN) != 0) {
            const ssize_t n = ::recv(back_, buffer.data(), buffer.size(), 0);
            if (n > 0) {
                std::lock_guard hold(mutex_);
                from_agent_.emplace_back(buffer.begin(), buffer.begin() + n);
            }
            if (n > 0 && known)
                ::sendto(front_, buffer.data(), static_cast<size_t>(n), 0, reinterpret_cast<const sockaddr*>(&station),
                         sizeof station);
        }
    }
}

std::string expect_tshark_reads_cleanly(const std::vector<Datagram>& messages, const Temp_Dir& dir) {
    // text2pcap's hex dump: each packet from offset 0, sixteen octets a line.
    std::string dump;
    char piece[32];
    for (const Datagram& message : messages) {
        for (size_t i = 0; i < message.size(); ++i) {
            if (i % 16 == 0) {
                std::snprintf(piece, sizeof piece, "%s%06zx", i == 0 ? "" : "\n", i);
                dump += piece;
            }
            std::snprintf(piece, sizeof piece, " %02x", message[i]);
            dump += piece;
        }
        dump += "\n";
    }
    dir.write("capture.txt", dump);
    const Process_Result pcap =
        run_process({"/usr/bin/text2pcap", "-q", "-u", "40000,161", dir.file("capture.txt"), dir.file("capture.pcap")});
    EXPECT_EQ(pcap.exit_status, 0) << pcap.err;
    const Process_Result decode = run_process({"/usr/bin/tshark", "-n", "-r", dir.file("capture.pcap"), "-V"});
    EXPECT_EQ(decode.exit_status, 0) << decode.err;
    size_t decoded = 0;
    for (size_t at = decode.out.find("Simple Network Management Protocol"); at != std::string::npos;
         at = decode.out.find("Simple Network Management Protocol", at + 1))
        ++decoded;
    EXPECT_EQ(decoded, messages.size()) << decode.out;
    for (const char* fault : {"Malformed", "Expert Info (Warning", "Expert Info (Error"})
        EXPECT_EQ(decode.out.find(fault), std::string::npos) << fault << "\n" << decode.out;
    return decode.out;
}
