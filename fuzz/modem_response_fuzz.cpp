// What a modem (or whatever sits on the modem's port) says, as arbitrary
// octets in reads of arbitrary size: the line reader, the result-code
// classification and the lost-carrier watch. Lines stay within their bound,
// the reader's memory stays bounded, every line gets one of the codes, and
// the same octets as a phone number split into parts that rebuild it.
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <string_view>

#include "transport/dial_plan.h"
#include "transport/modem_response.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::span<const uint8_t> input(data, size);
    Modem_Line_Reader reader;
    Carrier_Loss_Watch watch;
    size_t at = 0;
    while (at < input.size()) {
        // The first octet of each read gives its length.
        const size_t length = std::min<size_t>(1 + input[at] % 64, input.size() - at);
        const auto chunk = input.subspan(at, length);
        at += length;
        reader.feed(chunk);
        watch.seen_in(chunk);
        std::string line;
        while (reader.next_line(line)) {
            require(!line.empty() && line.size() <= Modem_Line_Reader::kMaxLine);
            require(classify_modem_line(line) <= Modem_Response::other);
        }
    }
    require(reader.take_rest().size() <= Modem_Line_Reader::kMaxLine + 64);

    const std::string_view number(reinterpret_cast<const char*>(data), size);
    const std::string undialable = undialable_modifiers(number.substr(0, std::min<size_t>(size, 4)));
    std::string rebuilt;
    for (const Dial_Part& part : dial_plan(number, undialable)) {
        require(part.digits.find_first_of(undialable) == std::string::npos);
        rebuilt += part.digits;
        if (part.pause != 0) {
            require(dial_prompt(part.pause).has_value());
            rebuilt += part.pause;
        }
    }
    require(rebuilt == number);
    return 0;
}
