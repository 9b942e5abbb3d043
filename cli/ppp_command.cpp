#include "cli/ppp_command.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>

#include "cli/display_sink.h"
#include "cli/line_commands.h"
#include "quorvan.h"

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr auto kPoll = std::chrono::milliseconds(20);

// The engine's text for a link code.
std::string link_text(int32_t kind, int32_t value) {
    char* text = GetLinkText(kind, value);
    std::string out = text != nullptr ? text : "";
    std::free(text);
    return out;
}

void show_link() {
    const int32_t state = GetLinkState();
    const int32_t phase = GetLinkPhase();
    const int32_t event = GetLinkEvent();
    const auto line = [](const char* label, int32_t kind, int32_t value) {
        return std::string(label) + ": " + std::to_string(value) + " " + link_text(kind, value) + "\n";
    };
    show_result(line("state", QV_LINK_TEXT_STATE, state) + line("phase", QV_LINK_TEXT_PHASE, phase) +
                line("event", QV_LINK_TEXT_EVENT, event));
}

void show_code(int32_t result) { show_result("result: " + std::to_string(result) + "\n"); }

// The phase whose text the name is; -1 for none.
int32_t phase_by_name(const std::string& name) {
    for (int32_t phase = 0; phase < 16; ++phase) {
        const std::string text = link_text(QV_LINK_TEXT_PHASE, phase);
        if (text.empty()) break;
        if (text == name) return phase;
    }
    return -1;
}

bool wait_for_phase(int32_t phase, int seconds) {
    const auto limit = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
    while (GetLinkPhase() != phase) {
        if (std::chrono::steady_clock::now() >= limit) return false;
        std::this_thread::sleep_for(kPoll);
    }
    return true;
}

// "options KEY=VALUE...": the current set with the keys changed.
bool set_options(std::istringstream& words) {
    uint32_t mru = 0, auth = 0, quality = 0, magic = 0, reserved = 0, fcs = 0;
    uint8_t pfc = 0, acfc = 0, pad = 0, numbered = 0, callback = 0, further = 0;
    char* map_text = nullptr;
    GetLCPOptions(&mru, &map_text, &auth, &quality, &magic, &pfc, &acfc, &reserved, &fcs, &pad, &numbered, &callback,
                  &further);
    std::string map = map_text != nullptr ? map_text : "";
    std::free(map_text);
    std::string pair;
    while (words >> pair) {
        const size_t equals = pair.find('=');
        if (equals == std::string::npos) return false;
        const std::string key = pair.substr(0, equals);
        const std::string value = pair.substr(equals + 1);
        char* end = nullptr;
        const unsigned long number = std::strtoul(value.c_str(), &end, 0);
        const bool numeric = !value.empty() && *end == '\0';
        if (key == "map") {
            map = value;
        } else if (!numeric) {
            return false;
        } else if (key == "mru") {
            mru = static_cast<uint32_t>(number);
        } else if (key == "auth") {
            auth = static_cast<uint32_t>(number);
        } else if (key == "quality") {
            quality = static_cast<uint32_t>(number);
        } else if (key == "magic") {
            magic = static_cast<uint32_t>(number);
        } else if (key == "pfc") {
            pfc = static_cast<uint8_t>(number);
        } else if (key == "acfc") {
            acfc = static_cast<uint8_t>(number);
        } else {
            return false;
        }
    }
    SetLCPOptions(mru, map.c_str(), auth, quality, magic, pfc, acfc, reserved, fcs, pad, numbered, callback, further);
    return true;
}

// One step; false when it is not understood or does not hold.
bool run_step(const std::string& line) {
    std::istringstream words(line);
    std::string step;
    if (!(words >> step) || step[0] == '#') return true;
    std::string rest;
    std::getline(words >> std::ws, rest);
    std::istringstream args(rest);
    if (step == "start") return StartPPP(show_line_activity) == 0;
    if (step == "event") {
        show_code(DoPPPEventT(rest.c_str(), 0, show_line_activity));
        return true;
    }
    if (step == "set-event") {
        show_code(SetPPPEventT(rest.c_str(), 0));
        return true;
    }
    if (step == "raw") {
        std::string name;
        int identifier = -1;
        if (!(args >> name >> identifier) || identifier < 0 || identifier > 255) return false;
        char* frame = nullptr;
        const int32_t result = SendLCPRawMessage(name.c_str(), &frame, static_cast<uint8_t>(identifier), show_line_activity);
        show_result(std::string("frame: ") + (frame != nullptr ? frame : "") + "\n");
        std::free(frame);
        return result == 0;
    }
    if (step == "auth") {
        show_code(Authenticate(show_line_activity));
        return true;
    }
    if (step == "secret") return SetPPPInfo(rest.c_str()) == 0;
    if (step == "options") return set_options(args);
    if (step == "show") {
        show_link();
        return true;
    }
    if (step == "wait") {
        std::string name;
        int seconds = 0;
        if (!(args >> seconds) || !std::getline(args >> std::ws, name)) return false;
        const int32_t phase = phase_by_name(name);
        if (phase < 0) return false;
        const bool reached = wait_for_phase(phase, seconds);
        if (!reached) show_result("phase " + name + " not reached\n");
        return reached;
    }
    if (step == "sleep") {
        int ms = 0;
        if (!(args >> ms) || ms < 0) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(ms));
        return true;
    }
    return false;
}

}  // namespace

void prepare_ppp_link(const Cli_Options& options) {
    SetLinkType(QV_LINK_PPP);
    if (options.secret_given) {
        SetPPPInfo(options.secret.c_str());
    } else {
        char* info = nullptr;
        GetPPPInfo(&info);  // gives the configured secret to the link
        std::free(info);
    }
    if (options.restart_ms > 0) SetPPPRestartTimer(static_cast<uint32_t>(options.restart_ms));
}

bool open_ppp_link(int seconds) {
    StartPPP(show_line_activity);
    constexpr int32_t kNetwork = 3;
    if (wait_for_phase(kNetwork, seconds)) return true;
    std::fflush(stdout);
    std::fprintf(stderr, "quorvan-cli: the PPP link did not reach the Network phase: %s, %s\n",
                 link_text(QV_LINK_TEXT_STATE, GetLinkState()).c_str(),
                 link_text(QV_LINK_TEXT_PHASE, GetLinkPhase()).c_str());
    return false;
}

int run_ppp(const Cli_Options& options) {
    int status = kExitFailure;
    if (start_station(options, QV_ROLE_CENTRAL)) {
        prepare_ppp_link(options);
        if (StartReceiverThread(show_line_activity, nullptr) == 0) {
            status = kExitSuccess;
            std::string line;
            while (std::getline(std::cin, line)) {
                const bool held = run_step(line);
                std::fflush(stdout);
                if (!held) {
                    std::fprintf(stderr, "quorvan-cli: ppp step failed: %s\n", line.c_str());
                    status = kExitFailure;
                    break;
                }
            }
        }
    }
    std::fflush(stdout);
    Shutdown();
    return status;
}
