// The modem's messages to the user: each failure of a dial, an answer or a
// call, shown in a box with its title.
#pragma once

#include <array>
#include <cstdint>

enum class Modem_Notice : uint8_t {
    port_unusable,    // the modem's port cannot be opened
    line_in_use,      // a call is already connected
    not_a_data_modem, // the port does not answer the AT commands
    no_number,
    busy,
    no_answer,
    no_dialtone,
    no_carrier,       // the call was not connected
    refused,          // the modem answered ERROR
    not_in_time,      // no result within the waits
    carrier_lost,     // a connected call ended from the line
};

struct Modem_Notice_Text {
    Modem_Notice notice;
    const char* title;
    const char* text;
};

inline constexpr std::array<Modem_Notice_Text, 11> kModemNotices{{
    {Modem_Notice::port_unusable, "Unable to Use Line", "Error on Requested line"},
    {Modem_Notice::line_in_use, "Unable to Use Line", "Requested line is already in use"},
    {Modem_Notice::not_a_data_modem, "Error on Requested line", "The selected line doesn't support DATAMODEM capabilities"},
    {Modem_Notice::no_number, "Error", "No number to dial."},
    {Modem_Notice::busy, "Error", "The number dialed is busy."},
    {Modem_Notice::no_answer, "Error", "The number dialed does not answer."},
    {Modem_Notice::no_dialtone, "Error", "There is no dial tone on the line."},
    {Modem_Notice::no_carrier, "Error", "No carrier: the call could not be connected."},
    {Modem_Notice::refused, "Error", "The modem refused the command:"},
    {Modem_Notice::not_in_time, "Error", "The modem gave no result in time; the call is hung up."},
    {Modem_Notice::carrier_lost, "Warning", "The carrier was lost; the call is hung up."},
}};

constexpr const Modem_Notice_Text& modem_notice_text(Modem_Notice notice) {
    return kModemNotices[static_cast<size_t>(notice)];
}

// The table is looked up by the code: one entry per code, in the codes' order.
constexpr bool modem_notices_in_order() {
    for (size_t i = 0; i < kModemNotices.size(); ++i)
        if (static_cast<size_t>(kModemNotices[i].notice) != i) return false;
    return true;
}
static_assert(modem_notices_in_order());
