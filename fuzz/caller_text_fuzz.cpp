// Names, dotted OIDs and value texts as callers hand them to the engine
// (a window, a macro, quorvan-cli's values and its "hex:" octets): looked up
// and set on the sample MIB's tree. Every call answers with its result code;
// none may read or write past what it was given.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/api_engine.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    start_sample_engine();
    // The name, a line feed, the value; one octet may pick a known name.
    const std::string input(reinterpret_cast<const char*>(data), size);
    const size_t split = input.find('\n');
    std::string name = input.substr(0, split);
    const std::string value = split == std::string::npos ? std::string() : input.substr(split + 1);
    static const char* const kKnown[] = {"demoInteger.0", "demoName.0",   "demoOctets.0",     "demoAddress.0",
                                         "demoOid.0",     "demoCounter.0", "demoSignalState.2", "demoPercent.0"};
    if (name.size() == 1) name = kKnown[static_cast<uint8_t>(name[0]) % std::size(kKnown)];

    SetInstanceValue(name.c_str(), value.c_str(), 0);
    Node_Info info{};
    if (GetNodeInfo(name.c_str(), &info) != -1) free_node_info(info);
    char* next = nullptr;
    if (GetNextInstance(name.c_str(), &next) == 0) std::free(next);
    char* objects = nullptr;
    GetNodeObjects(name.c_str(), &objects);
    std::free(objects);
    uint8_t count = 0;
    char names[QV_INDEX_NAMES_SIZE] = "";
    char* names_text = names;
    uint16_t counts[QV_INDEX_NAMES_SIZE] = {};
    GetObjectIndex(name.c_str(), &count, &names_text, counts);
    return 0;
}
