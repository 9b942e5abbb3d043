#include "transport/ta_sender.h"

#include "base/throwable.h"
#include "transport/sp_ovr.h"

bool TA_Sender::send(std::span<const uint8_t> octets, Connection_Type connection_type) {
    if (connection_type == Connection_Type::modem) return false;  // this station has no modem port to write to
    try {
        serial_port_.write(octets);
        return true;
    } catch (const Throwable&) {
        return false;
    }
}
