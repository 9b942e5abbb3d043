#include "transport/socket_line.h"

#include <netdb.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

using namespace socket_text;

void Socket_Fd::reset() {
    if (fd_ >= 0) ::close(fd_);
    fd_ = -1;
}

namespace {

// The longest wait for a TCP connection, and for room to write a frame.
constexpr int kConnectMilliseconds = 3000;
constexpr int kWriteMilliseconds = 2000;
constexpr int kListenBacklog = 4;

struct Address {
    sockaddr_storage storage{};
    socklen_t length = 0;
};

std::string address_text(const Address& address) {
    char host[NI_MAXHOST] = "";
    char service[NI_MAXSERV] = "";
    if (::getnameinfo(reinterpret_cast<const sockaddr*>(&address.storage), address.length, host, sizeof host, service,
                      sizeof service, NI_NUMERICHOST | NI_NUMERICSERV) != 0)
        return "?";
    return std::string(host) + ":" + service;
}

// The first address of the endpoint, IPv4 before IPv6 (as net-snmp's tools
// take "localhost"); an empty host is every local IPv4 address (for binding).
bool resolve(const Net_Endpoint& endpoint, int type, Address& address, std::string& failure) {
    const std::string service = std::to_string(endpoint.port);
    int status = EAI_NONAME;
    for (const int family : {AF_INET, AF_UNSPEC}) {
        if (endpoint.host.empty() && family != AF_INET) break;
        addrinfo hints{};
        hints.ai_family = family;
        hints.ai_socktype = type;
        hints.ai_flags = AI_NUMERICSERV | (endpoint.host.empty() ? AI_PASSIVE : 0);
        addrinfo* found = nullptr;
        status = ::getaddrinfo(endpoint.host.empty() ? nullptr : endpoint.host.c_str(), service.c_str(), &hints,
                               &found);
        if (status == 0 && found != nullptr) {
            std::memcpy(&address.storage, found->ai_addr, found->ai_addrlen);
            address.length = found->ai_addrlen;
            ::freeaddrinfo(found);
            return true;
        }
    }
    failure = endpoint.host + ": " + ::gai_strerror(status);
    return false;
}

Socket_Fd new_socket(const Address& address, int type) {
    return Socket_Fd(::socket(address.storage.ss_family, type | SOCK_NONBLOCK | SOCK_CLOEXEC, 0));
}

Socket_Fd bound_socket(const Address& address, int type) {
    Socket_Fd fd = new_socket(address, type);
    if (!fd) return fd;
    const int on = 1;
    ::setsockopt(fd.get(), SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    if (::bind(fd.get(), reinterpret_cast<const sockaddr*>(&address.storage), address.length) != 0) fd.reset();
    return fd;
}

// A non-blocking connect, waited for at most the connect time.
Socket_Fd connected_socket(const Address& address, int type) {
    Socket_Fd fd = new_socket(address, type);
    if (!fd) return fd;
    if (::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address.storage), address.length) == 0) return fd;
    if (errno != EINPROGRESS) return Socket_Fd();
    pollfd wait{fd.get(), POLLOUT, 0};
    if (::poll(&wait, 1, kConnectMilliseconds) != 1) return Socket_Fd();
    int error = 0;
    socklen_t length = sizeof error;
    if (::getsockopt(fd.get(), SOL_SOCKET, SO_ERROR, &error, &length) != 0 || error != 0) return Socket_Fd();
    return fd;
}

// Writes every octet of a stream, waiting a bounded time for room.
bool write_stream(int fd, std::span<const uint8_t> octets) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(kWriteMilliseconds);
    while (!octets.empty()) {
        const ssize_t written = ::send(fd, octets.data(), octets.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
        if (written > 0) {
            octets = octets.subspan(static_cast<size_t>(written));
            continue;
        }
        if (written < 0 && errno != EAGAIN && errno != EWOULDBLOCK && errno != EINTR) return false;
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        pollfd wait{fd, POLLOUT, 0};
        ::poll(&wait, 1, static_cast<int>(left.count()));
    }
    return true;
}

