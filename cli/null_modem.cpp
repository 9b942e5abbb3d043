#include "cli/null_modem.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>
#include <vector>

namespace {

int open_master(std::string& path) {
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) throw std::runtime_error("no pseudo-terminal");
    char name[128];
    if (ptsname_r(master, name, sizeof name) != 0) throw std::runtime_error("no pseudo-terminal name");
    path = name;
    fcntl(master, F_SETFL, fcntl(master, F_GETFL) | O_NONBLOCK);
    return master;
}

// Writes everything, waiting for room a little at a time; gives up on a side
// that takes nothing for a second (no one reads it).
void write_all(int fd, const uint8_t* data, size_t size) {
    int idle_waits = 0;
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n > 0) {
            data += n;
            size -= static_cast<size_t>(n);
            idle_waits = 0;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR) return;
        if (++idle_waits > 100) return;
        pollfd entry{fd, POLLOUT, 0};
        ::poll(&entry, 1, 10);
    }
}

}  // namespace

Null_Modem::Null_Modem() {
    for (int side = 0; side < 2; ++side) {
        masters_[side] = open_master(paths_[side]);
        // Held write-only: it takes nothing that is meant for the program on that side.
        holders_[side] = ::open(paths_[side].c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
        termios raw{};
        if (holders_[side] >= 0 && tcgetattr(holders_[side], &raw) == 0) {
            cfmakeraw(&raw);
            tcsetattr(holders_[side], TCSANOW, &raw);
        }
    }
    stop_fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
    if (stop_fd_ < 0) throw std::runtime_error("no event descriptor");
    thread_ = std::thread([this] { carry(); });
}

Null_Modem::~Null_Modem() {
    const uint64_t one = 1;
    [[maybe_unused]] const ssize_t written = ::write(stop_fd_, &one, sizeof one);
    if (thread_.joinable()) thread_.join();
    for (int fd : {masters_[0], masters_[1], holders_[0], holders_[1], stop_fd_})
        if (fd >= 0) ::close(fd);
}

void Null_Modem::carry() {
    std::vector<uint8_t> buffer(4096);
    for (;;) {
        pollfd fds[3] = {{stop_fd_, POLLIN, 0}, {masters_[0], POLLIN, 0}, {masters_[1], POLLIN, 0}};
        if (::poll(fds, 3, 100) < 0 && errno != EINTR) return;
        if (fds[0].revents & POLLIN) return;
        for (int side = 0; side < 2; ++side) {
            if (!(fds[1 + side].revents & POLLIN)) continue;
            const ssize_t n = ::read(masters_[side], buffer.data(), buffer.size());
            if (n <= 0) continue;
            write_all(masters_[1 - side], buffer.data(), static_cast<size_t>(n));
            carried_[side] += static_cast<size_t>(n);
        }
    }
}
