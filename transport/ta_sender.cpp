#include "transport/ta_sender.h"

#include "base/throwable.h"
#include "transport/sp_ovr.h"

bool TA_Sender::send(std::span<const uint8_t> octets, int32_t connection_type) {
    if (connection_type == connection::kModem) return false;  // this station has no modem port to write to
    try {
        serial_port_.write(octets);
        return true;
    } catch (const Throwable&) {
        return false;
    }
}
