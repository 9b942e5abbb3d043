#include "cli/sim_modem.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace {

// Longest command line the modem keeps; a longer one is refused.
constexpr size_t kMaxCommandLine = 255;

// S-registers of the Hayes command set that the simulator acts on.
constexpr size_t kAutoAnswerRings = 0;
constexpr size_t kRingCount = 1;
constexpr size_t kEscapeCharacter = 2;
constexpr size_t kCarriageReturn = 3;
constexpr size_t kLineFeed = 4;
constexpr size_t kBackspace = 5;
constexpr size_t kCarrierWait = 7;
constexpr size_t kCommaPause = 8;
constexpr size_t kGuardTime = 12;  // fiftieths of a second

constexpr const char* kIdentity = "Quorvan modem simulator";

// Characters of a dial string that dial nothing here: tone and pulse, the
// pauses and waits (the simulated line always has what they wait for),
// flash, reverse mode, and the usual separators.
constexpr const char* kDialModifiers = "TP,W@$!R -().";

std::chrono::milliseconds guard_time(uint8_t fiftieths) { return std::chrono::milliseconds(20 * fiftieths); }

}  // namespace

Sim_Modem::Sim_Modem(std::string number, Telephone_Line& line, Sim_Modem_Profile profile)
    : number_(std::move(number)), line_(line), profile_(profile) {
    reset_profile();
}

void Sim_Modem::reset_profile() {
    registers_.fill(0);
    registers_[kAutoAnswerRings] = profile_.auto_answer_rings;
    registers_[kEscapeCharacter] = '+';
    registers_[kCarriageReturn] = '\r';
    registers_[kLineFeed] = '\n';
    registers_[kBackspace] = '\b';
    registers_[kCarrierWait] = 50;
    registers_[kCommaPause] = 2;
    registers_[kGuardTime] = 50;
    echo_ = true;
    verbose_ = true;
    quiet_ = false;
    dtr_mode_ = 2;
}

std::vector<uint8_t> Sim_Modem::take_output() {
    std::vector<uint8_t> taken;
    taken.swap(output_);
    return taken;
}

void Sim_Modem::from_terminal(std::span<const uint8_t> octets, Sim_Clock::time_point now) {
    now_ = now;
    if (octets.empty()) return;
    // A key pressed while the modem dials, waits for an answer or trains
    // abandons the call.
    if (state_ == State::dialing || state_ == State::calling || state_ == State::answering) {
        if (state_ != State::dialing) line_.hang_up(*this);
        state_ = State::on_hook;
        digits_.clear();
        show(Result_Code::no_carrier);
        return;
    }
    // An escape whose closing guard time has passed takes effect before
    // what comes now.
    check_escape(now);
    std::vector<uint8_t> data;
    for (const uint8_t octet : octets) {
        if (state_ == State::online) {
            online_octet(octet, now);
            data.push_back(octet);
        } else {
            command_octet(octet, now);
        }
    }
    if (!data.empty()) line_.send(*this, data);
}

void Sim_Modem::online_octet(uint8_t octet, Sim_Clock::time_point now) {
    // "+++" counts as the escape only with a guard time of silence before the
    // first '+', the three close together, and a guard time after (tick).
    const auto guard = guard_time(registers_[kGuardTime]);
    const auto gap = now - last_online_octet_;
    if (octet == registers_[kEscapeCharacter] && registers_[kEscapeCharacter] < 128) {
        if (pluses_ == 0 || pluses_ >= 3)
            pluses_ = (pluses_ == 0 && gap >= guard) ? 1 : 0;
        else
            pluses_ = gap < guard ? pluses_ + 1 : 0;
    } else {
        pluses_ = 0;
    }
    last_online_octet_ = now;
}

void Sim_Modem::command_octet(uint8_t octet, Sim_Clock::time_point now) {
    if (echo_) output_.push_back(octet);
    if (octet == registers_[kCarriageReturn]) {
        std::string line;
        line.swap(command_);
        const bool overflowed = command_overflowed_;
        command_overflowed_ = false;
        if (overflowed)
            show(Result_Code::error);
        else
            execute(line, now);
    } else if (octet == registers_[kBackspace]) {
        if (!command_.empty()) command_.pop_back();
    } else if (octet == registers_[kLineFeed]) {
        // the line feed after a carriage return ends nothing
    } else if (command_.size() < kMaxCommandLine) {
        command_.push_back(static_cast<char>(octet));
    } else {
        command_overflowed_ = true;
    }
}

