#include "transport/net_endpoint.h"

#include <array>
#include <utility>

namespace {

constexpr std::array<std::pair<std::string_view, Net_Kind>, 3> kSchemes = {{
    {"udp:", Net_Kind::udp},
    {"tcp:", Net_Kind::tcp},
    {"tcp-listen:", Net_Kind::tcp_listen},
}};

std::optional<uint16_t> port_number(std::string_view digits) {
    if (digits.empty() || digits.size() > 5) return std::nullopt;
    uint32_t value = 0;
    for (char c : digits) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + static_cast<uint32_t>(c - '0');
    }
    if (value > 0xFFFF) return std::nullopt;
    return static_cast<uint16_t>(value);
}

}  // namespace

bool names_network_line(std::string_view text) {
    for (const auto& [scheme, kind] : kSchemes)
        if (text.starts_with(scheme)) return true;
    return false;
}

std::optional<Net_Endpoint> parse_endpoint(std::string_view text) {
    for (const auto& [scheme, kind] : kSchemes) {
        if (!text.starts_with(scheme)) continue;
        const std::string_view rest = text.substr(scheme.size());
        const size_t colon = rest.rfind(':');
        if (colon == std::string_view::npos) return std::nullopt;
        std::string_view host = rest.substr(0, colon);
        const std::optional<uint16_t> port = port_number(rest.substr(colon + 1));
        if (!port) return std::nullopt;
        if (host.size() >= 2 && host.front() == '[' && host.back() == ']') host = host.substr(1, host.size() - 2);
        if (host.find_first_of("[]") != std::string_view::npos) return std::nullopt;
        if (host.find(':') != std::string_view::npos && rest.front() != '[') return std::nullopt;
        Net_Endpoint endpoint;
        endpoint.kind = kind;
        endpoint.host = std::string(host);
        endpoint.port = *port;
        return endpoint;
    }
    return std::nullopt;
}
