#include "tests/support/child_process.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <fstream>
#include <stdexcept>

Child_Process::Child_Process(const std::vector<std::string>& argv) {
    int in_pipe[2];
    int out_pipe[2];
    if (pipe2(in_pipe, O_CLOEXEC) != 0 || pipe2(out_pipe, O_CLOEXEC) != 0) throw std::runtime_error("pipe failed");
    std::vector<char*> args;
    for (const auto& arg : argv) args.push_back(const_cast<char*>(arg.c_str()));
    args.push_back(nullptr);
    pid_ = fork();
    if (pid_ < 0) throw std::runtime_error("fork failed");
    if (pid_ == 0) {
        dup2(in_pipe[0], STDIN_FILENO);
        dup2(out_pipe[1], STDOUT_FILENO);
        dup2(out_pipe[1], STDERR_FILENO);
        execv(args[0], args.data());
        _exit(127);
    }
    close(in_pipe[0]);
    close(out_pipe[1]);
    input_ = in_pipe[1];
    output_ = out_pipe[0];
    collector_ = std::thread([this] { collect(); });
}

Child_Process::~Child_Process() { stop(); }

void Child_Process::collect() {
    char buffer[4096];
    for (;;) {
        const ssize_t n = read(output_, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) continue;
        std::lock_guard lock(mutex_);
        if (n <= 0) {
            ended_ = true;
            changed_.notify_all();
            return;
        }
        collected_.append(buffer, static_cast<size_t>(n));
        changed_.notify_all();
    }
}

bool Child_Process::wait_for(const std::string& text, size_t offset, std::chrono::milliseconds patience) const {
    std::unique_lock lock(mutex_);
    return changed_.wait_for(lock, patience, [&] {
        return (collected_.size() > offset && collected_.find(text, offset) != std::string::npos) || ended_;
    }) && collected_.size() > offset && collected_.find(text, offset) != std::string::npos;
}

std::string Child_Process::output() const {
    std::lock_guard lock(mutex_);
    return collected_;
}

size_t Child_Process::output_size() const {
    std::lock_guard lock(mutex_);
    return collected_.size();
}

void Child_Process::forget_output() {
    std::lock_guard lock(mutex_);
    collected_.clear();
    collected_.shrink_to_fit();
}

void Child_Process::send_line(const std::string& line) const {
    const std::string text = line + "\n";
    size_t written = 0;
    while (written < text.size()) {
        const ssize_t n = write(input_, text.data() + written, text.size() - written);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) throw std::runtime_error("the child process takes no input");
        written += static_cast<size_t>(n);
    }
}

namespace {

long status_kb_of(pid_t pid, const std::string& field) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string word;
    while (status >> word)
        if (word == field) {
            long kb = 0;
            status >> kb;
            return kb;
        }
    return 0;
}

}  // namespace

long resident_kb_of(pid_t pid) { return status_kb_of(pid, "VmRSS:"); }

long peak_resident_kb_of(pid_t pid) { return status_kb_of(pid, "VmHWM:"); }

int Child_Process::finish(std::chrono::milliseconds patience) {
    if (!stopped_ && input_ >= 0) {
        close(input_);
        input_ = -1;
    }
    bool ended = false;
    {
        std::unique_lock hold(mutex_);
        ended = changed_.wait_for(hold, patience, [this] { return ended_; });
    }
    const int status = stop();
    return ended ? status : -1;
}

void Child_Process::send_signal(int number) const {
    if (!stopped_) kill(pid_, number);
}

int Child_Process::stop() {
    if (stopped_) return exit_status_;
    stopped_ = true;
    kill(pid_, SIGTERM);
    int status = 0;
    for (int waited = 0; waitpid(pid_, &status, WNOHANG) == 0; ++waited) {
        if (waited == 1000) kill(pid_, SIGKILL);
        usleep(10000);
    }
    if (WIFEXITED(status)) exit_status_ = WEXITSTATUS(status);
    close(input_);
    if (collector_.joinable()) collector_.join();
    close(output_);
    return exit_status_;
}