void Sim_Modem::execute(const std::string& line, Sim_Clock::time_point now) {
    // A command starts at "AT" (in either case); what comes before it is
    // line noise, and a line without it is no command at all.
    size_t start = 0;
    for (; start + 1 < line.size(); ++start)
        if (std::toupper(static_cast<unsigned char>(line[start])) == 'A' &&
            std::toupper(static_cast<unsigned char>(line[start + 1])) == 'T')
            break;
    if (start + 1 >= line.size()) return;
    bool answer_now = true;
    const bool accepted = run_commands(line.substr(start + 2), now, answer_now);
    if (!accepted)
        show(Result_Code::error);
    else if (answer_now)
        show(Result_Code::ok);
}

bool Sim_Modem::run_commands(const std::string& commands, Sim_Clock::time_point now, bool& answer_now) {
    size_t at = 0;
    const auto next_upper = [&] { return static_cast<char>(std::toupper(static_cast<unsigned char>(commands[at++]))); };
    // A command's number; `absent` when none follows.
    const auto number = [&](int absent) {
        if (at >= commands.size() || !std::isdigit(static_cast<unsigned char>(commands[at]))) return absent;
        int value = 0;
        while (at < commands.size() && std::isdigit(static_cast<unsigned char>(commands[at]))) {
            value = std::min(value * 10 + (commands[at] - '0'), 1000);
            ++at;
        }
        return value;
    };
    const auto flag = [&](bool& setting) {
        const int value = number(0);
        if (value > 1) return false;
        setting = value == 1;
        return true;
    };

    while (at < commands.size()) {
        const char command = next_upper();
        switch (command) {
            case ' ': break;
            case 'E':
                if (!flag(echo_)) return false;
                break;
            case 'V':
                if (!flag(verbose_)) return false;
                break;
            case 'Q':
                if (!flag(quiet_)) return false;
                break;
            case 'H': {
                const int value = number(0);
                if (value > 1) return false;
                if (value == 0) go_on_hook();
                break;
            }
            case 'Z':
                number(0);
                go_on_hook();
                reset_profile();
                break;
            case 'B': case 'C': case 'L': case 'M': case 'N': case 'P': case 'T': case 'W': case 'X': case 'Y':
                number(0);  // settings of a real modem's hardware; nothing to simulate
                break;
            case 'I':
                number(0);
                output_.insert(output_.end(), {'\r', '\n'});
                output_.insert(output_.end(), kIdentity, kIdentity + std::strlen(kIdentity));
                output_.insert(output_.end(), {'\r', '\n'});
                break;
            case 'S': {
                const int index = number(-1);
                if (index < 0 || index > 255 || at >= commands.size()) return false;
                const char how = commands[at++];
                if (how == '=') {
                    const int value = number(-1);
                    if (value < 0 || value > 255) return false;
                    registers_[static_cast<size_t>(index)] = static_cast<uint8_t>(value);
                } else if (how == '?') {
                    char text[8];
                    std::snprintf(text, sizeof text, "%03u", registers_[static_cast<size_t>(index)]);
                    show_text(text);
                } else {
                    return false;
                }
                break;
            }
            case '&': {
                if (at >= commands.size()) return false;
                const char extended = next_upper();
                const int value = number(0);
                if (extended == 'F') {
                    reset_profile();
                } else if (extended == 'D') {
                    if (value > 3) return false;
                    dtr_mode_ = value;
                } else if (std::strchr("CKQRSVWY", extended) == nullptr) {
                    return false;
                }
                break;
            }
            case '\\':
                if (at >= commands.size()) return false;
                ++at;
                number(0);
                break;
            case 'D':
                if (state_ != State::on_hook && state_ != State::dial_paused) return false;
                if (!dial(commands.substr(at), now)) return false;
                answer_now = false;
                return true;
            case 'A':
                answer_now = false;
                if (state_ == State::ringing) {
                    state_ = State::answering;
                    line_.answer(*this);
                } else if (state_ == State::on_hook) {
                    show(Result_Code::no_carrier);  // nothing on the line to answer
                } else {
                    return false;
                }
                return true;
            case 'O':
                number(0);
                answer_now = false;
                if (state_ == State::online_command) {
                    state_ = State::online;
                    pluses_ = 0;
                    last_online_octet_ = now;
                    show(Result_Code::connect);
                } else {
                    show(Result_Code::no_carrier);
                }
                return true;
            default: return false;
        }
    }
    return true;
}

