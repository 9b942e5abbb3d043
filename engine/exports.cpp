// The exported C interface: each call forwards to the one engine object and
// turns any failure inside into the call's result code.
#include <condition_variable>
#include <memory>
#include <mutex>
#include <span>

#include "datalink/crc.h"
#include "engine/c_text.h"
#include "engine/inside_engine.h"
#include "engine/macro_calls.h"
#include "engine/quorvan_engine.h"
#include "ppp/ppp_codes.h"
#include "quorvan.h"

namespace {

// The one engine and the calls inside it. A call enters only while the
// engine is there and not closing; Shutdown closes it, ends the waits inside
// it, waits for the calls in progress to leave, and only then destroys it.
// A call that comes meanwhile answers as without an engine.
class Engine_Slot {
public:
    // Runs a call on the engine, or answers the fallback without one (or
    // when the call fails with an exception).
    template <typename Result, typename Call>
    Result run(Result fallback, Call call) noexcept {
        Quorvan* engine = enter();
        if (engine == nullptr) return fallback;
        Result result = fallback;
        try {
            Inside_Engine inside;
            result = call(*engine);
        } catch (...) {
        }
        leave();
        return result;
    }

    bool is_up() {
        std::lock_guard hold(mutex_);
        return engine_ && !closing_;
    }

    // Under the life-cycle lock.
    Quorvan& open() {
        std::lock_guard hold(mutex_);
        if (!engine_) engine_ = std::make_unique<Quorvan>();
        return *engine_;
    }

    // Under the life-cycle lock.
    void close() noexcept {
        std::unique_ptr<Quorvan> closing;
        {
            std::unique_lock hold(mutex_);
            if (!engine_) return;
            closing_ = true;
            engine_->cancel_waits();
            idle_.wait(hold, [this] { return calls_ == 0; });
            closing = std::move(engine_);
            closing_ = false;
        }
        try {
            closing.reset();  // stops the receiver thread, saves the settings
        } catch (...) {
        }
    }

private:
    Quorvan* enter() {
        std::lock_guard hold(mutex_);
        if (!engine_ || closing_) return nullptr;
        ++calls_;
        return engine_.get();
    }

    void leave() {
        std::lock_guard hold(mutex_);
        if (--calls_ == 0) idle_.notify_all();
    }

    std::mutex mutex_;
    std::condition_variable idle_;  // the last call in progress left
    std::unique_ptr<Quorvan> engine_;  // guarded by mutex_
    int calls_ = 0;                    // guarded by mutex_
    bool closing_ = false;             // guarded by mutex_
};

std::mutex life_cycle;  // orders Init and Shutdown
Engine_Slot slot;

template <typename Result, typename Call>
Result on_engine(Result fallback, Call call) noexcept {
    return slot.run(fallback, call);
}

template <typename Call>
void on_engine_void(Call call) noexcept {
    slot.run(0, [&](Quorvan& q) {
        call(q);
        return 0;
    });
}

}  // namespace

bool engine_is_up() { return slot.is_up(); }

extern "C" {

QV_API int32_t Init(const char* port, uint16_t baud, char* /*buffer*/, int32_t role,
                    QV_DisplayCallback /*display*/, QV_StatusCallback /*status*/, int32_t /*value*/) {
    std::lock_guard hold(life_cycle);
    try {
        slot.open();
    } catch (...) {
        return -1;
    }
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.Init(role, port, baud); });
}

QV_API int32_t Shutdown(void) {
    // From inside a call (a callback the engine makes) Shutdown would wait for
    // that very call, or stop the receiver thread from itself.
    if (Inside_Engine::now()) return -1;
    std::lock_guard hold(life_cycle);
    stop_macro_runs();  // a macro thread calls into the engine until it ends
    slot.close();
    return 0;
}

QV_API int32_t CompileMIB(const char* mib_file, char* output_name, const char* error_file, int32_t compile_flag) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.CompileMIB(mib_file, output_name, error_file, compile_flag); });
}

QV_API int32_t RunMIBCompiler(const char* mib_file, const char* output_file, const char* error_file) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.RunMIBCompiler(mib_file, output_file, error_file); });
}

QV_API char* GetCompileError(void) {
    return on_engine<char*>(nullptr, [](Quorvan& q) -> char* {
        const auto text = q.compile_error();
        return text ? c_text(*text) : nullptr;
    });
}

QV_API int32_t WriteTreeFiles(void) {
    return on_engine<int32_t>(-1, [](Quorvan& q) { return q.WriteTreeFiles(); });
}

QV_API void SetAppInstance(void* instance) {
    on_engine_void([&](Quorvan& q) { q.SetAppInstance(instance); });
}

