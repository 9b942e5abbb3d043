// The station's settings and role, kept in the seven-line configuration file
// "NQuorvan.ini" of the working directory:
//   1 SERIAL | MODEM | NETWORK   (read by prefix; anything else is serial)
//   2 port name                  (the whole line)
//   3 baud, decimal
//   4 time-out in seconds, decimal
//   5 modem number               (the whole line)
//   6 FIELD | CENTRAL            (read by prefix; anything else is central)
//   7 PPP information            (the whole line)
// Lines missing at the end read as empty; a line is at most 255 characters.
// Settings given for one run only (the port, baud and time-out of a single
// request) are used until the engine goes but never saved: a save writes
// what was loaded or set to be kept.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

class IniFile {
public:
    static constexpr const char* kFileName = "NQuorvan.ini";
    static constexpr size_t kMaxLineLength = 255;

    explicit IniFile(std::string file_name = kFileName);
    // Saves the settings, so what changed while the station ran is kept.
    ~IniFile();
    IniFile(const IniFile&) = delete;
    IniFile& operator=(const IniFile&) = delete;

    // False, with nothing changed, when the file cannot be opened.
    bool Load();
    bool Save();

    // The settings are read by the receiver thread while the user's thread
    // changes them: every accessor takes the lock.
    int32_t connection_type() const { return locked(&Settings::connection_type); }
    std::string port_name() const { return locked(&Settings::port_name); }
    uint16_t baud() const { return locked(&Settings::baud); }
    uint16_t time_out() const { return locked(&Settings::time_out); }
    std::string modem_number() const { return locked(&Settings::modem_number); }
    int32_t role() const { return locked(&Settings::role); }
    std::string ppp_info() const { return locked(&Settings::ppp_info); }

    // Whether a changed setting is saved, or used for this run only.
    enum class Keep : bool { saved, this_run };

    void set_connection_type(int32_t type, Keep keep = Keep::saved) { store(&Settings::connection_type, type, keep); }
    // Text settings are one line each: they end at a line break and are cut
    // to the line length, so a save always writes seven lines.
    void set_port_name(std::string_view name, Keep keep = Keep::saved) {
        store(&Settings::port_name, one_line(name), keep);
    }
    void set_baud(uint16_t baud, Keep keep = Keep::saved) { store(&Settings::baud, baud, keep); }
    void set_time_out(uint16_t seconds, Keep keep = Keep::saved) { store(&Settings::time_out, seconds, keep); }
    void set_modem_number(std::string_view number) { store(&Settings::modem_number, one_line(number)); }
    void set_ppp_info(std::string_view info) { store(&Settings::ppp_info, one_line(info)); }
    // Only the two roles are taken; any other value leaves the role as it is.
    void set_role(int32_t role);

private:
    struct Settings {
        int32_t connection_type = 1;
        std::string port_name = "COM1";
        uint16_t baud = 9600;
        uint16_t time_out = 10;
        std::string modem_number;
        int32_t role = 1;
        std::string ppp_info;
    };

    static std::string one_line(std::string_view text);
    template <typename T>
    T locked(T Settings::*field) const {
        std::lock_guard hold(mutex_);
        return current_.*field;
    }
    template <typename T, typename V>
    void store(T Settings::*field, V&& value, Keep keep = Keep::saved) {
        std::lock_guard hold(mutex_);
        if (keep == Keep::saved) kept_.*field = value;
        current_.*field = std::forward<V>(value);
    }

    mutable std::mutex mutex_;
    std::string file_name_;
    Settings current_;  // what the station uses; guarded by mutex_
    Settings kept_;     // what a save writes; guarded by mutex_
};
