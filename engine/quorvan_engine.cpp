#include "engine/quorvan_engine.h"

#include <cctype>
#include <ctime>

#include "engine/process_locks.h"
#include "tree/throwable.h"

Quorvan::Quorvan()
    : ini_(std::make_unique<IniFile>()),
      tree_(ISO_Tree::kTableConfigFile),
      serial_port_(std::make_unique<SP_Ovr>()),
      data_link_(std::make_unique<Data_Link_Layer>(random_)),
      sender_(std::make_unique<TA_Sender>(*serial_port_)),
      station_(std::make_unique<NTCIP_Station>(*sender_)),
      field_settings_(std::make_unique<Field_Device_Settings>()),
      error_injection_(std::make_unique<ErrorInjection>()),
      receiver_(std::make_unique<TA_Receiver>(*station_, *serial_port_, *data_link_, *error_injection_, outstanding_,
                                              error_states_)),
      receiver_thread_(
          std::make_unique<BCCThread_TA_Receiver>(*receiver_, connection_state_, *ini_, *field_settings_)),
      ppp_(std::make_unique<PPP>([this](uint32_t n) { return random_.below(n); })),
      stmf_(tree_, &dyn_obj_table_) {}

Quorvan::~Quorvan() {
    receiver_thread_->stop();
    serial_port_->close();
    outstanding_.clear();
}

std::string device_of_port(const std::string& name) {
    if (name.size() > 3 && name.compare(0, 3, "COM") == 0) {
        unsigned number = 0;
        bool digits = true;
        for (size_t i = 3; i < name.size() && digits; ++i) {
            digits = std::isdigit(static_cast<unsigned char>(name[i])) != 0 && number < 100000;
            number = number * 10 + static_cast<unsigned>(name[i] - '0');
        }
        if (digits && number >= 1) return "/dev/ttyS" + std::to_string(number - 1);
    }
    return name;
}

bool Quorvan::open_serial_port(const std::string& name, uint16_t baud) {
    try {
        serial_port_->close();
        serial_port_->open(device_of_port(name), baud, 8, 'N', 1);
        serial_port_->set_dtr(true);
        serial_port_->set_rts(true);
        serial_port_->set_timeouts();
        return true;
    } catch (const Throwable&) {
        serial_port_->close();
        return false;
    }
}

int32_t Quorvan::Init(int32_t role, const char* port, uint16_t baud) {
    random_.seed(static_cast<uint32_t>(std::time(nullptr)));
    outstanding_.clear();
    error_states_.clear();
    ini_->Load();  // a missing file keeps the current settings
    {
        std::lock_guard hold(link_lock());
        ppp_->set_secret(ini_->ppp_info());
    }
    ini_->set_role(role);
    if (port != nullptr && port[0] == '\0') return 0;  // a caller that does not use the line
    if (port != nullptr) {
        ini_->set_connection_type(connection::kSerial);
        ini_->set_port_name(port);
        if (baud != 0) ini_->set_baud(baud);
    }
    if (ini_->connection_type() != connection::kSerial) return 0;
    receiver_thread_->suspend();
    const bool opened = open_serial_port(ini_->port_name(), ini_->baud());
    receiver_thread_->resume();
    return opened ? 0 : -1;
}

int32_t Quorvan::StartReceiverThread(QV_DisplayCallback display, QV_StatusCallback status) {
    try {
        receiver_->set_stmf(&stmf_);
        receiver_thread_->start(display, status, *serial_port_);
        SetReceiverHandle(reinterpret_cast<void*>(receiver_thread_->handle()));
        return 0;
    } catch (const Throwable&) {
        return -1;
    }
}
