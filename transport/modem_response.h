// What a Hayes modem answers in command mode: result codes in their verbose
// (ATV1) or numeric (ATV0) form, one to a line, among echoed commands and
// information lines.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class Modem_Response : uint8_t {
    ok,
    connect,
    ring,
    no_carrier,
    error,
    no_dialtone,
    busy,
    no_answer,
    other,  // an echoed command, an information line, noise
};

// The result code a line holds; `other` for any other line.
Modem_Response classify_modem_line(std::string_view line);

// Splits the octets from the modem into lines at CR and LF; empty lines are
// skipped, and a line longer than the longest result keeps only its start.
class Modem_Line_Reader {
public:
    static constexpr size_t kMaxLine = 80;

    void feed(std::span<const uint8_t> octets);
    // The next whole line, or false when none is complete.
    bool next_line(std::string& line);
    // The octets after the last whole line, taken away: once the modem has
    // said CONNECT they are the far end's data.
    std::vector<uint8_t> take_rest();
    void clear();

private:
    std::vector<uint8_t> buffered_;
};

// Watches the data of a call for the modem's "NO CARRIER" line, which is
// all a line without DCD (a pseudo-terminal) tells of a lost carrier. The
// line may come split over several reads.
class Carrier_Loss_Watch {
public:
    // True once the octets seen so far hold the line.
    bool seen_in(std::span<const uint8_t> octets);
    void clear() { tail_.clear(); }

private:
    std::string tail_;
};
