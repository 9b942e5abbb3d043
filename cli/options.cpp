#include "cli/options.h"

#include <string_view>

const char* const kUsage =
    "usage: quorvan-cli [--workdir DIR] COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  load            load the working directory's MIB output (Mibi.out) and\n"
    "                  report the result\n"
    "  tree            load, then print the tree: one node per line with its\n"
    "                  kind, name, dotted OID, [syntax] and access\n"
    "  info NAME|OID   load, then print what the engine knows of one node\n"
    "\n"
    "Options:\n"
    "  --workdir DIR   the station's working directory (default: the current one)\n"
    "  --help          print this text\n"
    "\n"
    "Exit status: 0 on success, 1 when the call fails, 2 for a usage error.\n";

namespace {

struct Command_Shape {
    std::string_view name;
    size_t arguments;
};

constexpr Command_Shape kCommands[] = {{"load", 0}, {"tree", 0}, {"info", 1}};

}  // namespace

std::optional<Cli_Options> parse_options(int argc, char** argv, std::string& error) {
    Cli_Options options;
    int i = 1;
    for (; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
            return options;
        }
        if (arg == "--workdir") {
            if (i + 1 >= argc) {
                error = "--workdir needs a directory";
                return std::nullopt;
            }
            options.workdir = argv[++i];
            continue;
        }
        if (arg.substr(0, 10) == "--workdir=") {
            options.workdir = std::string(arg.substr(10));
            continue;
        }
        if (arg.substr(0, 2) == "--") {
            error = "unknown option " + std::string(arg);
            return std::nullopt;
        }
        break;
    }
    if (i >= argc) {
        error = "no command given";
        return std::nullopt;
    }
    options.command = argv[i++];
    for (; i < argc; ++i) options.arguments.emplace_back(argv[i]);

    for (const auto& shape : kCommands) {
        if (shape.name != options.command) continue;
        if (options.arguments.size() != shape.arguments) {
            error = options.command + (shape.arguments == 0 ? " takes no arguments"
                                                            : " needs exactly one NAME or OID");
            return std::nullopt;
        }
        return options;
    }
    error = "unknown command " + options.command;
    return std::nullopt;
}
