#include "cli/modem_command.h"

#include <cinttypes>
#include <cstdio>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>

#include "cli/display_sink.h"
#include "cli/line_commands.h"
#include "cli/ppp_command.h"
#include "quorvan.h"

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;

int32_t configured_connection = QV_CONNECTION_SERIAL;

// The modem's messages, each on a line as "title: text"; a pause of the
// dial goes on after a line of standard input (or at its end).
int32_t show_modem_notice(const char* title, const char* text) {
    std::printf("%s: %s\n", title, text);
    std::fflush(stdout);
    if (std::string(title) == "Dialing Paused") {
        std::string line;
        std::getline(std::cin, line);
    }
    return 0;
}

// One step of the dial command; false when it failed or is not understood.
// `hang_up` is set by the step that ends the call.
bool run_step(const Cli_Options& options, const std::string& line, bool& hang_up) {
    std::istringstream words(line);
    std::string step;
    if (!(words >> step) || step[0] == '#') return true;
    if (step == "hangup") {
        hang_up = true;
        return true;
    }
    if (step == "sleep") {
        int ms = 0;
        if (!(words >> ms) || ms < 0) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return true;
    }
    if (step != "get" && step != "getnext" && step != "set") return false;
    Cli_Options request = options;
    request.command = step;
    request.arguments.clear();
    for (std::string argument; words >> argument;) request.arguments.push_back(argument);
    if (request.arguments.empty()) return false;
    const int status = send_request(request);
    std::fflush(stdout);
    return status == kExitSuccess;
}

}  // namespace

bool open_modem_line(const Cli_Options& options, int32_t role) {
    if (Init("", static_cast<uint16_t>(options.baud), nullptr, role, nullptr, nullptr, 0) != 0) return false;
    int32_t configured_role = 0;
    GetModes(&configured_connection, &configured_role);
    SetModes(QV_CONNECTION_MODEM, role);
    SetModemOptions(options.modem_init.c_str(), options.modem_dials.c_str(), options.modem_wait_ms, 0, 0,
                    options.modem_guard_ms);
    uint16_t baud = 0;
    uint16_t time_out = 0;
    char port[QV_PORT_NAME_SIZE] = "";
    GetParams(&baud, port, &time_out);
    if (options.baud > 0) baud = static_cast<uint16_t>(options.baud);
    if (options.timeout > 0) time_out = static_cast<uint16_t>(options.timeout);
    return SetRunParams(baud, options.port.c_str(), time_out) == 0;
}

void end_modem_line() {
    int32_t type = 0;
    int32_t role = 0;
    GetModes(&type, &role);
    SetModes(configured_connection, role);
}

int run_dial(const Cli_Options& options) {
    const auto finish = [](int status) {
        std::fflush(stdout);
        end_modem_line();
        Shutdown();
        return status;
    };
    if (!start_station(options, QV_ROLE_CENTRAL)) return finish(kExitFailure);
    prepare_ppp_link(options);
    SetModemNotice(show_modem_notice);
    SetModemComm(options.arguments.front().c_str(), nullptr);
    StartReceiverThread(show_line_activity, nullptr);
    std::printf("Dialing %s\n", options.arguments.front().c_str());
    std::fflush(stdout);
    if (DialupConnect() != 1) {
        std::printf("Not connected\n");
        return finish(kExitFailure);
    }
    std::printf("Connected\n");
    if (options.ppp) {
        show_line_activity(QV_TEXT_DIALUP_PPP);
        show_line_activity(QV_TEXT_PPP_STARTING);
        uint16_t baud = 0;
        uint16_t time_out = 0;
        char port[QV_PORT_NAME_SIZE] = "";
        GetParams(&baud, port, &time_out);
        if (!open_ppp_link(time_out)) {
            DialupHangUp();
            return finish(kExitFailure);
        }
    }
    int status = kExitSuccess;
    bool hang_up = false;
    for (std::string line; !hang_up && std::getline(std::cin, line);) {
        if (!run_step(options, line, hang_up)) status = kExitFailure;
        if (GetConnectionState() != 1) {
            std::printf("The call has ended\n");
            status = kExitFailure;
            break;
        }
    }
    DialupHangUp();
    std::printf("Hung up\n");
    return finish(status);
}