QV_API void* GetAppInstance(void) {
    return on_engine<void*>(nullptr, [](Quorvan& q) { return q.GetAppInstance(); });
}

QV_API int32_t GetNodeInfo(const char* name, Node_Info* info) {
    if (info == nullptr) return -1;
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.GetNodeInfo(name, *info); });
}

QV_API void GetNodeObjects(const char* name, char** objects) {
    on_engine_void([&](Quorvan& q) { q.GetNodeObjects(name, objects); });
}

QV_API int32_t GetNextInstance(const char* name, char** next) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.GetNextInstance(name, next); });
}

QV_API int32_t GetObjectIndex(const char* name, uint8_t* count, char** names, uint16_t* counts) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.GetObjectIndex(name, count, names, counts); });
}

QV_API int32_t SetInstanceValue(const char* name, const char* value, int32_t /*mode*/) {
    return on_engine<int32_t>(2, [&](Quorvan& q) { return q.SetInstanceValue(name, value); });
}

QV_API int32_t GetTreeListing(char** listing) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.GetTreeListing(listing); });
}

QV_API int32_t GetDynObjList(int32_t number, char* names, char* owners, char* values, uint8_t* syntaxes,
                             int32_t* count) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) {
        return q.GetDynObjList(number, names, owners, values, syntaxes, count);
    });
}

QV_API int32_t DynObjSync(Message_Request* request, QV_DisplayCallback display, QV_EditCallback edit) {
    if (request == nullptr) return -1;
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.DynObjSync(*request, display, edit); });
}

QV_API int32_t DynObjKeepDefinition(const Message_Request* request) {
    if (request == nullptr) return -1;
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.DynObjKeepDefinition(*request); });
}

QV_API int32_t DynObjLoadFile(const char* path, QV_DisplayCallback display, QV_EditCallback edit) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.DynObjLoadFile(path, display, edit); });
}

QV_API int32_t DynObjSaveFile(const char* path) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.DynObjSaveFile(path); });
}

QV_API int32_t CalcCrc(const uint8_t* buffer, uint16_t length, uint16_t* result) {
    if (result == nullptr || (buffer == nullptr && length > 0)) return -1;
    return on_engine<int32_t>(-1, [&](Quorvan&) {
        *result = CRC::calculate(std::span<const uint8_t>(buffer, length));
        return 0;
    });
}

QV_API int32_t StartReceiverThread(QV_DisplayCallback display, QV_StatusCallback status) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.StartReceiverThread(display, status); });
}

QV_API void SetReceiverHandle(void* handle) {
    on_engine_void([&](Quorvan& q) { q.SetReceiverHandle(handle); });
}

QV_API int32_t EncodeData(char** english, Message_Request* request, Encoded_Frame* first,
                          QV_DisplayCallback /*display*/, QV_EditCallback edit, const char* text1, const char* text2,
                          int32_t* frame_count, uint8_t keep) {
    if (request == nullptr || first == nullptr) return -1;
    return on_engine<int32_t>(-1, [&](Quorvan& q) {
        return q.EncodeData(english, *request, *first, edit, text1, text2, frame_count, keep);
    });
}

QV_API int32_t SendData(Message_Request* request, QV_DisplayCallback display, QV_EditCallback edit, uint8_t keep) {
    if (request == nullptr) return -1;
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.SendData(*request, display, edit, keep); });
}

QV_API int32_t SendMsg(const uint8_t* buffer, uint16_t length) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.SendMsg(buffer, length); });
}

QV_API int32_t GetError(int32_t request_id, char** message, int32_t* status, int32_t* index) {
    const int32_t result = on_engine<int32_t>(-2, [&](Quorvan& q) { return q.GetError(request_id, message, status, index); });
    if (result != -2) return result;
    if (message != nullptr) *message = nullptr;  // no engine: no outcome and no text
    return -1;
}

QV_API int32_t ClearErrorState(int32_t request_id) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.ClearErrorState(request_id); });
}

QV_API int32_t GetResponseValue(int32_t request_id, char** value) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.GetResponseValue(request_id, value); });
}

QV_API int32_t SetParams(uint16_t baud, const char* port, int32_t time_out) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.SetParams(baud, port, time_out); });
}

QV_API int32_t SetRunParams(uint16_t baud, const char* port, int32_t time_out) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.SetRunParams(baud, port, time_out); });
}

QV_API void GetParams(uint16_t* baud, char* port, uint16_t* time_out) {
    on_engine_void([&](Quorvan& q) { q.GetParams(baud, port, time_out); });
}

