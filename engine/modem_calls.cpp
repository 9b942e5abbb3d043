// The dial-up calls of the engine: the modem's number, the dial and the
// hang-up, where the modem's messages go, and its settings.
#include <chrono>
#include <string>

#include "engine/inside_engine.h"
#include "engine/quorvan_engine.h"

namespace modem_call_text {
inline constexpr const char* kNotAModemTitle = "Error";
inline constexpr const char* kNotAModem = "The connection is not a modem connection: nothing is dialled.";
}  // namespace modem_call_text

int32_t Quorvan::SetModemComm(const char* number) {
    if (number == nullptr) return -1;
    ini_->set_modem_number(number);
    // The number as stored: one line.
    line_.modem().set_number(ini_->modem_number());
    return 0;
}

int32_t Quorvan::DialupConnect() {
    if (connection_type() != Connection_Type::modem) {
        line_.show_modem_notice(modem_call_text::kNotAModemTitle, modem_call_text::kNotAModem);
        return 0;
    }
    return line_.dial() ? 1 : 0;
}

int32_t Quorvan::DialupHangUp() {
    line_.hang_up();
    return 0;
}

void Quorvan::SetModemNotice(QV_ModemNoticeCallback notice) {
    if (notice == nullptr) {
        line_.set_modem_prompt(nullptr);
        return;
    }
    line_.set_modem_prompt([notice](const std::string& title, const std::string& text) {
        Inside_Engine inside;
        notice(title.c_str(), text.c_str());
    });
}

void Quorvan::SetModemOptions(const char* init_string, const char* dials_itself, int32_t wait_step_ms,
                              int32_t connect_waits, int32_t answer_waits, int32_t guard_time_ms) {
    Modem_Settings settings = line_.modem().settings();
    if (init_string != nullptr && init_string[0] != '\0') settings.init_string = init_string;
    // "-": the modem dials none of the modifiers itself.
    if (dials_itself != nullptr && dials_itself[0] != '\0')
        settings.dials_itself = std::string(dials_itself) == "-" ? "" : dials_itself;
    if (wait_step_ms > 0) settings.wait_step = std::chrono::milliseconds(wait_step_ms);
    if (connect_waits > 0) settings.connect_waits = connect_waits;
    if (answer_waits > 0) settings.answer_waits = answer_waits;
    if (guard_time_ms > 0) settings.guard_time = std::chrono::milliseconds(guard_time_ms);
    line_.modem().set_settings(settings);
}