// Whether the peer of a stream has closed or reset it.
bool peer_gone(int fd) {
    pollfd probe{fd, POLLRDHUP, 0};
    return ::poll(&probe, 1, 0) == 1 && (probe.revents & (POLLRDHUP | POLLHUP | POLLERR)) != 0;
}

// Shared by the lines: the notice for the display, taken by the receiver.
class Noticing : public Line_Port {
public:
    std::string take_notice() override {
        std::lock_guard hold(mutex_);
        std::string notice;
        notice.swap(notice_);
        return notice;
    }

protected:
    void notice(const std::string& text) {  // with mutex_ held
        if (!notice_.empty()) notice_ += '\n';
        notice_ += text;
    }
    mutable std::mutex mutex_;

private:
    std::string notice_;
};

class Udp_Line final : public Noticing {
public:
    Udp_Line(Socket_Fd fd, Role role, Address peer) : fd_(std::move(fd)), role_(role), peer_(peer) {}

    int handle() const override {
        std::lock_guard hold(mutex_);
        return fd_.get();
    }
    Read_Outcome read(std::span<uint8_t> buffer, size_t& count) override {
        std::lock_guard hold(mutex_);
        Address from;
        from.length = sizeof from.storage;
        const std::span<uint8_t> room = buffer.subspan(count);
        const ssize_t got = ::recvfrom(fd_.get(), room.data(), room.size(), MSG_DONTWAIT,
                                       reinterpret_cast<sockaddr*>(&from.storage), &from.length);
        // A refused datagram (no one at the device's port) reports itself
        // here; the request it carried times out like any unanswered one.
        if (got < 0) return Read_Outcome::nothing;
        if (role_ == Role::field) peer_ = from;  // the answer goes back to the sender
        count += static_cast<size_t>(got);
        return Read_Outcome::octets;
    }
    bool write(std::span<const uint8_t> octets) override {
        std::lock_guard hold(mutex_);
        if (peer_.length == 0) return false;  // a field device answers only after a request
        const ssize_t sent = ::sendto(fd_.get(), octets.data(), octets.size(), MSG_NOSIGNAL,
                                      reinterpret_cast<const sockaddr*>(&peer_.storage), peer_.length);
        return sent == static_cast<ssize_t>(octets.size());
    }
    void close() override {
        std::lock_guard hold(mutex_);
        fd_.reset();
    }
    Link_Type link() const override { return Link_Type::none; }

private:
    Socket_Fd fd_;
    Role role_;
    Address peer_;  // the central's device; the field's last requester
};

