#include "engine/quorvan_engine.h"

#include <cctype>
#include <random>

#include "base/throwable.h"
#include "engine/c_records.h"
#include "engine/c_text.h"
#include "engine/inside_engine.h"
#include "transport/net_endpoint.h"

Quorvan::Quorvan() : ini_(std::make_unique<IniFile>()) { settings_changed(); }

Quorvan::~Quorvan() = default;

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

void Quorvan::settings_changed() {
    Receiver_Settings settings;
    settings.connection_type = connection_type();
    settings.port_name = ini_->port_name();
    settings.role = static_cast<Role>(ini_->role());
    settings.time_out_seconds = ini_->time_out();
    settings.serial_link = serial_link_;
    line_.set_settings(settings);
}

int32_t Quorvan::Init(int32_t role, const char* port, uint16_t baud) {
    // Not the clock: two stations started in the same second would send the
    // same CHAP challenges and make the same injection choices.
    line_.seed(std::random_device{}());
    book_.clear();
    ini_->Load();  // a missing file keeps the current settings
    ini_->set_role(role);
    settings_changed();
    line_.modem().set_number(ini_->modem_number());
    if (port != nullptr && port[0] == '\0') return 0;  // a caller that does not use the line
    if (port != nullptr) {
        // A port given to Init is for this run: the saved configuration
        // (a modem, another port) stays as the file has it.
        const Connection_Type type = names_network_line(port) ? Connection_Type::network : Connection_Type::serial;
        ini_->set_connection_type(static_cast<int32_t>(type), IniFile::Keep::this_run);
        ini_->set_port_name(port, IniFile::Keep::this_run);
        if (baud != 0) ini_->set_baud(baud, IniFile::Keep::this_run);
        settings_changed();
    }
    if (connection_type() == Connection_Type::network)
        return line_.open_network(ini_->port_name(), static_cast<Role>(ini_->role())) ? 0 : -1;
    if (connection_type() == Connection_Type::modem) {
        line_.use_modem(device_of_port(ini_->port_name()), ini_->baud());
        return 0;
    }
    if (connection_type() != Connection_Type::serial) return 0;
    return line_.open_serial_port(device_of_port(ini_->port_name()), ini_->baud()) ? 0 : -1;
}

int32_t Quorvan::StartReceiverThread(QV_DisplayCallback display, QV_StatusCallback status) {
    try {
        settings_changed();
        Display to_display;
        if (display != nullptr)
            to_display = [display](const std::string& text) {
                Inside_Engine inside;
                display(text.c_str());
            };
        Status_Report to_status;
        if (status != nullptr)
            to_status = [status](const Line_Status& line) {
                Inside_Engine inside;
                status(static_cast<int32_t>(line.connection_type), static_cast<int32_t>(line.connection_state), line.link_state, line.link_phase,
                       line.port_text.c_str(), 0, 0, 0, line.seconds_remaining);
            };
        line_.start_receiver(mib_.stmf(), std::move(to_display), std::move(to_status));
        return 0;
    } catch (const Throwable&) {
        return -1;
    }
}

int32_t Quorvan::GetNodeInfo(const char* name, Node_Info& info) const {
    const std::optional<Node_Facts> facts = mib_.node_facts(name);
    if (!facts) return -1;
    fill_node_info(*facts, info);
    return facts->result;
}

void Quorvan::GetNodeObjects(const char* name, char** objects) const {
    if (objects == nullptr) return;
    if (const auto text = mib_.node_objects(name)) *objects = c_text(*text);
}

int32_t Quorvan::GetNextInstance(const char* name, char** next) const {
    if (next == nullptr) return -1;
    const auto text = mib_.next_instance(name);
    if (!text) return -1;
    *next = c_text(*text);
    return 0;
}

int32_t Quorvan::GetObjectIndex(const char* name, uint8_t* count, char** names, uint16_t* counts) const {
    if (count == nullptr || names == nullptr || *names == nullptr || counts == nullptr) return -1;
    const auto index = mib_.column_index(name, QV_MAX_INDEX_LEVELS);
    if (!index) return -1;
    fill_column_index(*index, *count, *names, counts);
    return 0;
}

int32_t Quorvan::GetTreeListing(char** listing) const {
    if (listing == nullptr) return -1;
    const auto text = mib_.tree_listing();
    if (!text) return -1;
    *listing = c_text(*text);
    return 0;
}

int32_t Quorvan::GetDynObjList(int32_t number, char* names, char* owners, char* values, uint8_t* syntaxes,
                               int32_t* count) const {
    if (names == nullptr || owners == nullptr || values == nullptr || syntaxes == nullptr || count == nullptr)
        return -1;
    const auto listing = mib_.dyn_obj_list(number, QV_MAX_DYN_ENTRIES);
    if (!listing) return -1;
    fill_dyn_obj_list(*listing, names, owners, values, syntaxes);
    *count = static_cast<int32_t>(listing->value_types.size());
    return *count;
}
