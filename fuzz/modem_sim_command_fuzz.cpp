// The modem simulator's command interpreter as terminals drive it: arbitrary
// octets, in chunks of arbitrary size, typed on either of two modems of one
// exchange, with time passing between the chunks. Nothing may crash, and a
// modem's answer to a chunk stays within the echo, the data from the far
// end, and a line for each character of the longest command line (each "I"
// of "ATIII..." prints the identity).
#include <cstdint>
#include <cstdlib>
#include <span>

#include "cli/sim_exchange.h"

namespace {

void require(bool condition) {
    if (!condition) std::abort();
}

// The most one command line (255 characters) may produce: a line of at most
// 32 octets for each character.
constexpr size_t kResultRoom = 256 * 32;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    Sim_Exchange_Settings settings;
    settings.ring_interval = std::chrono::milliseconds(100);
    settings.rings_before_no_answer = 3;
    settings.connect_time = std::chrono::milliseconds(10);
    Sim_Exchange exchange(settings, [](const std::string&) {});
    exchange.add_number("7", Sim_Exchange::Number_Kind::busy);
    exchange.add_number("8", Sim_Exchange::Number_Kind::no_answer);
    Sim_Modem_Profile profile;
    profile.dial_time = std::chrono::milliseconds(10);
    Sim_Modem* modems[2] = {&exchange.add_modem("1", profile), &exchange.add_modem("2", profile)};

    const std::span<const uint8_t> input(data, size);
    auto now = Sim_Clock::time_point{} + std::chrono::hours(1);
    size_t at = 0;
    while (at < input.size()) {
        // Each chunk: a control octet (which modem, how much time passes,
        // whether a terminal hangs up), then up to 31 octets typed.
        const uint8_t control = input[at++];
        const size_t length = std::min<size_t>(control & 0x1F, input.size() - at);
        Sim_Modem& modem = *modems[(control >> 5) & 1];
        const auto chunk = input.subspan(at, length);
        at += length;
        modem.from_terminal(chunk, now);
        if (control & 0x80) modems[1]->terminal_gone();
        now += std::chrono::milliseconds((control & 0x40) ? 250 : 5);
        exchange.tick(now);
        for (Sim_Modem* each : modems) {
            each->tick(now);
            require(each->take_output().size() <= 2 * 32 + kResultRoom);
        }
    }
    return 0;
}
