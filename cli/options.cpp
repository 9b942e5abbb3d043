#include "cli/options.h"

#include <charconv>
#include <string_view>

#include "cli/injection_list.h"

const char* const kUsage =
    "usage: quorvan-cli [--workdir DIR] COMMAND [OPTIONS] [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  compile FILE [--output FILE] [--errors FILE]\n"
    "                  compile MIB modules (FILE may include others) into an\n"
    "                  Extended Mosy file (default Mibi.out), print the\n"
    "                  findings (default file Errors.out) and the result\n"
    "  load            load the working directory's MIB and report the result:\n"
    "                  compiled from Mibi when it is there, else Mibi.out\n"
    "  tree            load, then print the tree: one node per line with its\n"
    "                  kind, name, dotted OID, [syntax] and access\n"
    "  info NAME|OID   load, then print what the engine knows of one node\n"
    "  field --port DEV [--baud N] [--community C] [--inject LIST] [--count N]\n"
    "                  be the field device on the port until SIGINT or SIGTERM;\n"
    "                  with --community, SNMP requests with another community\n"
    "                  are discarded unanswered (default: every one answered);\n"
    "                  LIST is a comma-separated subset of extra-byte,\n"
    "                  remove-byte, change-byte, edit, bad-crc, bad-control,\n"
    "                  bad-address, no-response; --count N clears them after N\n"
    "                  unanswered requests (0, the default: never). Lines read\n"
    "                  from standard input change them while it runs:\n"
    "                  \"inject LIST [COUNT]\" or \"inject none\".\n"
    "  get|getnext|set --port DEV [--baud N] [--community C] [--drop N] [--group]\n"
    "                  [--stmp] [--timeout S] OBJECT[=VALUE]...\n"
    "  get|set --stmp --dynobj N --port DEV [...] [VALUE...]\n"
    "                  read (get) or write (set, one VALUE per object) dynamic\n"
    "                  object N with STMP, its definition read from the device\n"
    "                  send one request as the central station and print its\n"
    "                  outcome; a VALUE written hex:41 42 is taken as octets\n"
    "  dynobj define N OBJECT... --port DEV [--owner TEXT] [--community C]\n"
    "                  [--drop N] [--group] [--timeout S]\n"
    "                  write dynamic object N (1..13) into the device with\n"
    "                  DynObjSync, wait for the answers, and list it\n"
    "  dynobj show N   load, then list dynamic object N as the tree holds it\n"
    "  dynobj load FILE --port DEV [--timeout S]\n"
    "                  write every definition of a .dyn file into the device\n"
    "  dynobj save FILE\n"
    "                  write the definitions kept in the working directory\n"
    "                  (by define and load) to a .dyn file\n"
    "  ppp --port DEV [--secret S] [--restart-ms N]\n"
    "                  drive the PPP link by hand as the central station: one\n"
    "                  step a line from standard input - start, event NAME\n"
    "                  (sends what it calls for), set-event NAME (sends\n"
    "                  nothing), raw NAME ID (an LCP packet: Configure-Request\n"
    "                  ... Discard-Request), auth, secret S, options KEY=VALUE...\n"
    "                  (mru map auth quality magic pfc acfc), show (state, phase\n"
    "                  and last event), wait SECONDS PHASE (Network ...), sleep MS\n"
    "  field --modem --port DEV [modem options] [--secret S] [...]\n"
    "                  be the field device on the Hayes modem at DEV: answer\n"
    "                  each call (RING, ATA), run PPP on it, and after the\n"
    "                  carrier drops wait for the next call\n"
    "  dial NUMBER --port DEV [--baud N] [--timeout S] [--link ppp] [--secret S]\n"
    "       [modem options]\n"
    "                  dial NUMBER on the Hayes modem at DEV as the central\n"
    "                  station; with --link ppp negotiate LCP and CHAP up to\n"
    "                  the Network phase; then one step a line from standard\n"
    "                  input - get|getnext|set OBJECT[=VALUE]..., sleep MS,\n"
    "                  hangup - and hang up at the end. A pause of the dial\n"
    "                  (\"Dialing Paused\") goes on after a line of input\n"
    "  macro FILE --port DEV [--baud N] [--timeout S] [--input ANSWERS]\n"
    "        [--report XML]\n"
    "                  run a macro script as the central station; its output\n"
    "                  goes to standard output and quorvanlog.txt, its prompts\n"
    "                  to the terminal or, with --input, are answered by the\n"
    "                  lines of ANSWERS in turn; --report writes the script's\n"
    "                  verdicts as JUnit XML\n"
    "\n"
    "Line options (field, get, getnext, set):\n"
    "  --link pmpp|ppp the framing of the serial line (default pmpp); with ppp\n"
    "                  a field device opens its side of the link at start, a\n"
    "                  request first negotiates LCP and CHAP up to the Network\n"
    "                  phase, and the messages travel as PPP protocol 0x00C1\n"
    "  --secret S      the CHAP secret (default: the configured PPP information)\n"
    "  --restart-ms N  the LCP restart timer in milliseconds (default 30000)\n"
    "\n"
    "Modem options (dial, field --modem):\n"
    "  --init TEXT     the initialisation string (default ATE0V1Q0&D2)\n"
    "  --dials MODS    the dial modifiers of W w @ $ the modem dials itself\n"
    "                  (default Ww@; - for none); the station pauses at the\n"
    "                  others, and always at ?\n"
    "  --wait-ms N     the modem's wait step (default 3000; a dial waits 30\n"
    "                  steps for CONNECT, an answer 10)\n"
    "  --guard-ms N    the silence around the escape +++ (default 1100)\n"
    "\n"
    "Options:\n"
    "  --workdir DIR   the station's working directory (default: the current one)\n"
    "  --help          print this text\n"
    "\n"
    "Exit status: 0 on success, 1 when the call fails (for a request: an error\n"
    "flag, or an SNMP error status from the device; for a macro: the script did\n"
    "not parse, stopped on an error or recorded a failed verdict), 2 for a usage\n"
    "error.\n";