// Reads a stream: the octets, or closed (the descriptor released) when the
// peer has gone.
Read_Outcome read_stream(Socket_Fd& fd, std::span<uint8_t> buffer, size_t& count) {
    if (!fd) return Read_Outcome::nothing;
    const std::span<uint8_t> room = buffer.subspan(count);
    const ssize_t got = ::recv(fd.get(), room.data(), room.size(), MSG_DONTWAIT);
    if (got > 0) {
        count += static_cast<size_t>(got);
        return Read_Outcome::octets;
    }
    if (got < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return Read_Outcome::nothing;
    fd.reset();
    return Read_Outcome::closed;
}

class Tcp_Line final : public Noticing {
public:
    Tcp_Line(Socket_Fd fd, Address peer) : fd_(std::move(fd)), peer_(peer) {}

    int handle() const override {
        std::lock_guard hold(mutex_);
        return fd_.get();
    }
    Read_Outcome read(std::span<uint8_t> buffer, size_t& count) override {
        std::lock_guard hold(mutex_);
        const Read_Outcome outcome = read_stream(fd_, buffer, count);
        if (outcome == Read_Outcome::closed) notice(kClosed);
        return outcome;
    }
    // After the peer has closed, the frame goes out on a new connection;
    // false when none can be had.
    bool write(std::span<const uint8_t> octets) override {
        std::lock_guard hold(mutex_);
        if (fd_ && peer_gone(fd_.get())) {
            fd_.reset();
            notice(kClosed);
        }
        if (!fd_) {
            fd_ = connected_socket(peer_, SOCK_STREAM);
            notice((fd_ ? kConnected : kConnectFailed) + address_text(peer_));
            if (!fd_) return false;
        }
        return write_stream(fd_.get(), octets);
    }
    void close() override {
        std::lock_guard hold(mutex_);
        fd_.reset();
    }
    Link_Type link() const override { return Link_Type::pmpp; }

private:
    Socket_Fd fd_;
    Address peer_;
};

class Tcp_Listen_Line final : public Noticing {
public:
    explicit Tcp_Listen_Line(Socket_Fd listener) : listener_(std::move(listener)) {}

    // The connection while there is one, else the listener (readable when a
    // central station connects).
    int handle() const override {
        std::lock_guard hold(mutex_);
        return connection_ ? connection_.get() : listener_.get();
    }
    Read_Outcome read(std::span<uint8_t> buffer, size_t& count) override {
        std::lock_guard hold(mutex_);
        if (!connection_) {
            Address from;
            from.length = sizeof from.storage;
            connection_ = Socket_Fd(::accept4(listener_.get(), reinterpret_cast<sockaddr*>(&from.storage),
                                              &from.length, SOCK_NONBLOCK | SOCK_CLOEXEC));
            if (connection_) notice(kAccepted + address_text(from));
            return Read_Outcome::nothing;
        }
        const Read_Outcome outcome = read_stream(connection_, buffer, count);
        if (outcome == Read_Outcome::closed) notice(kClosed);
        return outcome;
    }
    bool write(std::span<const uint8_t> octets) override {
        std::lock_guard hold(mutex_);
        return connection_ && write_stream(connection_.get(), octets);
    }
    void close() override {
        std::lock_guard hold(mutex_);
        connection_.reset();
        listener_.reset();
    }
    Link_Type link() const override { return Link_Type::pmpp; }

private:
    Socket_Fd listener_;
    Socket_Fd connection_;
};

}  // namespace

std::unique_ptr<Line_Port> open_socket_line(const Net_Endpoint& endpoint, Role role, std::string& failure) {
    const bool listens = endpoint.kind == Net_Kind::udp ? role == Role::field : endpoint.kind == Net_Kind::tcp_listen;
    if (!listens && endpoint.host.empty()) {
        failure = "no host to reach";
        return nullptr;
    }
    const int type = endpoint.kind == Net_Kind::udp ? SOCK_DGRAM : SOCK_STREAM;
    Address address;
    if (!resolve(endpoint, type, address, failure)) return nullptr;
    switch (endpoint.kind) {
        case Net_Kind::udp: {
            Socket_Fd fd = listens ? bound_socket(address, type) : new_socket(address, type);
            // The central station's socket takes datagrams from its device only.
            if (fd && !listens &&
                ::connect(fd.get(), reinterpret_cast<const sockaddr*>(&address.storage), address.length) != 0)
                fd.reset();
            if (!fd) break;
            return std::make_unique<Udp_Line>(std::move(fd), role, listens ? Address{} : address);
        }
        case Net_Kind::tcp: {
            Socket_Fd fd = connected_socket(address, type);
            if (!fd) break;
            return std::make_unique<Tcp_Line>(std::move(fd), address);
        }
        case Net_Kind::tcp_listen: {
            Socket_Fd fd = bound_socket(address, type);
            if (!fd || ::listen(fd.get(), kListenBacklog) != 0) break;
            return std::make_unique<Tcp_Listen_Line>(std::move(fd));
        }
    }
    failure = std::string(kConnectFailed) + address_text(address) + ": " + std::strerror(errno);
    return nullptr;
}
