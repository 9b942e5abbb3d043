#include "cli/engine_text.h"
#include "cli/line_commands.h"
#include "cli/mib_source.h"

#include <pthread.h>
#include <signal.h>
#include <unistd.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>
#include <vector>

#include "cli/display_sink.h"
#include "cli/dynobj_commands.h"
#include "cli/injection_list.h"
#include "cli/modem_command.h"
#include "cli/ppp_command.h"
#include "quorvan.h"

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;

}  // namespace

namespace {

// Opens the port once: with the run's own time-out, when one is given, the
// port is opened by SetRunParams rather than by Init, and the settings file
// keeps its port and time-out.
bool open_line(const Cli_Options& options, int32_t role) {
    const bool own_time_out = options.timeout > 0;
    const char* port_at_init = own_time_out ? "" : options.port.c_str();
    bool opened = Init(port_at_init, static_cast<uint16_t>(options.baud), nullptr, role, nullptr, nullptr, 0) == 0;
    if (opened && own_time_out) {
        uint16_t baud = 0;
        uint16_t time_out = 0;
        char port[QV_PORT_NAME_SIZE] = "";
        GetParams(&baud, port, &time_out);
        if (options.baud > 0) baud = static_cast<uint16_t>(options.baud);
        opened = SetRunParams(baud, options.port.c_str(), options.timeout) == 0;
    }
    return opened;
}

}  // namespace

bool start_station(const Cli_Options& options, int32_t role) {
    const bool opened = options.modem ? open_modem_line(options, role) : open_line(options, role);
    if (!opened) {
        // Why, when the engine knows: in use, missing, not a terminal.
        Engine_Text reason{GetPortError()};
        if (reason.text != nullptr)
            std::fprintf(stderr, "quorvan-cli: cannot open the port %s: %s\n", options.port.c_str(), reason.text);
        else
            std::fprintf(stderr, "quorvan-cli: cannot open the port %s\n", options.port.c_str());
        return false;
    }
    char output_name[32] = "Mibi.out";
    const int32_t loaded = CompileMIB(kMibSource, output_name, kMibErrors, mib_compile_flag());
    if (loaded != 0) {
        Engine_Text error{GetCompileError()};
        std::fprintf(stderr, "\nquorvan-cli: the MIB could not be loaded: %s\n",
                     error.text != nullptr ? error.text
                     : loaded > 1      ? "the MIB compiler failed (see Errors.out)"
                                       : "the MIB output could not be read");
        if (loaded > 1) std::fputs(file_text(kMibErrors).c_str(), stderr);
        return false;
    }
    std::printf("\n");
    return true;
}

namespace {

bool apply_injection(const std::string& list, int count) {
    std::string unknown;
    const auto switches = parse_injection_list(list, unknown);
    if (!switches) {
        std::fprintf(stderr, "quorvan-cli: unknown error to inject: %s\n", unknown.c_str());
        return false;
    }
    const auto& s = *switches;
    SetFieldDeviceErrorMode(s[0], s[1], s[2], s[3], s[4], s[5], s[6], s[7], count);
    return true;
}

// "inject LIST [COUNT]" lines from standard input change the injection.
void read_control_lines() {
    std::string line;
    while (std::getline(std::cin, line)) {
        if (const std::optional<Inject_Line> inject = parse_inject_line(line)) {
            if (apply_injection(inject->list, inject->count)) std::printf("Injecting: %s\n", inject->list.c_str());
            std::fflush(stdout);
        }
    }
}

// The type of a value text, by the type the engine gives the object's
// value: numbers and identifiers as themselves, octets as characters, or as
// hex after "hex:".
uint8_t value_type_for(const std::string& object, std::string& value) {
    if (value.rfind("hex:", 0) == 0) {
        value.erase(0, 4);
        return QV_TYPE_OCTET_STRING;
    }
    Node_Info info{};
    uint8_t type = QV_TYPE_DISPLAY_TEXT;
    if (GetNodeInfo(object.c_str(), &info) != -1) {
        if (info.value_type == QV_TYPE_INTEGER || info.value_type == QV_TYPE_OBJECT_IDENTIFIER) type = info.value_type;
        for (char* text : {info.syntax, info.access, info.status, info.further, info.oid, info.value, info.name})
            std::free(text);
    }
    return type;
}

}  // namespace