QV_API int32_t SetPortBaud(const char* port, uint16_t baud) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.SetPortBaud(port, baud); });
}

QV_API int32_t GetPort(void) {
    return on_engine<int32_t>(-1, [](Quorvan& q) { return q.GetPort(); });
}

QV_API void GetModes(int32_t* connection_type, int32_t* role) {
    on_engine_void([&](Quorvan& q) { q.GetModes(connection_type, role); });
}

QV_API void SetModes(int32_t connection_type, int32_t role) {
    on_engine_void([&](Quorvan& q) { q.SetModes(connection_type, role); });
}

QV_API void SetFieldDeviceErrorMode(uint8_t extra_byte, uint8_t remove_byte, uint8_t change_byte,
                                    uint8_t edit_manually, uint8_t invalid_crc, uint8_t invalid_control,
                                    uint8_t invalid_address, uint8_t no_response, int32_t message_count) {
    Error_Mode mode;
    const uint8_t switches[kErrorSwitchCount] = {extra_byte,  remove_byte,     change_byte,     edit_manually,
                                                 invalid_crc, invalid_control, invalid_address, no_response};
    for (size_t i = 0; i < kErrorSwitchCount; ++i) mode.switches[i] = switches[i] != 0;
    mode.message_count = message_count;
    on_engine_void([&](Quorvan& q) { q.SetFieldDeviceErrorMode(mode); });
}

QV_API int32_t SetFieldCommunity(const char* community) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) {
        q.SetFieldCommunity(community);
        return 0;
    });
}

QV_API void GetFieldDeviceErrorMode(uint8_t* extra_byte, uint8_t* remove_byte, uint8_t* change_byte,
                                    uint8_t* edit_manually, uint8_t* invalid_crc, uint8_t* invalid_control,
                                    uint8_t* invalid_address, uint8_t* no_response, int32_t* message_count) {
    on_engine_void([&](Quorvan& q) {
        const Error_Mode mode = q.GetFieldDeviceErrorMode();
        uint8_t* out[kErrorSwitchCount] = {extra_byte,  remove_byte,     change_byte,     edit_manually,
                                           invalid_crc, invalid_control, invalid_address, no_response};
        for (size_t i = 0; i < kErrorSwitchCount; ++i)
            if (out[i] != nullptr) *out[i] = mode.switches[i] ? 1 : 0;
        if (message_count != nullptr) *message_count = mode.message_count;
    });
}

QV_API int32_t StartPPP(QV_DisplayCallback display) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.StartPPP(display); });
}

QV_API int32_t Authenticate(QV_DisplayCallback display) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.Authenticate(display); });
}

QV_API int32_t DoPPPEventT(const char* event, int32_t /*argument*/, QV_DisplayCallback display) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.DoPPPEventT(event, display); });
}

QV_API int32_t SetPPPEvent(int32_t event) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.SetPPPEvent(event); });
}

QV_API int32_t SetPPPEventT(const char* event, int32_t /*argument*/) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.SetPPPEventT(event); });
}

QV_API int32_t SendLCPRawMessage(const char* name, char** frame, uint8_t identifier, QV_DisplayCallback display) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.SendLCPRawMessage(name, frame, identifier, display); });
}

QV_API int32_t GetLinkState(void) {
    return on_engine<int32_t>(-1, [](Quorvan& q) { return q.GetLinkState(); });
}

QV_API int32_t GetLinkEvent(void) {
    return on_engine<int32_t>(-1, [](Quorvan& q) { return q.GetLinkEvent(); });
}

QV_API int32_t GetLinkPhase(void) {
    return on_engine<int32_t>(-1, [](Quorvan& q) { return q.GetLinkPhase(); });
}

QV_API char* GetLinkText(int32_t kind, int32_t value) {
    std::string_view text;
    switch (kind) {
    case QV_LINK_TEXT_STATE: text = state_name(value); break;
    case QV_LINK_TEXT_PHASE: text = phase_name(value); break;
    case QV_LINK_TEXT_EVENT: text = event_name(value); break;
    case QV_LINK_TEXT_LCP_PACKET:
        if (value >= 1 && value <= kLcpCodeCount) text = lcp_raw_name(static_cast<Lcp_Code>(value));
        break;
    default: return nullptr;
    }
    try {
        return c_text(std::string(text));
    } catch (...) {
        return nullptr;
    }
}

