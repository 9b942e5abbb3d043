#include "transport/ta_sender.h"

#include "transport/line_port.h"

// The line in use is the connection's: the serial port, a socket, or the
// modem (which refuses to write while no call is connected).
bool TA_Sender::send(std::span<const uint8_t> octets, Connection_Type) { return line_.write(octets); }