int run_field_device(const Cli_Options& options) {
    // SIGINT and SIGTERM are waited for, not delivered.
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGINT);
    sigaddset(&stop_signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stop_signals, nullptr);

    int status = kExitFailure;
    const bool started = start_station(options, QV_ROLE_FIELD);
    if (started && options.community_given) SetFieldCommunity(options.community.c_str());
    // A modem's calls always carry PPP.
    if (started && (options.ppp || options.modem)) prepare_ppp_link(options);
    if (started && apply_injection(options.inject, options.count) &&
        StartReceiverThread(show_line_activity, nullptr) == 0) {
        std::printf("Field device answering on %s\n", options.port.c_str());
        std::fflush(stdout);
        std::thread(read_control_lines).detach();
        int signal_number = 0;
        sigwait(&stop_signals, &signal_number);
        std::printf("Field device stopped\n");
        status = kExitSuccess;
    }
    std::fflush(stdout);
    if (options.modem) end_modem_line();
    Shutdown();
    return status;
}

int run_request(const Cli_Options& options) {
    const auto finish = [](int status) {
        Shutdown();
        return status;
    };
    if (!start_station(options, QV_ROLE_CENTRAL)) return finish(kExitFailure);
    if (options.ppp) prepare_ppp_link(options);
    StartReceiverThread(show_line_activity, nullptr);
    if (options.ppp) {
        uint16_t baud = 0;
        uint16_t time_out = 0;
        char port[QV_PORT_NAME_SIZE] = "";
        GetParams(&baud, port, &time_out);
        if (!open_ppp_link(time_out)) return finish(kExitFailure);
    }

    return finish(send_request(options));
}

int send_request(const Cli_Options& options) {
    std::vector<std::string> names;
    std::vector<std::string> values;
    Message_Request request{};
    std::string protocol = options.stmp || options.dynobj != 0 ? "STMP" : "SNMP";
    std::string class_name = "Class B";
    std::string community = options.community;
    request.protocol = protocol.data();
    request.class_name = class_name.data();
    request.community = community.data();
    request.address = options.drop;
    request.group_address = options.group ? 1 : 0;
    request.get = options.command == "get";
    request.get_next = options.command == "getnext";
    request.set = options.command == "set";
    request.dynamic_object = options.dynobj != 0;
    request.dyn_obj_number = options.dynobj;
    if (options.dynobj != 0) {
        // The device's definition, read first, says what the values are.
        std::vector<uint8_t> types;
        if (!learn_dyn_obj(options, options.dynobj, names, types)) {
            std::printf("result: -1\nmessage: dynamic object %d is not defined in the device\n", options.dynobj);
            return kExitFailure;
        }
        values.assign(names.size(), "");
        if (options.command == "set") {
            if (options.arguments.size() != names.size()) {
                std::printf("result: -1\nmessage: dynamic object %d holds %zu objects\n", options.dynobj, names.size());
                return kExitFailure;
            }
            values = options.arguments;
        }
    } else {
        for (const std::string& argument : options.arguments) {
            const size_t equals = argument.find('=');
            names.push_back(argument.substr(0, equals));
            values.push_back(equals == std::string::npos ? "" : argument.substr(equals + 1));
        }
    }
    request.object_count = static_cast<int32_t>(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        request.value_types[i] = value_type_for(names[i], values[i]);
        request.object_names[i] = names[i].data();
        request.values[i] = values[i].data();
    }

    const int32_t id = SendData(&request, show_line_activity, nullptr, 1);
    int32_t result = -1;
    int32_t status = 0;
    Engine_Text message;
    Engine_Text value;
    if (id == -1) {
        message.text = strdup("the request could not be encoded or sent");
    } else {
        int32_t index = 0;
        result = GetError(id, &message.text, &status, &index);
        GetResponseValue(id, &value.text);
        ClearErrorState(id);
    }
    std::printf("result: %" PRId32 "\n", result);
    std::printf("message: %s\n", message.c_str());
    std::printf("value: %s\n", value.c_str());
    if (options.dynobj != 0 && id != -1) print_dyn_obj(options.dynobj);
    std::fflush(stdout);
    // A device that refused the request (an SNMP error status) answered
    // properly, but the request failed all the same.
    return result == 0 && status == 0 ? kExitSuccess : kExitFailure;
}