QV_API void GetLCPOptions(uint32_t* mru, char** map, uint32_t* authentication, uint32_t* quality, uint32_t* magic,
                          uint8_t* pfc, uint8_t* acfc, uint32_t* reserved, uint32_t* fcs_alternatives,
                          uint8_t* self_describing_pad, uint8_t* numbered_mode, uint8_t* callback, uint8_t* further) {
    on_engine_void([&](Quorvan& q) {
        const Lcp_Options options = q.GetLCPOptions();
        const auto put = [](auto* out, auto value) {
            if (out != nullptr) *out = value;
        };
        put(mru, options.maximum_receive_unit);
        if (map != nullptr) *map = c_text(options.async_control_character_map);
        put(authentication, options.authentication_protocol);
        put(quality, options.quality_protocol);
        put(magic, options.magic_number);
        put(pfc, options.protocol_field_compression);
        put(acfc, options.address_control_field_compression);
        put(reserved, options.reserved);
        put(fcs_alternatives, options.fcs_alternatives);
        put(self_describing_pad, options.self_describing_pad);
        put(numbered_mode, options.numbered_mode);
        put(callback, options.callback);
        put(further, options.further_flag);
    });
}

QV_API void SetLCPOptions(uint32_t mru, const char* map, uint32_t authentication, uint32_t quality, uint32_t magic,
                          uint8_t pfc, uint8_t acfc, uint32_t reserved, uint32_t fcs_alternatives,
                          uint8_t self_describing_pad, uint8_t numbered_mode, uint8_t callback, uint8_t further) {
    on_engine_void([&](Quorvan& q) {
        Lcp_Options options;
        options.maximum_receive_unit = mru;
        options.async_control_character_map = map != nullptr ? map : "";
        options.authentication_protocol = authentication;
        options.quality_protocol = quality;
        options.magic_number = magic;
        options.protocol_field_compression = pfc;
        options.address_control_field_compression = acfc;
        options.reserved = reserved;
        options.fcs_alternatives = fcs_alternatives;
        options.self_describing_pad = self_describing_pad;
        options.numbered_mode = numbered_mode;
        options.callback = callback;
        options.further_flag = further;
        q.SetLCPOptions(options);
    });
}

QV_API int32_t SetPPPInfo(const char* info) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) {
        q.SetPPPInfo(info);
        return 0;
    });
}

QV_API int32_t GetPPPInfo(char** info) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) {
        const std::string text = q.GetPPPInfo();
        if (info != nullptr) *info = c_text(text);
        return 0;
    });
}

QV_API void SetPPPRestartTimer(uint32_t milliseconds) {
    on_engine_void([&](Quorvan& q) { q.SetPPPRestartTimer(milliseconds); });
}

QV_API void APISetLinkEvent(void) {
    on_engine_void([](Quorvan& q) { q.APISetLinkEvent(); });
}

QV_API int32_t GetConnectionState(void) {
    return on_engine<int32_t>(-1, [](Quorvan& q) { return q.GetConnectionState(); });
}

QV_API int32_t SetLinkType(int32_t link) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.SetLinkType(link); });
}

QV_API int32_t GetLinkType(void) {
    return on_engine<int32_t>(-1, [](Quorvan& q) { return q.GetLinkType(); });
}

// ---- dial-up on a Hayes modem

QV_API int32_t SetModemComm(const char* number, const char* /*unused*/) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) { return q.SetModemComm(number); });
}

QV_API int32_t GetModemComm(char** number) {
    if (number == nullptr) return -1;
    return on_engine<int32_t>(-1, [&](Quorvan& q) {
        *number = c_text(q.GetModemComm());
        return 0;
    });
}

QV_API int32_t DialupConnect(void) {
    return on_engine<int32_t>(-1, [](Quorvan& q) { return q.DialupConnect(); });
}

QV_API int32_t DialPPP(void) {
    return on_engine<int32_t>(-1, [](Quorvan& q) { return q.DialupConnect(); });
}

QV_API int32_t DialupHangUp(void) {
    return on_engine<int32_t>(-1, [](Quorvan& q) { return q.DialupHangUp(); });
}

QV_API void SetModemNotice(QV_ModemNoticeCallback notice) {
    on_engine_void([&](Quorvan& q) { q.SetModemNotice(notice); });
}

QV_API int32_t SetModemOptions(const char* init_string, const char* dials_itself, int32_t wait_step_ms,
                               int32_t connect_waits, int32_t answer_waits, int32_t guard_time_ms) {
    return on_engine<int32_t>(-1, [&](Quorvan& q) {
        q.SetModemOptions(init_string, dials_itself, wait_step_ms, connect_waits, answer_waits, guard_time_ms);
        return 0;
    });
}

QV_API char* GetPortError(void) {
    return on_engine<char*>(nullptr, [](Quorvan& q) -> char* {
        const auto text = q.port_error();
        return text ? c_text(*text) : nullptr;
    });
}

}  // extern "C"
