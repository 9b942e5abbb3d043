// Message_Request records as callers fill them (the send window, macros,
// quorvan-cli): any protocol, class and community text, any flags, any
// object count and names, any value texts and value types. EncodeData either
// encodes the request into frames or refuses it with -1; it never reads
// beyond the record's arrays nor past a text's end.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "fuzz/api_engine.h"

namespace {

const char* const kNames[] = {"demoInteger.0", "demoName.0",  "demoOctets.0",      "demoAddress.0", "demoOid.0",
                              "demoCounter.0", "demoMode.0", "demoSignalState.2", "demoPercent.0", "1.3.6.1.4.1.1206.4.2.99.1.1.0"};
const char* const kProtocols[] = {"SNMP", "STMP", "POLL"};

std::string pick_or_text(FuzzedDataProvider& input, const char* const* known, size_t known_count) {
    if (input.ConsumeBool()) return known[input.ConsumeIntegralInRange<size_t>(0, known_count - 1)];
    return input.ConsumeRandomLengthString(64);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    start_sample_engine();
    // A fresh outstanding list for each record: nothing here is ever answered.
    restart_sample_engine();
    FuzzedDataProvider input(data, size);
    std::string protocol = pick_or_text(input, kProtocols, std::size(kProtocols));
    std::string class_name = input.ConsumeBool() ? "Class B" : input.ConsumeRandomLengthString(16);
    std::string community = input.ConsumeRandomLengthString(32);
    Message_Request request{};
    request.protocol = protocol.data();
    request.class_name = class_name.data();
    request.community = community.data();
    request.address = input.ConsumeIntegral<int32_t>();
    request.group_address = input.ConsumeIntegral<int32_t>();
    request.get = input.ConsumeIntegral<int32_t>();
    request.get_next = input.ConsumeIntegral<int32_t>();
    request.set = input.ConsumeIntegral<int32_t>();
    request.type4 = input.ConsumeIntegral<int32_t>();
    request.type5 = input.ConsumeIntegral<int32_t>();
    request.dynamic_object = input.ConsumeIntegral<int32_t>();
    request.normal_snmp = input.ConsumeIntegral<int32_t>();
    request.dyn_obj_number = input.ConsumeIntegral<int32_t>();
    request.object_count = input.ConsumeIntegral<int32_t>();
    // Every slot holds a text, as a caller's record may hold more than the count says.
    std::vector<std::string> names(QV_MAX_OBJECTS);
    std::vector<std::string> values(QV_MAX_OBJECTS);
    for (size_t i = 0; i < QV_MAX_OBJECTS; ++i) {
        names[i] = pick_or_text(input, kNames, std::size(kNames));
        values[i] = input.ConsumeRandomLengthString(48);
        request.object_names[i] = names[i].data();
        request.values[i] = values[i].data();
        request.value_types[i] = input.ConsumeIntegral<uint8_t>();
    }

    char* english = nullptr;
    Encoded_Frame first{};
    int32_t frames = 0;
    EncodeData(&english, &request, &first, nullptr, nullptr, "~", "~", &frames, 0);
    std::free(english);
    for (Encoded_Frame* frame = first.next; frame != nullptr;) {
        Encoded_Frame* next = frame->next;
        std::free(frame);
        frame = next;
    }
    return 0;
}