bool Sim_Modem::dial(const std::string& dial_string, Sim_Clock::time_point now) {
    std::string digits;
    bool semicolon = false;
    for (const char c : dial_string) {
        const char upper = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        if (std::isdigit(static_cast<unsigned char>(c)) || c == '*' || c == '#' || (upper >= 'A' && upper <= 'D')) {
            digits.push_back(upper);
        } else if (profile_.cannot_dial.find(c) != std::string::npos) {
            return false;
        } else if (c == ';') {
            semicolon = true;
            break;
        } else if (std::strchr(kDialModifiers, upper) == nullptr) {
            return false;  // a character this modem cannot dial
        }
    }
    if (state_ == State::on_hook) {
        digits_.clear();
        check_dial_tone_ = true;
    }
    digits_ += digits;
    back_to_command_ = semicolon;
    state_ = State::dialing;
    dial_done_ = now + profile_.dial_time;
    return true;
}

void Sim_Modem::tick(Sim_Clock::time_point now) {
    now_ = now;
    if (state_ == State::dialing && now >= dial_done_) {
        if (check_dial_tone_ && !line_.dial_tone(*this)) {
            state_ = State::on_hook;
            digits_.clear();
            show(Result_Code::no_dialtone);
            return;
        }
        check_dial_tone_ = false;
        if (back_to_command_) {
            state_ = State::dial_paused;
            show(Result_Code::ok);
        } else {
            state_ = State::calling;
            line_.call(*this, digits_);
        }
    } else {
        check_escape(now);
    }
}

void Sim_Modem::check_escape(Sim_Clock::time_point now) {
    if (state_ != State::online || pluses_ != 3 || now - last_online_octet_ < guard_time(registers_[kGuardTime]))
        return;
    state_ = State::online_command;
    pluses_ = 0;
    show(Result_Code::ok);
}

void Sim_Modem::go_on_hook() {
    if (state_ != State::on_hook && state_ != State::ringing) {
        if (state_ != State::dialing && state_ != State::dial_paused) line_.hang_up(*this);
        state_ = State::on_hook;
    }
    digits_.clear();
    pluses_ = 0;
}

void Sim_Modem::terminal_gone() {
    command_.clear();
    output_.clear();
    if (dtr_mode_ >= 2) go_on_hook();
    if (dtr_mode_ == 3) reset_profile();
    if (dtr_mode_ == 1 && state_ == State::online) state_ = State::online_command;
}

void Sim_Modem::ring() {
    if (state_ == State::on_hook) {
        state_ = State::ringing;
        registers_[kRingCount] = 0;
    }
    if (state_ != State::ringing) return;
    if (registers_[kRingCount] < 255) ++registers_[kRingCount];
    show(Result_Code::ring);
    if (registers_[kAutoAnswerRings] > 0 && registers_[kRingCount] >= registers_[kAutoAnswerRings]) {
        state_ = State::answering;
        line_.answer(*this);
    }
}

void Sim_Modem::ringing_stopped() {
    if (state_ != State::ringing) return;
    state_ = State::on_hook;
    registers_[kRingCount] = 0;
}

void Sim_Modem::call_connected() {
    if (state_ != State::calling && state_ != State::answering) return;
    state_ = State::online;
    pluses_ = 0;
    last_online_octet_ = now_;  // the connection counts as the last activity
    show(Result_Code::connect);
}

void Sim_Modem::call_failed(Result_Code code) {
    if (state_ != State::calling) return;
    state_ = State::on_hook;
    digits_.clear();
    show(code);
}

void Sim_Modem::carrier_lost() {
    if (state_ != State::calling && state_ != State::answering && state_ != State::online &&
        state_ != State::online_command)
        return;
    state_ = State::on_hook;
    digits_.clear();
    pluses_ = 0;
    show(Result_Code::no_carrier);
}

void Sim_Modem::from_line(std::span<const uint8_t> octets) {
    // In command mode after "+++" what comes from the far end is dropped:
    // the terminal is reading the modem's answers then.
    if (state_ == State::online) output_.insert(output_.end(), octets.begin(), octets.end());
}

void Sim_Modem::show(Result_Code code) {
    if (quiet_) return;
    if (verbose_) {
        std::string text(result_text(code));
        if (code == Result_Code::connect) {
            text += ' ';
            text += std::to_string(profile_.connect_rate);
        }
        show_text(text);
    } else {
        const std::string text = std::to_string(static_cast<int>(code)) + "\r";
        output_.insert(output_.end(), text.begin(), text.end());
    }
}

void Sim_Modem::show_text(const std::string& text) {
    output_.insert(output_.end(), {'\r', '\n'});
    output_.insert(output_.end(), text.begin(), text.end());
    output_.insert(output_.end(), {'\r', '\n'});
}
