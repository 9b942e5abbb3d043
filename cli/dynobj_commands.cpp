#include "cli/dynobj_commands.h"

#include <charconv>
#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "cli/display_sink.h"
#include "cli/line_commands.h"
#include "quorvan.h"

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr int kExitUsage = 2;

bool dyn_number(const std::string& text, int32_t& number) {
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    return error == std::errc() && end == text.data() + text.size() && number >= 1 && number <= 13;
}

std::string cut_line(std::string& text) {
    const size_t end = text.find('\n');
    std::string line = text.substr(0, end);
    text = end == std::string::npos ? std::string() : text.substr(end + 1);
    return line;
}

struct Dyn_Listing {
    int32_t rows = -1;
    std::vector<std::string> names, owners, values;
    std::vector<uint8_t> types;
};

Dyn_Listing listing_of(int32_t number) {
    std::vector<char> names(QV_DYN_TEXT_SIZE), owners(QV_DYN_TEXT_SIZE), values(QV_DYN_TEXT_SIZE);
    std::vector<uint8_t> types(QV_MAX_DYN_ENTRIES);
    int32_t count = 0;
    Dyn_Listing listing;
    listing.rows = GetDynObjList(number, names.data(), owners.data(), values.data(), types.data(), &count);
    std::string name_text = names.data(), owner_text = owners.data(), value_text = values.data();
    for (int32_t k = 0; k < listing.rows; ++k) {
        listing.names.push_back(cut_line(name_text));
        listing.owners.push_back(cut_line(owner_text));
        listing.values.push_back(cut_line(value_text));
        listing.types.push_back(types[static_cast<size_t>(k)]);
    }
    return listing;
}

// The definition as the tree holds it: one line per object, its owner and value.
int show(int32_t number) { return print_dyn_obj(number) >= 0 ? kExitSuccess : kExitFailure; }

}  // namespace

int32_t print_dyn_obj(int32_t number) {
    const Dyn_Listing listing = listing_of(number);
    std::printf("dynamic object %" PRId32 ": %" PRId32 " objects\n", number, listing.rows);
    for (size_t k = 0; k < listing.names.size(); ++k)
        std::printf("  %s = %s (owner %s)\n", listing.names[k].c_str(), listing.values[k].c_str(),
                    listing.owners[k].c_str());
    std::fflush(stdout);
    return listing.rows;
}

bool learn_dyn_obj(const Cli_Options& options, int32_t number, std::vector<std::string>& names,
                   std::vector<uint8_t>& types) {
    // One Get per column keeps each message within one frame.
    for (const char* column : {"dynObjStatus", "dynObjVariable", "dynObjOwner"}) {
        std::vector<std::string> rows;
        for (int k = 1; k <= QV_MAX_OBJECTS / 2; ++k) {
            std::string name = std::string(column) + "." + std::to_string(number) + "." + std::to_string(k);
            Node_Info info{};
            if (GetNodeInfo(name.c_str(), &info) == -1) break;
            for (char* text : {info.syntax, info.access, info.status, info.further, info.oid, info.value, info.name})
                std::free(text);
            rows.push_back(std::move(name));
        }
        if (rows.empty()) return false;
        std::string protocol = "SNMP", class_name = "Class B", community = options.community;
        Message_Request request{};
        request.protocol = protocol.data();
        request.class_name = class_name.data();
        request.community = community.data();
        request.address = options.drop;
        request.group_address = options.group ? 1 : 0;
        request.get = 1;
        request.normal_snmp = 1;
        request.object_count = static_cast<int32_t>(rows.size());
        for (size_t k = 0; k < rows.size(); ++k) request.object_names[k] = rows[k].data();
        const int32_t id = SendData(&request, show_line_activity, nullptr, 1);
        if (id == -1) return false;
        char* message = nullptr;
        int32_t status = 0, index = 0;
        const int32_t result = GetError(id, &message, &status, &index);
        std::free(message);
        ClearErrorState(id);
        if (result != 0 || status != 0) return false;
    }
    const Dyn_Listing listing = listing_of(number);
    names = listing.names;
    types = listing.types;
    return listing.rows > 0;
}