namespace {

struct Command_Shape {
    std::string_view name;
    size_t least_arguments;
    size_t most_arguments;
    bool line;  // sends or answers on a port
};

constexpr Command_Shape kCommands[] = {
    {"load", 0, 0, false}, {"compile", 1, 1, false}, {"tree", 0, 0, false}, {"info", 1, 1, false}, {"field", 0, 0, true},
    {"get", 0, 26, true},  {"getnext", 1, 26, true}, {"set", 0, 26, true},     {"macro", 1, 1, true}, {"ppp", 0, 0, true},
    {"dial", 1, 1, true},
    {"dynobj", 2, 28, false},
};

bool read_number(std::string_view text, int& value) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    return error == std::errc() && end == text.data() + text.size();
}

}  // namespace

std::optional<Cli_Options> parse_options(int argc, char** argv, std::string& error) {
    Cli_Options options;
    std::vector<std::string_view> words(argv + 1, argv + argc);
    size_t i = 0;
    auto value_of = [&](std::string_view option, std::string& out) {
        if (i + 1 >= words.size()) {
            error = std::string(option) + " needs a value";
            return false;
        }
        out = std::string(words[++i]);
        return true;
    };
    auto number_of = [&](std::string_view option, int& out, int least, int most) {
        std::string text;
        if (!value_of(option, text)) return false;
        if (!read_number(text, out) || out < least || out > most) {
            error = std::string(option) + " needs a number from " + std::to_string(least) + " to " +
                    std::to_string(most);
            return false;
        }
        return true;
    };

    for (; i < words.size(); ++i) {
        const std::string_view word = words[i];
        if (word == "--help" || word == "-h") {
            options.help = true;
            return options;
        }
        bool ok = true;
        if (word == "--workdir") {
            ok = value_of(word, options.workdir);
        } else if (word == "--output") {
            ok = value_of(word, options.output);
        } else if (word == "--errors") {
            ok = value_of(word, options.errors);
        } else if (word == "--port") {
            ok = value_of(word, options.port);
        } else if (word == "--baud") {
            ok = number_of(word, options.baud, 1, 65535);
        } else if (word == "--inject") {
            ok = value_of(word, options.inject);
        } else if (word == "--count") {
            ok = number_of(word, options.count, 0, 1000000);
        } else if (word == "--community") {
            ok = value_of(word, options.community);
            options.community_given = true;
        } else if (word == "--drop") {
            ok = number_of(word, options.drop, 0, 8191);
        } else if (word == "--group") {
            options.group = true;
        } else if (word == "--stmp") {
            options.stmp = true;
        } else if (word == "--dynobj") {
            ok = number_of(word, options.dynobj, 1, 13);
        } else if (word == "--owner") {
            ok = value_of(word, options.owner);
        } else if (word == "--timeout") {
            ok = number_of(word, options.timeout, 1, 65535);
        } else if (word == "--link") {
            std::string link;
            ok = value_of(word, link);
            if (ok && link != "ppp" && link != "pmpp") {
                error = "--link needs pmpp or ppp";
                return std::nullopt;
            }
            options.ppp = link == "ppp";
        } else if (word == "--secret") {
            ok = value_of(word, options.secret);
            options.secret_given = true;
        } else if (word == "--restart-ms") {
            ok = number_of(word, options.restart_ms, 1, 3600000);
        } else if (word == "--modem") {
            options.modem = true;
        } else if (word == "--init") {
            ok = value_of(word, options.modem_init);
        } else if (word == "--dials") {
            ok = value_of(word, options.modem_dials);
        } else if (word == "--wait-ms") {
            ok = number_of(word, options.modem_wait_ms, 1, 600000);
        } else if (word == "--guard-ms") {
            ok = number_of(word, options.modem_guard_ms, 1, 60000);
        } else if (word == "--input") {
            ok = value_of(word, options.input);
        } else if (word == "--report") {
            ok = value_of(word, options.report);
        } else if (word.substr(0, 2) == "--") {
            error = "unknown option " + std::string(word);
            return std::nullopt;
        } else if (options.command.empty()) {
            options.command = std::string(word);
        } else {
            options.arguments.emplace_back(word);
        }
        if (!ok) return std::nullopt;
    }
    if (options.command.empty()) {
        error = "no command given";
        return std::nullopt;
    }
    if (options.command == "dial") options.modem = true;
    for (const auto& shape : kCommands) {
        if (shape.name != options.command) continue;
        if (options.arguments.size() < shape.least_arguments || options.arguments.size() > shape.most_arguments) {
            error = shape.most_arguments == 0 ? options.command + " takes no arguments"
                    : shape.name == "info"    ? std::string("info needs exactly one NAME or OID")
                    : shape.name == "macro"   ? std::string("macro needs exactly one FILE")
                    : shape.name == "compile" ? std::string("compile needs exactly one FILE")
                    : shape.name == "dial"    ? std::string("dial needs exactly one NUMBER")
                    : shape.name == "dynobj"  ? std::string("dynobj needs define N OBJECT... or show N")
                                              : options.command + " needs from 1 to 26 OBJECT[=VALUE]";
            return std::nullopt;
        }
        if ((shape.name == "get" || shape.name == "set") && options.arguments.empty() && options.dynobj == 0) {
            error = options.command + " needs from 1 to 26 OBJECT[=VALUE]";
            return std::nullopt;
        }
        if (shape.line && options.port.empty()) {
            error = options.command + " needs --port DEV";
            return std::nullopt;
        }
        std::string unknown;
        if (!parse_injection_list(options.inject, unknown)) {
            error = "unknown error to inject: " + unknown;
            return std::nullopt;
        }
        if (options.command != "set" && options.command != "macro" && options.command != "dynobj") {
            for (const auto& argument : options.arguments) {
                if (shape.line && argument.find('=') != std::string::npos) {
                    error = "only set takes OBJECT=VALUE";
                    return std::nullopt;
                }
            }
        }
        return options;
    }
    error = "unknown command " + options.command;
    return std::nullopt;
}
