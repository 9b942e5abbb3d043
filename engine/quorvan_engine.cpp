#include "engine/quorvan_engine.h"

#include <cctype>
#include <ctime>

#include "base/throwable.h"

Quorvan::Quorvan()
    : ini_(std::make_unique<IniFile>()),
      tree_(ISO_Tree::kTableConfigFile),
      serial_port_(std::make_unique<SP_Ovr>()),
      data_link_(std::make_unique<Data_Link_Layer>(random_)),
      sender_(std::make_unique<TA_Sender>(*serial_port_)),
      station_(std::make_unique<NTCIP_Station>(*sender_)),
      field_settings_(std::make_unique<Field_Device_Settings>()),
      error_injection_(std::make_unique<ErrorInjection>()),
      field_device_(std::make_unique<Field_Device>(*field_settings_, *error_injection_, *data_link_)),
      receiver_(std::make_unique<TA_Receiver>(*station_, *data_link_, *field_device_, outstanding_, error_states_)),
      receiver_thread_(std::make_unique<BCCThread_TA_Receiver>(*receiver_, connection_state_)),
      stmf_(tree_, &dynamic_objects_) {
    settings_changed();
}

void Quorvan::settings_changed() {
    Receiver_Settings settings;
    settings.connection_type = static_cast<Connection_Type>(ini_->connection_type());
    settings.port_name = ini_->port_name();
    settings.role = static_cast<Role>(ini_->role());
    settings.time_out_seconds = ini_->time_out();
    receiver_thread_->set_settings(settings);
}

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
    ini_->set_role(role);
    settings_changed();
    if (port != nullptr && port[0] == '\0') return 0;  // a caller that does not use the line
    if (port != nullptr) {
        ini_->set_connection_type(static_cast<int32_t>(Connection_Type::serial));
        ini_->set_port_name(port);
        if (baud != 0) ini_->set_baud(baud);
        settings_changed();
    }
    if (static_cast<Connection_Type>(ini_->connection_type()) != Connection_Type::serial) return 0;
    receiver_thread_->suspend();
    const bool opened = open_serial_port(ini_->port_name(), ini_->baud());
    receiver_thread_->resume();
    return opened ? 0 : -1;
}

int32_t Quorvan::StartReceiverThread(QV_DisplayCallback display, QV_StatusCallback status) {
    try {
        receiver_->set_stmf(&stmf_);
        settings_changed();
        Display to_display;
        if (display != nullptr) to_display = [display](const std::string& text) { display(text.c_str()); };
        Status_Report to_status;
        if (status != nullptr)
            to_status = [status](const Line_Status& line) {
                status(static_cast<int32_t>(line.connection_type), static_cast<int32_t>(line.connection_state), 0, 0, line.port_text.c_str(), 0, 0, 0,
                       line.seconds_remaining);
            };
        receiver_thread_->start(std::move(to_display), std::move(to_status), *serial_port_);
        SetReceiverHandle(reinterpret_cast<void*>(receiver_thread_->handle()));
        return 0;
    } catch (const Throwable&) {
        return -1;
    }
}
