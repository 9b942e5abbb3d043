// The macro exports: each run on a thread of its own, one run at a time. A
// finished run's outcome and verdicts stay for WaitForMacro.
#include "engine/macro_calls.h"

#include <condition_variable>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "engine/c_text.h"
#include "macro/c_interface_engine.h"
#include "macro/macro_run.h"
#include "macro/macro_texts.h"
#include "quorvan.h"

namespace {

struct Macro_Thread {
    std::string file_name;
    std::unique_ptr<C_Interface_Engine> engine;
    std::thread thread;
    bool finished = false;  // guarded by runs_mutex
    Run_Report report;
};

// Never destroyed: a process may end while a run's thread still goes (a
// caller that never called Shutdown), and must not end in std::terminate.
std::mutex& runs_mutex = *new std::mutex;
std::condition_variable& run_ended = *new std::condition_variable;
auto& runs = *new std::map<int32_t, std::unique_ptr<Macro_Thread>>;  // guarded by runs_mutex
int32_t last_handle = -1;                                             // guarded by runs_mutex

bool any_running() {
    for (const auto& [handle, run] : runs)
        if (!run->finished) return true;
    return false;
}

std::string verdict_lines(const Run_Report& report) {
    std::string lines;
    for (const Verdict& verdict : report.verdicts) {
        std::string name = verdict.name;
        for (char& c : name)
            if (c == '\n' || c == '\r') c = ' ';
        lines += verdict.passed ? "1 " : "0 ";
        lines += name;
        lines += '\n';
    }
    return lines;
}

}  // namespace

void stop_macro_runs() {
    try {
        std::unique_lock hold(runs_mutex);
        for (auto& [handle, run] : runs)
            if (!run->finished) run->engine->request_stop();
        run_ended.wait(hold, [] { return !any_running(); });
        for (auto& [handle, run] : runs)
            if (run->thread.joinable()) run->thread.join();
    } catch (...) {
        // Shutdown goes on: a lock that cannot be had leaves nothing better to do.
    }
}

extern "C" {

QV_API int32_t Macro(const char* file_name, QV_DisplayCallback display, QV_UserInputCallback user_input,
                     QV_EditCallback edit) {
    if (!engine_is_up() || file_name == nullptr) return -1;
    try {
        std::lock_guard hold(runs_mutex);
        if (any_running()) {
            if (display != nullptr)
                display((std::string(macro_text::kAlreadyRunning) + file_name + "\n").c_str());
            return -1;
        }
        for (auto& [handle, run] : runs)
            if (run->thread.joinable()) run->thread.join();
        if (display != nullptr) {
            display(macro_text::kRunning);
            display(file_name);
        }
        auto run = std::make_unique<Macro_Thread>();
        run->file_name = file_name;
        run->engine = std::make_unique<C_Interface_Engine>(display, user_input, edit);
        Macro_Thread* self = run.get();
        run->thread = std::thread([self] {
            Run_Report report = run_macro_file(self->file_name, *self->engine);
            {
                std::lock_guard done(runs_mutex);
                self->report = std::move(report);
                self->finished = true;
            }
            run_ended.notify_all();
        });
        last_handle = last_handle < 0 ? 1 : last_handle + 1;
        runs.emplace(last_handle, std::move(run));
        return 0;
    } catch (...) {
        return -1;
    }
}

QV_API int32_t GetMacroHandle(void) {
    std::lock_guard hold(runs_mutex);
    return last_handle;
}

QV_API int32_t WaitForMacro(int32_t handle, char** verdicts) {
    try {
        std::unique_lock hold(runs_mutex);
        const auto it = runs.find(handle);
        if (it == runs.end()) return -1;
        Macro_Thread& run = *it->second;
        run_ended.wait(hold, [&] { return run.finished; });
        if (run.thread.joinable()) run.thread.join();
        if (verdicts != nullptr) *verdicts = c_text(verdict_lines(run.report));
        return run.report.parsed && run.report.completed ? 0 : 1;
    } catch (...) {
        return -1;
    }
}

}  // extern "C"
