// The command line of quorvan-cli.
#pragma once

#include <optional>
#include <string>
#include <vector>

struct Cli_Options {
    std::string workdir;  // empty: the current directory
    std::string command;
    std::vector<std::string> arguments;  // NAME|OID for info; OBJECT[=VALUE] for requests; FILE for macro
    bool help = false;

    // compile
    std::string output;  // empty: Mibi.out
    std::string errors;  // empty: Errors.out

    // The line commands.
    std::string port;
    int baud = 0;  // 0: the configured baud
    std::string inject;
    int count = 0;
    std::string owner;  // dynobj define: the owner text
    std::string community = "Orchid";
    bool community_given = false;  // field: answer this community only
    int drop = 1;
    bool group = false;
    bool stmp = false;
    int dynobj = 0;
    int timeout = 0;  // 0: the configured time-out
    bool ppp = false;           // --link ppp: PPP over the serial line
    std::string secret;         // the CHAP secret; empty: the configured one
    bool secret_given = false;
    int restart_ms = 0;         // the PPP restart timer; 0: the station's own

    // The modem (dial, field --modem): its settings; 0 or empty keeps the station's own.
    bool modem = false;
    std::string modem_init;
    std::string modem_dials;  // the dial modifiers the modem dials itself
    int modem_wait_ms = 0;
    int modem_guard_ms = 0;

    // The macro command.
    std::string input;   // answers to the script's prompts, one a line; empty: the terminal
    std::string report;  // JUnit XML of the script's verdicts; empty: none
};

extern const char* const kUsage;

// Nothing (with the reason in error) when the command line is not usable.
std::optional<Cli_Options> parse_options(int argc, char** argv, std::string& error);
