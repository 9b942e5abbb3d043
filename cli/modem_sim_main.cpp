// quorvan-modem-sim: simulated Hayes modems on pseudo-terminals, joined by a
// simulated telephone exchange, so that a station can dial another station
// (or be dialled) without hardware.
//
// It prints "modem NUMBER PATH" for each modem and then "ready"; after that
// one line for each event on the exchange. Commands on standard input:
//   drop NUMBER               the carrier of that modem's call drops (both ends see NO CARRIER)
//   dial-tone NUMBER on|off   the modem's line has, or lacks, a dial tone
//   quit
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "cli/sim_exchange.h"
#include "cli/sim_terminal.h"

namespace {

constexpr const char* kUsage =
    "usage: quorvan-modem-sim [--ring-ms MS] [--rings N] [--dial-ms MS] [--connect-ms MS] [--rate BPS]\n"
    "                         [--cannot-dial MODIFIERS]\n"
    "                         [--auto-answer NUMBER]... [--no-dial-tone NUMBER]...\n"
    "                         [--busy NUMBER]... [--no-answer NUMBER]... NUMBER...\n"
    "  NUMBER              a modem on its own pseudo-terminal; it rings until ATA answers\n"
    "  --auto-answer N     a modem that answers on the first ring (S0=1)\n"
    "  --no-dial-tone N    a modem whose line has no dial tone\n"
    "  --busy N            a number that is always busy\n"
    "  --no-answer N       a number that rings and never answers\n"
    "  --cannot-dial MODS  the modems answer ERROR to a dial string with any of these (e.g. \"W@$\")\n";

// Sleep of the event loop when nothing happens: the resolution of the
// guard times and rings.
constexpr int kTickMs = 20;

struct Modem_Line {
    std::string number;
    Sim_Modem_Profile profile;
    bool dial_tone = true;
};

struct Options {
    Sim_Exchange_Settings exchange;
    std::vector<Modem_Line> modems;
    std::vector<std::pair<std::string, Sim_Exchange::Number_Kind>> numbers;
};

[[noreturn]] void usage_error(const std::string& why) {
    std::fprintf(stderr, "quorvan-modem-sim: %s\n%s", why.c_str(), kUsage);
    std::exit(2);
}

long count_argument(const std::string& option, const char* text) {
    char* end = nullptr;
    const long value = std::strtol(text, &end, 10);
    if (end == text || *end != '\0' || value < 0 || value > 3600000) usage_error("bad value for " + option);
    return value;
}

Options parse_options(int argc, char** argv) {
    Options options;
    Sim_Modem_Profile profile;
    std::vector<std::pair<std::string, int>> modem_args;  // number, 0 plain / 1 auto-answer / 2 no dial tone
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool takes_value = option.rfind("--", 0) == 0;
        if (takes_value && i + 1 >= argc) usage_error("missing value for " + option);
        const char* value = takes_value ? argv[i + 1] : nullptr;
        if (option == "--ring-ms")
            options.exchange.ring_interval = std::chrono::milliseconds(count_argument(option, value));
        else if (option == "--rings")
            options.exchange.rings_before_no_answer = static_cast<int>(count_argument(option, value));
        else if (option == "--connect-ms")
            options.exchange.connect_time = std::chrono::milliseconds(count_argument(option, value));
        else if (option == "--dial-ms")
            profile.dial_time = std::chrono::milliseconds(count_argument(option, value));
        else if (option == "--cannot-dial")
            profile.cannot_dial = value;
        else if (option == "--rate")
            profile.connect_rate = static_cast<unsigned>(count_argument(option, value));
        else if (option == "--auto-answer")
            modem_args.emplace_back(value, 1);
        else if (option == "--no-dial-tone")
            modem_args.emplace_back(value, 2);
        else if (option == "--busy")
            options.numbers.emplace_back(value, Sim_Exchange::Number_Kind::busy);
        else if (option == "--no-answer")
            options.numbers.emplace_back(value, Sim_Exchange::Number_Kind::no_answer);
        else if (takes_value)
            usage_error("unknown option " + option);
        else
            modem_args.emplace_back(option, 0);
        if (takes_value) ++i;
    }
    if (modem_args.empty()) usage_error("no modem");
    for (const auto& [number, kind] : modem_args) {
        if (Sim_Exchange::digits_of(number).empty()) usage_error("a number needs digits: " + number);
        Modem_Line line{number, profile, kind != 2};
        if (kind == 1) line.profile.auto_answer_rings = 1;
        options.modems.push_back(line);
    }
    return options;
}

