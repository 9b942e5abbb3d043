#include "bench/central_station.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <utility>

namespace {

int32_t discard_text(const char*) { return 0; }

// Standard output goes nowhere for a while: the MIB load reports its
// substitutions there, and a bench prints only its figures.
class Quiet_Output {
public:
    Quiet_Output() {
        std::fflush(stdout);
        saved_ = ::dup(STDOUT_FILENO);
        const int nowhere = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (nowhere >= 0) {
            ::dup2(nowhere, STDOUT_FILENO);
            ::close(nowhere);
        }
    }
    ~Quiet_Output() {
        std::fflush(stdout);
        if (saved_ < 0) return;
        ::dup2(saved_, STDOUT_FILENO);
        ::close(saved_);
    }
    Quiet_Output(const Quiet_Output&) = delete;
    Quiet_Output& operator=(const Quiet_Output&) = delete;

private:
    int saved_ = -1;
};

void load_and_listen() {
    char output_name[16] = "Mibi.out";
    int32_t loaded = 0;
    {
        const Quiet_Output quiet;
        loaded = CompileMIB("Mibi", output_name, "Errors.out", 0);
    }
    if (loaded != 0) {
        char* error = GetCompileError();
        const std::string text = error != nullptr ? error : "the substitution pass failed";
        std::free(error);
        throw std::runtime_error("the central station cannot load the sample MIB: " + text);
    }
    if (StartReceiverThread(discard_text, nullptr) != 0)
        throw std::runtime_error("the central station's receiver does not start");
}

}  // namespace

Central_Station::Central_Station(const std::string& port) {
    // The engine is there after Init even when the port would not open.
    if (Init(port.c_str(), kBaud, nullptr, QV_ROLE_CENTRAL, nullptr, nullptr, 0) != 0) {
        Shutdown();
        throw std::runtime_error("the central station cannot open " + port);
    }
    try {
        load_and_listen();
    } catch (...) {
        Shutdown();
        throw;
    }
}

Central_Station::~Central_Station() { Shutdown(); }

void Central_Station::move_to(const std::string& port, int32_t time_out) {
    if (SetParams(kBaud, port.c_str(), time_out) != 0)
        throw std::runtime_error("the central station cannot open " + port);
}

Get_Request::Get_Request(std::string object) : object_(std::move(object)) {
    request_.protocol = protocol_.data();
    request_.class_name = class_name_.data();
    request_.community = community_.data();
    request_.address = 1;
    request_.get = 1;
    request_.object_count = 1;
    request_.object_names[0] = object_.data();
    request_.values[0] = value_.data();
    request_.value_types[0] = QV_TYPE_INTEGER;
}

int32_t Get_Request::send() {
    const int32_t id = SendData(&request_, discard_text, nullptr, 1);
    if (id == -1) throw std::runtime_error("the Get of " + object_ + " cannot be encoded");
    return id;
}

void expect_answered(int32_t request_id) {
    char* message = nullptr;
    int32_t status = 0;
    int32_t index = 0;
    const int32_t outcome = GetError(request_id, &message, &status, &index);
    const std::string text = message != nullptr ? message : "";
    std::free(message);
    ClearErrorState(request_id);
    if (outcome != 0 || status != 0)
        throw std::runtime_error("request " + std::to_string(request_id) + " ended with " +
                                 std::to_string(outcome) + (text.empty() ? "" : ": " + text));
}
