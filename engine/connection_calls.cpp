// The connection-setting calls of the engine: the port (a serial device, a
// network line, or the modem's port) and the role.
#include <algorithm>
#include <cstring>

#include "engine/quorvan_engine.h"
#include "transport/net_endpoint.h"

int32_t Quorvan::SetPortBaud(const char* port, uint16_t baud) {
    if (port == nullptr) return -1;
    // The port text says which line: a network endpoint, or a serial device
    // (which ends a network connection).
    if (names_network_line(port)) {
        ini_->set_connection_type(static_cast<int32_t>(Connection_Type::network));
        settings_changed();
        return line_.open_network(port, static_cast<Role>(ini_->role())) ? 0 : -1;
    }
    // On a modem connection the port is the modem's.
    if (connection_type() == Connection_Type::modem) {
        line_.use_modem(device_of_port(port), baud);
        return 0;
    }
    if (connection_type() == Connection_Type::network) {
        ini_->set_connection_type(static_cast<int32_t>(Connection_Type::serial));
        settings_changed();
    }
    return line_.open_serial_port(device_of_port(port), baud) ? 0 : -1;
}

int32_t Quorvan::set_params(uint16_t baud, const char* port, int32_t time_out, IniFile::Keep keep) {
    const int32_t result = SetPortBaud(port, baud);
    if (port != nullptr) ini_->set_port_name(port, keep);
    ini_->set_time_out(static_cast<uint16_t>(std::clamp(time_out, 1, 0xFFFF)), keep);
    ini_->set_baud(baud, keep);
    settings_changed();
    return result;
}

void Quorvan::GetParams(uint16_t* baud, char* port, uint16_t* time_out) const {
    if (baud != nullptr) *baud = ini_->baud();
    if (time_out != nullptr) *time_out = ini_->time_out();
    if (port != nullptr) {
        const std::string name = ini_->port_name();
        const size_t length = std::min(name.size(), size_t{QV_PORT_NAME_SIZE} - 1);
        std::memcpy(port, name.data(), length);
        port[length] = '\0';
    }
}

void Quorvan::GetModes(int32_t* type, int32_t* role) const {
    if (type != nullptr) *type = ini_->connection_type();
    if (role != nullptr) *role = ini_->role();
}

void Quorvan::SetModes(int32_t type, int32_t role) {
    ini_->set_connection_type(type);
    ini_->set_role(role);
    settings_changed();
}
