#include "transport/line_display.h"

#include "datalink/raw_message.h"
#include "transport/byte_text.h"

using namespace line_display_text;

void Line_Display::show_received(const Raw_Message& frame, const std::string& trace) const {
    show(" " + frame.time_stamp + kReceived + trace);
    show(frame_dump(frame.octets));
}

void Line_Display::show_sent(std::span<const uint8_t> frame, const std::string& label,
                             const std::string& time_text) const {
    show(" " + time_text + kSent + label);
    show(frame_dump(frame));
}
