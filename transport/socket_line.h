// Network lines on sockets, named by a Net_Endpoint.
//  - UDP: each datagram is one SNMP message. The central station's socket
//    is connected to the device, so only its answers arrive; the field
//    device's socket is bound to its port and answers each datagram to
//    whoever sent it, so several central stations may poll it.
//  - TCP: a stream of PMPP frames. The central station connects, and after
//    the peer closes connects again when the next frame goes out; the field
//    device listens and takes one central station at a time, the next once
//    that one has closed.
// Every descriptor change and every write happens under the line's mutex, so
// a sender may reconnect while the receiver thread waits on the old handle.
#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "codec/role.h"
#include "transport/line_port.h"
#include "transport/net_endpoint.h"

namespace socket_text {
inline constexpr const char* kConnected = "Connected to ";
inline constexpr const char* kAccepted = "Connection accepted from ";
inline constexpr const char* kClosed = "Connection closed by the peer";
inline constexpr const char* kConnectFailed = "Cannot connect to ";
}  // namespace socket_text

// An owned socket descriptor, closed with its owner.
class Socket_Fd {
public:
    Socket_Fd() = default;
    explicit Socket_Fd(int fd) : fd_(fd) {}
    ~Socket_Fd() { reset(); }
    Socket_Fd(Socket_Fd&& other) noexcept : fd_(other.release()) {}
    Socket_Fd& operator=(Socket_Fd&& other) noexcept {
        if (this != &other) {
            reset();
            fd_ = other.release();
        }
        return *this;
    }
    int get() const { return fd_; }
    explicit operator bool() const { return fd_ >= 0; }
    int release() {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }
    void reset();

private:
    int fd_ = -1;
};

// Opens the line an endpoint names for the role; nothing (with the reason in
// failure) when the socket cannot be had.
std::unique_ptr<Line_Port> open_socket_line(const Net_Endpoint& endpoint, Role role, std::string& failure);
