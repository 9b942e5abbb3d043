// The PPP link calls of the engine: the LCP automaton driven by hand, CHAP,
// the option set and the secret. Every use of the PPP layer holds the link
// lock; the frames go out through the raw send, which shows each one (or
// its failure) on the display under the display lock, taken second.
#include <mutex>
#include <string>

#include "base/process_locks.h"
#include "engine/c_text.h"
#include "engine/quorvan_engine.h"
#include "transport/byte_text.h"

namespace {

namespace raw_send_text {
inline constexpr const char* kSent = " Sent: ";
inline constexpr const char* kFailed = "Error sending message";
}  // namespace raw_send_text

// The raw send's display: " Sent: " and the frame's byte text, or the
// failure; the layer's own texts as they come.
Ppp_Output raw_send_output(QV_DisplayCallback display) {
    Ppp_Output output;
    output.text = [display](const std::string& text) {
        std::lock_guard hold(display_lock());
        if (display != nullptr) display(text.c_str());
    };
    output.frame = [display](const Ppp_Bytes& frame, std::string_view, bool sent) {
        std::lock_guard hold(display_lock());
        if (display == nullptr) return;
        if (sent) {
            display(raw_send_text::kSent);
            display(byte_text(frame).c_str());
        } else {
            display(raw_send_text::kFailed);
        }
    };
    return output;
}

}  // namespace

int32_t Quorvan::StartPPP(QV_DisplayCallback display) {
    std::lock_guard hold(link_lock());
    Ppp_Line::Use use(line_.ppp(), connection_type(), raw_send_output(display));
    line_.ppp().link().open();
    return use.all_sent() ? 0 : 1;
}

int32_t Quorvan::Authenticate(QV_DisplayCallback display) {
    std::lock_guard hold(link_lock());
    Ppp_Line::Use use(line_.ppp(), connection_type(), raw_send_output(display));
    return line_.ppp().link().authenticate() ? static_cast<int32_t>(Lcp_Result::request) : 0;
}

int32_t Quorvan::DoPPPEventT(const char* event, QV_DisplayCallback display) {
    if (event == nullptr) return -1;
    std::lock_guard hold(link_lock());
    Ppp_Line::Use use(line_.ppp(), connection_type(), raw_send_output(display));
    return static_cast<int32_t>(line_.ppp().link().raise(static_cast<int32_t>(event_by_name(event)), true));
}

int32_t Quorvan::SetPPPEvent(int32_t event) {
    std::lock_guard hold(link_lock());
    return static_cast<int32_t>(line_.ppp().ppp().raise(event));
}

int32_t Quorvan::SetPPPEventT(const char* event) {
    if (event == nullptr) return -1;
    std::lock_guard hold(link_lock());
    return static_cast<int32_t>(line_.ppp().ppp().raise(std::string_view(event)));
}

int32_t Quorvan::SendLCPRawMessage(const char* name, char** frame, uint8_t identifier, QV_DisplayCallback display) {
    const uint8_t code = name != nullptr ? lcp_code_by_raw_name(name) : 0;
    if (code == 0) return -1;
    std::lock_guard hold(link_lock());
    Ppp_Line::Use use(line_.ppp(), connection_type(), raw_send_output(display));
    const Ppp_Bytes sent = line_.ppp().link().send_raw(static_cast<Lcp_Code>(code), identifier);
    if (frame != nullptr) *frame = c_text(byte_text(sent));
    return use.all_sent() ? 0 : 1;
}

int32_t Quorvan::GetLinkState() const {
    std::lock_guard hold(link_lock());
    return static_cast<int32_t>(line_.ppp().ppp().state());
}

int32_t Quorvan::GetLinkEvent() const {
    std::lock_guard hold(link_lock());
    return line_.ppp().ppp().last_event();
}

int32_t Quorvan::GetLinkPhase() const {
    std::lock_guard hold(link_lock());
    return static_cast<int32_t>(line_.ppp().ppp().phase());
}

Lcp_Options Quorvan::GetLCPOptions() const {
    std::lock_guard hold(link_lock());
    return line_.ppp().ppp().options();
}

void Quorvan::SetLCPOptions(const Lcp_Options& options) {
    std::lock_guard hold(link_lock());
    line_.ppp().ppp().set_options(options);
}

void Quorvan::SetPPPInfo(const char* info) {
    ini_->set_ppp_info(info != nullptr ? info : "");
    std::lock_guard hold(link_lock());
    line_.ppp().ppp().set_secret(ini_->ppp_info());
}

std::string Quorvan::GetPPPInfo() {
    std::string info = ini_->ppp_info();
    std::lock_guard hold(link_lock());
    line_.ppp().ppp().set_secret(info);
    return info;
}

void Quorvan::SetPPPRestartTimer(uint32_t milliseconds) {
    std::lock_guard hold(link_lock());
    line_.ppp().ppp().set_restart_timer_ms(milliseconds);
}

int32_t Quorvan::SetLinkType(int32_t link) {
    if (link != static_cast<int32_t>(Link_Type::pmpp) && link != static_cast<int32_t>(Link_Type::ppp)) return -1;
    serial_link_ = static_cast<Link_Type>(link);
    settings_changed();
    return 0;
}
