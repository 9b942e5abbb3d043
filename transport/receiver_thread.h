// The receiver thread: reads the port, hands the octets to the receiver,
// times requests out and reports the connection status. It waits with
// poll() on a wake-up descriptor (stop and pause), the port and the link
// event, at most 100 ms, so octets are handled as they arrive and nothing
// spins while the line is quiet.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <thread>

#include "quorvan.h"
#include "transport/ta_receiver.h"
#include "tree/throwable.h"

class Field_Device_Settings;
class IniFile;
class SP_Ovr;

// The thread could not be started or given what it waits on.
class Thread_Exception : public FatalException {
public:
    using FatalException::FatalException;
};
class ThreadCreationException : public Thread_Exception {
public:
    using Thread_Exception::Thread_Exception;
};
class ThreadEventException : public Thread_Exception {
public:
    using Thread_Exception::Thread_Exception;
};

namespace receiver_thread_text {
inline constexpr const char* kThreadCreation = "Thread creation exception thrown!";
inline constexpr const char* kEventCreation = "Error creating read event";
inline constexpr const char* kCommEventCreation = "Error creating comm event";
inline constexpr const char* kWaitFailed = "Error waiting for the line, continuing to listen";
inline constexpr const char* kPassFailed = "Exception in the receiver thread, continuing to listen";
inline constexpr const char* kZeroBytes = "Receiving data, but 0 bytes available";
inline constexpr const char* kBufferOverrun = "Invalid # of bytes read, internal error in receiver, \nBytes read =";
inline constexpr const char* kUnknownDevice = "Unknown device type, assuming modem device";
}  // namespace receiver_thread_text

class BCCThread_TA_Receiver {
public:
    static constexpr size_t kReceiveBuffer = 550;
    static constexpr int kWaitMilliseconds = 100;
    static constexpr int kStatusEvery = 10;  // passes between status reports

    BCCThread_TA_Receiver(TA_Receiver& receiver, std::atomic<int32_t>& connection_state, IniFile& ini,
                          const Field_Device_Settings& settings);
    ~BCCThread_TA_Receiver();
    BCCThread_TA_Receiver(const BCCThread_TA_Receiver&) = delete;
    BCCThread_TA_Receiver& operator=(const BCCThread_TA_Receiver&) = delete;

    // Starts the thread; ThreadCreationException when it cannot be had.
    void start(QV_DisplayCallback display, QV_StatusCallback status, SP_Ovr& port);
    // Ends the thread after its current pass and waits for it.
    void stop();
    bool running() const { return thread_.joinable(); }
    std::thread::native_handle_type handle() { return thread_.native_handle(); }

    // Holds the thread between passes (while its port is changed), and lets it go on.
    void suspend();
    void resume();

    void link_event();

private:
    void run();
    void wait_while_suspended();
    void report_status(int remaining);
    void display(const std::string& text) const;

    TA_Receiver& receiver_;
    std::atomic<int32_t>& connection_state_;
    IniFile& ini_;
    const Field_Device_Settings& settings_;
    SP_Ovr* port_ = nullptr;

    QV_DisplayCallback display_callback_ = nullptr;
    QV_StatusCallback status_callback_ = nullptr;

    int wake_fd_ = -1;  // stop and suspend requests
    int link_fd_ = -1;  // the link event
    std::atomic<bool> stop_requested_{false};

    std::mutex suspend_mutex_;
    std::condition_variable suspend_changed_;
    bool suspend_requested_ = false;  // guarded by suspend_mutex_
    bool suspended_ = false;          // guarded by suspend_mutex_

    std::thread thread_;
};