void say(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

// One command from standard input; false for quit.
bool control(Sim_Exchange& exchange, const std::string& line) {
    std::istringstream words(line);
    std::string command, number, setting;
    words >> command >> number >> setting;
    if (command.empty()) return true;
    if (command == "quit") return false;
    if (command == "drop") {
        say(exchange.drop(number) ? "dropped " + number : "no call at " + number);
    } else if (command == "dial-tone" && (setting == "on" || setting == "off")) {
        say(exchange.set_dial_tone(number, setting == "on") ? "dial tone " + setting + " at " + number
                                                            : "no modem " + number);
    } else {
        say("unknown command: " + line);
    }
    return true;
}

int run(const Options& options) {
    sigset_t stop_signals;
    sigemptyset(&stop_signals);
    sigaddset(&stop_signals, SIGINT);
    sigaddset(&stop_signals, SIGTERM);
    sigprocmask(SIG_BLOCK, &stop_signals, nullptr);
    const int signals = signalfd(-1, &stop_signals, SFD_CLOEXEC);
    signal(SIGPIPE, SIG_IGN);

    Sim_Exchange exchange(options.exchange, say);
    for (const auto& [number, kind] : options.numbers) exchange.add_number(number, kind);
    std::vector<Sim_Modem*> modems;
    std::vector<std::unique_ptr<Sim_Terminal>> terminals;
    for (const Modem_Line& line : options.modems) {
        modems.push_back(&exchange.add_modem(line.number, line.profile));
        exchange.set_dial_tone(line.number, line.dial_tone);
        terminals.push_back(std::make_unique<Sim_Terminal>());
        say("modem " + modems.back()->number() + " " + terminals.back()->path());
    }
    say("ready");

    bool reading_input = true;
    std::string input;
    for (;;) {
        std::vector<pollfd> fds{{signals, POLLIN, 0}, {reading_input ? 0 : -1, POLLIN, 0}};
        for (const auto& terminal : terminals) fds.push_back({terminal->poll_descriptor(), POLLIN, 0});
        ::poll(fds.data(), fds.size(), kTickMs);
        const auto now = Sim_Clock::now();
        if (fds[0].revents & POLLIN) return 0;
        if (fds[1].revents & (POLLIN | POLLHUP)) {
            char chunk[512];
            const ssize_t n = ::read(0, chunk, sizeof chunk);
            if (n <= 0) reading_input = false;  // no more commands; run until a signal
            if (n > 0) input.append(chunk, static_cast<size_t>(n));
            for (size_t end; (end = input.find('\n')) != std::string::npos;) {
                const std::string line = input.substr(0, end);
                input.erase(0, end + 1);
                if (!control(exchange, line)) return 0;
            }
            if (input.size() > 4096) input.clear();
        }
        for (size_t i = 0; i < terminals.size(); ++i) {
            if (fds[2 + i].revents & POLLIN) modems[i]->from_terminal(terminals[i]->read(), now);
            if (terminals[i]->closed_now()) modems[i]->terminal_gone();
        }
        exchange.tick(now);
        for (size_t i = 0; i < terminals.size(); ++i) {
            modems[i]->tick(now);
            terminals[i]->write(modems[i]->take_output());
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    const Options options = parse_options(argc, argv);
    try {
        return run(options);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "quorvan-modem-sim: %s\n", error.what());
        return 1;
    }
}
