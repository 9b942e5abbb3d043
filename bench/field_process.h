// A field device as a process of its own: quorvan-cli's field command on a
// working directory and a port. The engine is one per process, so a bench
// that plays the central station runs the field device beside it this way.
// What the field prints is read away as it comes, so it never blocks on a
// full pipe; it is stopped with SIGTERM when the object goes.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>

class Field_Process {
public:
    // Starts the field device; throws std::runtime_error when it cannot.
    Field_Process(const std::string& cli, const std::string& workdir, const std::string& port);
    ~Field_Process();
    Field_Process(const Field_Process&) = delete;
    Field_Process& operator=(const Field_Process&) = delete;

    // Waits until the field device says it answers on its port; false when
    // it ended or stayed silent for the whole patience. `said` receives what
    // it printed until then (the last of it when that was long), for a report.
    bool wait_until_answering(std::chrono::seconds patience, std::string& said);

private:
    void drain();
    void stop();

    pid_t pid_ = -1;
    int output_ = -1;  // the read end of the field's standard output
    std::mutex mutex_;
    std::condition_variable changed_;
    bool answering_ = false;
    bool ended_ = false;
    std::string said_;  // what it printed until it answered
    std::thread drainer_;
};
