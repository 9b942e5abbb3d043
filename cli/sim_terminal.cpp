#include "cli/sim_terminal.h"

#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

namespace {

// Most octets a station may leave unread before the modem drops the excess,
// as a real modem's buffer overflows.
constexpr size_t kMaxUnsent = 1 << 20;

}  // namespace

Sim_Terminal::Sim_Terminal() {
    master_ = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (master_ < 0 || grantpt(master_) != 0 || unlockpt(master_) != 0) throw std::runtime_error("no pseudo-terminal");
    char name[128];
    if (ptsname_r(master_, name, sizeof name) != 0) throw std::runtime_error("no pseudo-terminal name");
    path_ = name;
    fcntl(master_, F_SETFL, fcntl(master_, F_GETFL) | O_NONBLOCK);
    // Raw mode, set once through the terminal end: the setting outlives the
    // station's opening and closing of the port.
    const int terminal = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
    termios raw{};
    if (terminal >= 0 && tcgetattr(terminal, &raw) == 0) {
        cfmakeraw(&raw);
        tcsetattr(terminal, TCSANOW, &raw);
    }
    if (terminal >= 0) ::close(terminal);
}

Sim_Terminal::~Sim_Terminal() {
    if (master_ >= 0) ::close(master_);
}

bool Sim_Terminal::closed_now() {
    pollfd entry{master_, POLLIN, 0};
    const bool hung_up = ::poll(&entry, 1, 0) > 0 && (entry.revents & POLLHUP) != 0;
    const bool was_open = open_;
    open_ = !hung_up;
    if (hung_up) unsent_.clear();
    return was_open && hung_up;
}

std::vector<uint8_t> Sim_Terminal::read() {
    std::vector<uint8_t> octets(4096);
    const ssize_t n = ::read(master_, octets.data(), octets.size());
    octets.resize(n > 0 ? static_cast<size_t>(n) : 0);
    return octets;
}

void Sim_Terminal::write(const std::vector<uint8_t>& octets) {
    if (!open_) return;
    const size_t room = kMaxUnsent - std::min(kMaxUnsent, unsent_.size());
    unsent_.insert(unsent_.end(), octets.begin(), octets.begin() + static_cast<std::ptrdiff_t>(std::min(room, octets.size())));
    flush();
}

void Sim_Terminal::flush() {
    while (!unsent_.empty()) {
        const ssize_t n = ::write(master_, unsent_.data(), unsent_.size());
        if (n <= 0) {
            if (n < 0 && errno == EINTR) continue;
            if (n < 0 && errno != EAGAIN) unsent_.clear();  // the station closed the port
            return;
        }
        unsent_.erase(unsent_.begin(), unsent_.begin() + n);
    }
}
