#include "transport/modem_response.h"

#include <algorithm>
#include <array>
#include <string>

namespace {

struct Result_Form {
    Modem_Response response;
    std::string_view verbose;
    std::string_view numeric;
};

// The result codes with their two forms. CONNECT may carry the rate after it
// (verbose "CONNECT 9600", numeric 5, 10 and up on most modems).
constexpr std::array<Result_Form, 8> kResults{{
    {Modem_Response::ok, "OK", "0"},
    {Modem_Response::connect, "CONNECT", "1"},
    {Modem_Response::ring, "RING", "2"},
    {Modem_Response::no_carrier, "NO CARRIER", "3"},
    {Modem_Response::error, "ERROR", "4"},
    {Modem_Response::no_dialtone, "NO DIALTONE", "6"},
    {Modem_Response::busy, "BUSY", "7"},
    {Modem_Response::no_answer, "NO ANSWER", "8"},
}};

// The modem's line as it comes in the data: a line of its own, whatever the
// modem's line-end characters. Escaped PPP data never holds a raw CR or LF.
constexpr std::string_view kNoCarrierLine = "\nNO CARRIER\r";

std::string_view trimmed(std::string_view line) {
    while (!line.empty() && line.front() == ' ') line.remove_prefix(1);
    while (!line.empty() && line.back() == ' ') line.remove_suffix(1);
    return line;
}

bool all_digits(std::string_view text) {
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

Modem_Response classify_modem_line(std::string_view line) {
    line = trimmed(line);
    for (const Result_Form& form : kResults) {
        if (line == form.verbose || line == form.numeric) return form.response;
    }
    // "CONNECT 9600", "CONNECT 33600/ARQ"; numeric 5, 9 and 10 to 99 are
    // connections at a rate.
    if (line.starts_with("CONNECT ")) return Modem_Response::connect;
    if (all_digits(line) && line.size() <= 2) {
        const int code = std::stoi(std::string(line));
        if (code == 5 || code == 9 || code >= 10) return Modem_Response::connect;
    }
    return Modem_Response::other;
}

void Modem_Line_Reader::feed(std::span<const uint8_t> octets) {
    buffered_.insert(buffered_.end(), octets.begin(), octets.end());
}

bool Modem_Line_Reader::next_line(std::string& line) {
    for (;;) {
        const auto end = std::find_if(buffered_.begin(), buffered_.end(), [](uint8_t c) { return c == '\r' || c == '\n'; });
        if (end == buffered_.end()) {
            // No end yet: keep no more of an endless line than a line can hold.
            if (buffered_.size() > kMaxLine) buffered_.erase(buffered_.begin() + kMaxLine, buffered_.end());
            return false;
        }
        const size_t length = static_cast<size_t>(end - buffered_.begin());
        line.assign(buffered_.begin(), buffered_.begin() + static_cast<std::ptrdiff_t>(std::min(length, kMaxLine)));
        buffered_.erase(buffered_.begin(), end + 1);
        if (!line.empty()) return true;
    }
}

std::vector<uint8_t> Modem_Line_Reader::take_rest() {
    // The line feed that ends the CONNECT line is no data.
    if (!buffered_.empty() && buffered_.front() == '\n') buffered_.erase(buffered_.begin());
    std::vector<uint8_t> rest;
    rest.swap(buffered_);
    return rest;
}

void Modem_Line_Reader::clear() { buffered_.clear(); }

bool Carrier_Loss_Watch::seen_in(std::span<const uint8_t> octets) {
    tail_.append(octets.begin(), octets.end());
    if (tail_.find(kNoCarrierLine) != std::string::npos) return true;
    // Keep only what could still begin the line.
    if (tail_.size() >= kNoCarrierLine.size()) tail_.erase(0, tail_.size() - (kNoCarrierLine.size() - 1));
    return false;
}
