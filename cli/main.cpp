// quorvan-cli: the station without windows, on the engine's C interface.
#include <unistd.h>

#include <cerrno>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>

#include "cli/dynobj_commands.h"
#include "cli/engine_text.h"
#include "cli/line_commands.h"
#include "cli/ppp_command.h"
#include "cli/macro_command.h"
#include "cli/modem_command.h"
#include "cli/mib_source.h"
#include "cli/options.h"
#include "quorvan.h"

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

// Frees a text the engine handed over.
// Loads the working directory's MIB (compiled from "Mibi" when it is there,
// else the compiled "Mibi.out"); prints why when it fails.
int32_t load_tree() {
    char output_name[32] = "Mibi.out";
    const int32_t result = CompileMIB(kMibSource, output_name, kMibErrors, mib_compile_flag());
    // The engine's own lines about the load do not end in a line feed.
    std::printf("\n");
    if (result != 0) {
        Engine_Text error{GetCompileError()};
        if (error.text != nullptr) {
            std::printf("error: %s\n", error.text);
        } else if (result > 1) {
            std::printf("error: the MIB compiler failed; its findings (%s):\n", kMibErrors);
            std::fputs(file_text(kMibErrors).c_str(), stdout);
        } else {
            std::printf("error: the MIB output could not be read or substituted (Mibi.out)\n");
        }
    }
    return result;
}

// The compiler alone: prints the error file and the result.
int command_compile(const Cli_Options& options) {
    const std::string output = options.output.empty() ? kMibOutput : options.output;
    const std::string errors = options.errors.empty() ? kMibErrors : options.errors;
    const int32_t result = RunMIBCompiler(options.arguments.front().c_str(), output.c_str(), errors.c_str());
    std::fputs(file_text(errors).c_str(), stdout);
    std::printf("result: %" PRId32 "\n", result);
    return result == 0 ? kExitSuccess : kExitFailure;
}

int command_load() {
    const int32_t result = load_tree();
    std::printf("result: %" PRId32 "\n", result);
    return result == 0 ? kExitSuccess : kExitFailure;
}

int command_tree() {
    const int32_t loaded = load_tree();
    if (loaded != 0) {
        std::printf("result: %" PRId32 "\n", loaded);
        return kExitFailure;
    }
    Engine_Text listing;
    if (GetTreeListing(&listing.text) != 0) {
        std::printf("the tree is empty\n");
        return kExitFailure;
    }
    std::fputs(listing.text, stdout);
    return kExitSuccess;
}

int command_info(const std::string& name) {
    const int32_t loaded = load_tree();
    if (loaded != 0) {
        std::printf("result: %" PRId32 "\n", loaded);
        return kExitFailure;
    }
    Node_Info info{};
    const int32_t result = GetNodeInfo(name.c_str(), &info);
    if (result == -1) {
        std::printf("error: no node is named or numbered %s\n", name.c_str());
    } else {
        std::printf("syntax: %s\n", info.syntax);
        std::printf("access: %s\n", info.access);
        std::printf("status: %s\n", info.status);
        std::printf("further: %s\n", info.further);
        std::printf("oid: %s\n", info.oid);
        std::printf("value: %s\n", info.value);
        std::printf("value_type: %u\n", static_cast<unsigned>(info.value_type));
        std::printf("instance: %s\n", info.instance);
        std::printf("name: %s\n", info.name);
        std::printf("neg_lower: %" PRId32 "\n", info.neg_lower);
        std::printf("neg_upper: %" PRId32 "\n", info.neg_upper);
        std::printf("lower: %" PRId32 "\n", info.lower);
        std::printf("upper: %" PRIu32 "\n", static_cast<uint32_t>(info.upper));
        for (char* text : {info.syntax, info.access, info.status, info.further, info.oid, info.value, info.name})
            std::free(text);
    }
    std::printf("result: %" PRId32 "\n", result);
    return result == -1 ? kExitFailure : kExitSuccess;
}

}  // namespace

int main(int argc, char** argv) {
    std::string error;
    auto options = parse_options(argc, argv, error);
    if (!options) {
        std::fprintf(stderr, "quorvan-cli: %s\n\n%s", error.c_str(), kUsage);
        return kExitUsage;
    }
    if (options->help) {
        std::fputs(kUsage, stdout);
        return kExitSuccess;
    }
    // The script, its answers and its report are named from where the command was given.
    if (options->command == "macro") {
        std::error_code ignored;
        for (std::string* path : {&options->arguments.front(), &options->input, &options->report})
            if (!path->empty()) *path = std::filesystem::absolute(*path, ignored).string();
    }
    if (!options->workdir.empty() && chdir(options->workdir.c_str()) != 0) {
        std::fprintf(stderr, "quorvan-cli: cannot use working directory %s: %s\n", options->workdir.c_str(),
                     std::strerror(errno));
        return kExitFailure;
    }

    if (options->command == "field") return run_field_device(*options);
    if (options->command == "ppp") return run_ppp(*options);
    if (options->command == "dial") return run_dial(*options);
    if (options->command == "macro") return run_macro(*options);
    if (options->command == "dynobj") return run_dynobj(*options);
    if (options->command == "get" || options->command == "getnext" || options->command == "set")
        return run_request(*options);

    // Role 0 keeps the role the configuration holds; these commands open no port.
    Init("", 0, nullptr, 0, nullptr, nullptr, 0);
    int status = kExitFailure;
    if (options->command == "load")
        status = command_load();
    else if (options->command == "compile")
        status = command_compile(*options);
    else if (options->command == "tree")
        status = command_tree();
    else if (options->command == "info")
        status = command_info(options->arguments.front());
    std::fflush(stdout);
    Shutdown();
    return status;
}
