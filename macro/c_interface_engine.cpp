#include "macro/c_interface_engine.h"

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// A text the engine handed over, freed when it goes.
struct Engine_Text {
    char* text = nullptr;
    ~Engine_Text() { std::free(text); }
    std::string str() const { return text != nullptr ? std::string(text) : std::string(); }
};

std::string owned(char* text) {
    Engine_Text holder{text};
    return holder.str();
}

}  // namespace

void C_Interface_Engine::request_stop() {
    {
        std::lock_guard hold(mutex_);
        stop_ = true;
    }
    woken_.notify_all();
}

void C_Interface_Engine::output(std::string_view text) {
    if (display_ == nullptr) return;
    const std::string copy(text);
    display_(copy.c_str());
}

std::optional<std::string> C_Interface_Engine::user_input(std::string_view prompt) {
    if (user_input_ == nullptr) return std::nullopt;
    const std::string copy(prompt);
    Engine_Text answer;
    user_input_(&answer.text, copy.c_str());
    if (answer.text == nullptr) return std::nullopt;
    return answer.str();
}

int32_t C_Interface_Engine::send_data(Message_Request& request) { return SendData(&request, display_, edit_, 1); }

// GetError waits, on the list of outcomes, until the receiver has recorded
// this request's outcome (its response handled or its time-out), or the
// station's time-out and a second have passed.
void C_Interface_Engine::wait_for_outcome(int32_t request_id) {
    Engine_Text message;
    int32_t status = 0;
    int32_t index = 0;
    GetError(request_id, &message.text, &status, &index);
}

int32_t C_Interface_Engine::get_error(int32_t request_id, std::string& message, int32_t& status, int32_t& index) {
    Engine_Text text;
    const int32_t result = GetError(request_id, &text.text, &status, &index);
    message = text.str();
    return result;
}

int32_t C_Interface_Engine::get_response_value(int32_t request_id, std::string& value) {
    Engine_Text text;
    const int32_t result = GetResponseValue(request_id, &text.text);
    value = text.str();
    return result;
}

int32_t C_Interface_Engine::clear_error_state(int32_t request_id) { return ClearErrorState(request_id); }

int32_t C_Interface_Engine::calc_crc(const std::vector<uint8_t>& bytes, uint16_t& crc) {
    static const uint8_t kNothing = 0;
    return CalcCrc(bytes.empty() ? &kNothing : bytes.data(), static_cast<uint16_t>(bytes.size()), &crc);
}

int32_t C_Interface_Engine::get_node_info(const std::string& name, Node_Record& record) {
    Node_Info info{};
    const int32_t result = GetNodeInfo(name.c_str(), &info);
    if (result == -1) return result;
    record.syntax = owned(info.syntax);
    record.access = owned(info.access);
    record.status = owned(info.status);
    record.description = owned(info.further);
    record.oid = owned(info.oid);
    record.value = owned(info.value);
    record.value_type = info.value_type;
    record.timestamp.assign(info.instance, strnlen(info.instance, sizeof info.instance));
    record.name = owned(info.name);
    record.neg_lower = info.neg_lower;
    record.neg_upper = info.neg_upper;
    record.lower = info.lower;
    record.upper = info.upper;
    return result;
}

std::optional<std::string> C_Interface_Engine::get_node_objects(const std::string& name) {
    char* objects = nullptr;
    GetNodeObjects(name.c_str(), &objects);
    if (objects == nullptr) return std::nullopt;
    return owned(objects);
}

std::optional<std::string> C_Interface_Engine::get_next_instance(const std::string& name) {
    char* next = nullptr;
    if (GetNextInstance(name.c_str(), &next) != 0) {
        std::free(next);
        return std::nullopt;
    }
    return owned(next);
}

// The terminal's bell stands for the speaker; the call lasts as long as the tone would.
void C_Interface_Engine::beep(int32_t /*frequency*/, int32_t milliseconds) {
    if (isatty(STDERR_FILENO) == 1) {
        const char bell = '\a';
        [[maybe_unused]] const ssize_t written = ::write(STDERR_FILENO, &bell, 1);
    }
    sleep(milliseconds);
}

void C_Interface_Engine::sleep(int32_t milliseconds) {
    if (milliseconds <= 0) return;
    std::unique_lock hold(mutex_);
    woken_.wait_for(hold, std::chrono::milliseconds(milliseconds), [this] { return stop_.load(); });
}
