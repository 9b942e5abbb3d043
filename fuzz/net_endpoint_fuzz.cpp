// Network port texts from the configuration file or the command line: the
// parser never reads outside the text, and whatever it accepts names a port
// in range and a host without brackets, and reads back the same from its
// canonical form.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "transport/net_endpoint.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

std::string canonical(const Net_Endpoint& endpoint) {
    const char* scheme = endpoint.kind == Net_Kind::udp ? "udp:" : endpoint.kind == Net_Kind::tcp ? "tcp:" : "tcp-listen:";
    const bool v6 = endpoint.host.find(':') != std::string::npos;
    return std::string(scheme) + (v6 ? "[" + endpoint.host + "]" : endpoint.host) + ":" +
           std::to_string(endpoint.port);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<Net_Endpoint> endpoint = parse_endpoint(text);
    if (!endpoint) return 0;
    require(names_network_line(text));
    require(endpoint->host.find_first_of("[]") == std::string::npos);
    require(parse_endpoint(canonical(*endpoint)) == endpoint);
    return 0;
}
