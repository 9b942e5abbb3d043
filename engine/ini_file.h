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
    int32_t connection_type() const { return locked(connection_type_); }
    std::string port_name() const { return locked(port_name_); }
    uint16_t baud() const { return locked(baud_); }
    uint16_t time_out() const { return locked(time_out_); }
    std::string modem_number() const { return locked(modem_number_); }
    int32_t role() const { return locked(role_); }
    std::string ppp_info() const { return locked(ppp_info_); }

    void set_connection_type(int32_t type) { store(connection_type_, type); }
    // Text settings are one line each: they end at a line break and are cut
    // to the line length, so a save always writes seven lines.
    void set_port_name(std::string_view name) { store(port_name_, one_line(name)); }
    void set_baud(uint16_t baud) { store(baud_, baud); }
    void set_time_out(uint16_t seconds) { store(time_out_, seconds); }
    void set_modem_number(std::string_view number) { store(modem_number_, one_line(number)); }
    void set_ppp_info(std::string_view info) { store(ppp_info_, one_line(info)); }
    // Only the two roles are taken; any other value leaves the role as it is.
    void set_role(int32_t role);

private:
    static std::string one_line(std::string_view text);
    template <typename T>
    T locked(const T& field) const {
        std::lock_guard hold(mutex_);
        return field;
    }
    template <typename T, typename V>
    void store(T& field, V&& value) {
        std::lock_guard hold(mutex_);
        field = std::forward<V>(value);
    }

    mutable std::mutex mutex_;
    std::string file_name_;
    int32_t connection_type_ = 1;
    std::string port_name_ = "COM1";
    uint16_t baud_ = 9600;
    uint16_t time_out_ = 10;
    std::string modem_number_;
    int32_t role_ = 1;
    std::string ppp_info_;
};
