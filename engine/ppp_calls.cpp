// The PPP link calls of the engine: the LCP automaton driven by hand, CHAP,
// the option set and the secret. Every use of the PPP layer holds the link
// lock; the frames go out through the raw send, which shows each one (or
// its failure) on the display under the display lock, taken second.
#include <mutex>
#include <string>

#include "engine/c_text.h"
#include "engine/process_locks.h"
#include "engine/quorvan_engine.h"
#include "ppp/ppp_link.h"
#include "transport/byte_text.h"
#include "tree/throwable.h"

namespace {

namespace raw_send_text {
inline constexpr const char* kSent = " Sent: ";
inline constexpr const char* kFailed = "Error sending message";
}  // namespace raw_send_text

// The raw send: each frame to the line through the station, then shown.
class Line_Sink : public Frame_Sink {
public:
    Line_Sink(NTCIP_Station& station, int32_t connection_type, QV_DisplayCallback display)
        : station_(station), connection_type_(connection_type), display_(display) {}

    void send_frame(const Ppp_Bytes& frame, std::string_view) override {
        bool sent = false;
        try {
            sent = station_.send(frame, connection_type_);
        } catch (const Throwable&) {
        }
        failed_ |= !sent;
        std::lock_guard hold(display_lock());
        if (display_ == nullptr) return;
        if (sent) {
            display_(raw_send_text::kSent);
            display_(byte_text(frame).c_str());
        } else {
            display_(raw_send_text::kFailed);
        }
    }

    // 0 when every frame went out, 1 when one did not.
    int32_t result() const { return failed_ ? 1 : 0; }

private:
    NTCIP_Station& station_;
    int32_t connection_type_;
    QV_DisplayCallback display_;
    bool failed_ = false;
};

}  // namespace

int32_t Quorvan::StartPPP(QV_DisplayCallback display) {
    std::lock_guard hold(link_lock());
    Line_Sink sink(*station_, ini_->connection_type(), display);
    Ppp_Link(*ppp_, sink).open();
    return sink.result();
}

int32_t Quorvan::Authenticate(QV_DisplayCallback display) {
    std::lock_guard hold(link_lock());
    Line_Sink sink(*station_, ini_->connection_type(), display);
    return Ppp_Link(*ppp_, sink).authenticate() ? static_cast<int32_t>(Lcp_Result::request) : 0;
}

int32_t Quorvan::DoPPPEventT(const char* event, QV_DisplayCallback display) {
    if (event == nullptr) return -1;
    std::lock_guard hold(link_lock());
    Line_Sink sink(*station_, ini_->connection_type(), display);
    return static_cast<int32_t>(Ppp_Link(*ppp_, sink).raise(static_cast<int32_t>(event_by_name(event)), true));
}

int32_t Quorvan::SetPPPEvent(int32_t event) {
    std::lock_guard hold(link_lock());
    return static_cast<int32_t>(ppp_->raise(event));
}

int32_t Quorvan::SetPPPEventT(const char* event) {
    if (event == nullptr) return -1;
    std::lock_guard hold(link_lock());
    return static_cast<int32_t>(ppp_->raise(std::string_view(event)));
}

int32_t Quorvan::SendLCPRawMessage(const char* name, char** frame, uint8_t identifier, QV_DisplayCallback display) {
    const uint8_t code = name != nullptr ? lcp_code_by_raw_name(name) : 0;
    if (code == 0) return -1;
    std::lock_guard hold(link_lock());
    Line_Sink sink(*station_, ini_->connection_type(), display);
    const Ppp_Bytes sent = Ppp_Link(*ppp_, sink).send_raw(static_cast<Lcp_Code>(code), identifier);
    if (frame != nullptr) *frame = c_text(byte_text(sent));
    return sink.result();
}

int32_t Quorvan::GetLinkState() const {
    std::lock_guard hold(link_lock());
    return static_cast<int32_t>(ppp_->state());
}

int32_t Quorvan::GetLinkEvent() const {
    std::lock_guard hold(link_lock());
    return ppp_->last_event();
}

int32_t Quorvan::GetLinkPhase() const {
    std::lock_guard hold(link_lock());
    return static_cast<int32_t>(ppp_->phase());
}

Lcp_Options Quorvan::GetLCPOptions() const {
    std::lock_guard hold(link_lock());
    return ppp_->options();
}

void Quorvan::SetLCPOptions(const Lcp_Options& options) {
    std::lock_guard hold(link_lock());
    ppp_->set_options(options);
}

void Quorvan::SetPPPInfo(const char* info) {
    ini_->set_ppp_info(info != nullptr ? info : "");
    std::lock_guard hold(link_lock());
    ppp_->set_secret(ini_->ppp_info());
}

std::string Quorvan::GetPPPInfo() {
    std::string info = ini_->ppp_info();
    std::lock_guard hold(link_lock());
    ppp_->set_secret(info);
    return info;
}
