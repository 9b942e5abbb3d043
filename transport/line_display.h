// The line-activity display as the receiver writes to it: plain texts, and
// frames received or sent with their English text and octet dump.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>

struct Raw_Message;

// Delivers one text to the line-activity display (taking the display lock).
using Display = std::function<void(const std::string& text)>;

namespace line_display_text {
inline constexpr const char* kReceived = "Received:\n";
inline constexpr const char* kSent = "Sent:\n";
}  // namespace line_display_text

class Line_Display {
public:
    void set(Display display) { display_ = std::move(display); }

    void show(const std::string& text) const {
        if (display_) display_(text);
    }
    // A frame as received, stamped with its arrival time.
    void show_received(const Raw_Message& frame, const std::string& trace) const;
    // A frame as sent, stamped with the time given.
    void show_sent(std::span<const uint8_t> frame, const std::string& label, const std::string& time_text) const;

private:
    Display display_;
};