namespace {

int define(const Cli_Options& options, int32_t number) {
    if (options.port.empty()) {
        std::fprintf(stderr, "quorvan-cli: dynobj define needs --port DEV\n");
        return kExitUsage;
    }
    if (!start_station(options, QV_ROLE_CENTRAL)) {
        Shutdown();
        return kExitFailure;
    }
    StartReceiverThread(show_line_activity, nullptr);
    std::vector<std::string> names(options.arguments.begin() + 2, options.arguments.end());
    std::string protocol = "SNMP", class_name = "Class B", community = options.community, owner = options.owner;
    Message_Request request{};
    request.protocol = protocol.data();
    request.class_name = class_name.data();
    request.community = community.data();
    request.address = options.drop;
    request.group_address = options.group ? 1 : 0;
    request.dyn_obj_number = number;
    request.object_count = static_cast<int32_t>(names.size());
    for (size_t k = 0; k < names.size(); ++k) request.object_names[k] = names[k].data();
    request.values[0] = owner.data();

    int status = kExitFailure;
    if (DynObjKeepDefinition(&request) != 0) std::printf("The definition is past the limits of a .dyn file and is not kept\n");
    if (DynObjSync(&request, show_line_activity, nullptr) != 0) {
        std::printf("Error in DynObjSync()!\n");
    } else {
        // The last Set's answer makes the definition visible here too.
        char* message = nullptr;
        int32_t error_status = 0, index = 0;
        const int32_t result = GetError(request.request_id, &message, &error_status, &index);
        std::printf("result: %" PRId32 "\nmessage: %s\n", result, message != nullptr ? message : "");
        std::free(message);
        ClearErrorState(request.request_id);
        status = result == 0 && error_status == 0 ? show(number) : kExitFailure;
    }
    std::fflush(stdout);
    Shutdown();
    return status;
}

// Loads a .dyn file into the device, record by record.
int load(const Cli_Options& options, const std::string& path) {
    if (options.port.empty()) {
        std::fprintf(stderr, "quorvan-cli: dynobj load needs --port DEV\n");
        return kExitUsage;
    }
    if (!start_station(options, QV_ROLE_CENTRAL)) {
        Shutdown();
        return kExitFailure;
    }
    StartReceiverThread(show_line_activity, nullptr);
    const int32_t refused = DynObjLoadFile(path.c_str(), show_line_activity, nullptr);
    std::printf("result: %" PRId32 "\n", refused);
    std::fflush(stdout);
    Shutdown();
    return refused == 0 ? kExitSuccess : kExitFailure;
}

int save(const std::string& path) {
    Init("", 0, nullptr, 0, nullptr, nullptr, 0);
    const int32_t result = DynObjSaveFile(path.c_str());
    if (result != 0) std::printf("The dynamic object file %s could not be written\n", path.c_str());
    Shutdown();
    return result == 0 ? kExitSuccess : kExitFailure;
}

}  // namespace

int run_dynobj(const Cli_Options& options) {
    const std::vector<std::string>& words = options.arguments;
    if (words.size() == 2 && words[0] == "load") return load(options, words[1]);
    if (words.size() == 2 && words[0] == "save") return save(words[1]);
    int32_t number = 0;
    if (words.size() < 2 || !dyn_number(words[1], number) || (words[0] == "show" && words.size() != 2) ||
        (words[0] == "define" && words.size() < 3) || (words[0] != "show" && words[0] != "define")) {
        std::fprintf(stderr, "quorvan-cli: dynobj needs define N OBJECT... or show N (N from 1 to 13)\n");
        return kExitUsage;
    }
    if (words[0] == "define") return define(options, number);
    Init("", 0, nullptr, 0, nullptr, nullptr, 0);
    const int status = show(number);
    Shutdown();
    return status;
}
