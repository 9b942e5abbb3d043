#include "bench/field_process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <stdexcept>
#include <vector>

extern char** environ;

namespace {

constexpr const char* kAnswering = "Field device answering on ";
constexpr size_t kMostKept = 64 * 1024;  // of what came before the ready line

// The file actions of a spawn, released with it.
struct Spawn_Actions {
    posix_spawn_file_actions_t actions{};
    Spawn_Actions() { posix_spawn_file_actions_init(&actions); }
    ~Spawn_Actions() { posix_spawn_file_actions_destroy(&actions); }
    Spawn_Actions(const Spawn_Actions&) = delete;
    Spawn_Actions& operator=(const Spawn_Actions&) = delete;
};

}  // namespace

Field_Process::Field_Process(const std::string& cli, const std::string& workdir, const std::string& port) {
    int out_pipe[2];
    if (pipe2(out_pipe, O_CLOEXEC) != 0) throw std::runtime_error("no pipe for the field device");
    Spawn_Actions spawn;
    posix_spawn_file_actions_addopen(&spawn.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_adddup2(&spawn.actions, out_pipe[1], STDOUT_FILENO);

    std::vector<std::string> words = {cli, "--workdir", workdir, "field", "--port", port};
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    const int failed = posix_spawn(&pid_, cli.c_str(), &spawn.actions, nullptr, argv.data(), environ);
    ::close(out_pipe[1]);
    output_ = out_pipe[0];
    if (failed != 0) {
        pid_ = -1;
        ::close(output_);
        throw std::runtime_error("cannot start " + cli);
    }
    drainer_ = std::thread([this] { drain(); });
}

Field_Process::~Field_Process() {
    stop();
    if (drainer_.joinable()) drainer_.join();
    if (output_ >= 0) ::close(output_);
}

bool Field_Process::wait_until_answering(std::chrono::seconds patience, std::string& said) {
    std::unique_lock hold(mutex_);
    changed_.wait_for(hold, patience, [this] { return answering_ || ended_; });
    said = said_;
    return answering_;
}

void Field_Process::drain() {
    char chunk[4096];
    for (;;) {
        const ssize_t n = ::read(output_, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        std::lock_guard hold(mutex_);
        if (answering_) continue;
        said_.append(chunk, static_cast<size_t>(n));
        if (said_.find(kAnswering) != std::string::npos) {
            answering_ = true;
            changed_.notify_all();
        } else if (said_.size() > kMostKept) {
            said_.erase(0, said_.size() - kMostKept / 2);  // the ready line may straddle chunks
        }
    }
    std::lock_guard hold(mutex_);
    ended_ = true;
    changed_.notify_all();
}

// SIGTERM, then a few seconds for the field to shut its engine down; SIGKILL
// after that.
void Field_Process::stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGTERM);
    int status = 0;
    for (int waited = 0; waited < 500; ++waited) {
        const pid_t done = ::waitpid(pid_, &status, WNOHANG);
        if (done == pid_ || (done < 0 && errno != EINTR)) {
            if (done == pid_ && !(WIFEXITED(status) && WEXITSTATUS(status) == 0))
                std::fprintf(stderr, "line bench: the field device did not end cleanly (status %d)\n", status);
            pid_ = -1;
            return;
        }
        ::usleep(10000);
    }
    std::fprintf(stderr, "line bench: the field device ignored SIGTERM; killed\n");
    ::kill(pid_, SIGKILL);
    ::waitpid(pid_, &status, 0);
    pid_ = -1;
}
