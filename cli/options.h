// The command line of quorvan-cli.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct Cli_Options {
    std::string workdir;  // empty: the current directory
    std::string command;
    std::vector<std::string> arguments;
    bool help = false;
};

extern const char* const kUsage;

// Nothing (after writing the reason to err) when the command line is not usable.
std::optional<Cli_Options> parse_options(int argc, char** argv, std::string& error);
