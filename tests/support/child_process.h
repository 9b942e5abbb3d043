// A program running beside the test as its own process: its standard input
// is a pipe the test writes lines to, and everything it prints is collected
// as it comes, so that it never blocks on a full pipe.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

// Resident memory of a process in kB, from /proc; 0 once it has ended.
long resident_kb_of(pid_t pid);
// The most it has held resident so far, in kB.
long peak_resident_kb_of(pid_t pid);

class Child_Process {
public:
    // Starts the program; standard error joins standard output.
    explicit Child_Process(const std::vector<std::string>& argv);
    // Stops the program if it still runs.
    ~Child_Process();
    Child_Process(const Child_Process&) = delete;
    Child_Process& operator=(const Child_Process&) = delete;

    // Waits until the output from offset on holds the text; false when the
    // patience ran out or the program ended first.
    bool wait_for(const std::string& text, size_t offset = 0,
                  std::chrono::milliseconds patience = std::chrono::seconds(10)) const;
    // Everything printed so far.
    std::string output() const;
    size_t output_size() const;
    // Drops what was collected so far (offsets start again at 0).
    void forget_output();

    void send_line(const std::string& line) const;
    // Sends the signal (SIGSTOP and SIGCONT stall and wake the program).
    void send_signal(int number) const;
    long resident_kb() const { return resident_kb_of(pid_); }

    // Ends the program's standard input and waits for the program to end by
    // itself; its exit status, or -1 when it had to be stopped (stop()).
    int finish(std::chrono::milliseconds patience = std::chrono::seconds(10));

    // Sends SIGTERM and waits for the end (SIGKILL after ten seconds); the
    // exit status, or -1 when it did not exit normally.
    int stop();

private:
    void collect();

    pid_t pid_ = -1;
    int input_ = -1;
    int output_ = -1;
    int exit_status_ = -1;
    bool stopped_ = false;
    mutable std::mutex mutex_;
    mutable std::condition_variable changed_;
    std::string collected_;
    bool ended_ = false;
    std::thread collector_;
};
