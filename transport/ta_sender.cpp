#include "transport/ta_sender.h"

#include "transport/line_port.h"

bool TA_Sender::send(std::span<const uint8_t> octets, Connection_Type connection_type) {
    if (connection_type == Connection_Type::modem) return false;  // this station has no modem port to write to
    return line_.write(octets);
}
