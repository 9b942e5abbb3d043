#include "tests/support/pty_pair.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <stdexcept>

Pty_Pair::Pty_Pair() {
    far_end_ = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (far_end_ < 0 || grantpt(far_end_) != 0 || unlockpt(far_end_) != 0)
        throw std::runtime_error("no pseudo-terminal");
    char name[128];
    if (ptsname_r(far_end_, name, sizeof name) != 0) throw std::runtime_error("ptsname_r failed");
    terminal_name_ = name;
    terminal_ = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (terminal_ < 0) throw std::runtime_error("cannot open " + terminal_name_);
}

Pty_Pair::~Pty_Pair() {
    if (terminal_ >= 0) ::close(terminal_);
    if (far_end_ >= 0) ::close(far_end_);
}

termios Pty_Pair::terminal_settings() const {
    termios settings{};
    if (tcgetattr(terminal_, &settings) != 0) throw std::runtime_error("tcgetattr failed");
    return settings;
}

void Pty_Pair::write(const std::vector<uint8_t>& octets) const {
    size_t written = 0;
    while (written < octets.size()) {
        const ssize_t n = ::write(far_end_, octets.data() + written, octets.size() - written);
        if (n > 0) {
            written += static_cast<size_t>(n);
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) throw std::runtime_error("far-end write failed");
        pollfd entry{far_end_, POLLOUT, 0};
        if (poll(&entry, 1, static_cast<int>(kPatience.count())) <= 0) throw std::runtime_error("far end stuck");
    }
}

std::vector<uint8_t> Pty_Pair::read(size_t count, std::chrono::milliseconds patience) const {
    std::vector<uint8_t> octets;
    const auto until = std::chrono::steady_clock::now() + patience;
    while (octets.size() < count) {
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(until - std::chrono::steady_clock::now());
        if (left.count() <= 0) break;
        pollfd entry{far_end_, POLLIN, 0};
        if (poll(&entry, 1, static_cast<int>(left.count())) <= 0) continue;
        uint8_t chunk[4096];
        const ssize_t n = ::read(far_end_, chunk, std::min(sizeof chunk, count - octets.size()));
        if (n > 0)
            octets.insert(octets.end(), chunk, chunk + n);
        else if (n == 0 || (errno != EAGAIN && errno != EINTR))
            break;
    }
    return octets;
}

std::vector<uint8_t> Pty_Pair::read_available() const {
    std::vector<uint8_t> octets;
    uint8_t chunk[4096];
    for (;;) {
        const ssize_t n = ::read(far_end_, chunk, sizeof chunk);
        if (n <= 0) break;
        octets.insert(octets.end(), chunk, chunk + n);
    }
    return octets;
}

void Pty_Pair::hang_up() {
    if (far_end_ >= 0) ::close(far_end_);
    far_end_ = -1;
}
