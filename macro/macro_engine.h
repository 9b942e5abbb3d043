// What a macro run needs from the station: the output and user-input
// callbacks, and the engine's calls as a script author reaches them. The run
// on the station goes through the C interface (c_interface_engine.h); tests
// and the fuzz target answer with a stub line.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "quorvan.h"

// Node_Info with owned texts.
struct Node_Record {
    std::string syntax, access, status, description, oid, value;
    uint8_t value_type = 0;
    std::string timestamp;
    std::string name;
    int32_t neg_lower = 0, neg_upper = 0, lower = 0, upper = 0;
};

class Macro_Engine {
public:
    virtual ~Macro_Engine() = default;

    // Every message of the parser and the interpreter.
    virtual void output(std::string_view text) = 0;
    // The user's answer to the prompt; nothing when none was given.
    virtual std::optional<std::string> user_input(std::string_view prompt) = 0;

    // SendData with the keep mark set: the request id, or -1.
    virtual int32_t send_data(Message_Request& request) = 0;
    // Returns once the receiver has handled the request's response or timed it out.
    virtual void wait_for_outcome(int32_t request_id) = 0;
    virtual int32_t get_error(int32_t request_id, std::string& message, int32_t& status, int32_t& index) = 0;
    virtual int32_t get_response_value(int32_t request_id, std::string& value) = 0;
    virtual int32_t clear_error_state(int32_t request_id) = 0;
    virtual int32_t calc_crc(const std::vector<uint8_t>& bytes, uint16_t& crc) = 0;

    virtual int32_t get_node_info(const std::string& name, Node_Record& record) = 0;
    // Nothing when the node is unknown or has no instances.
    virtual std::optional<std::string> get_node_objects(const std::string& name) = 0;
    virtual std::optional<std::string> get_next_instance(const std::string& name) = 0;

    virtual void beep(int32_t frequency, int32_t milliseconds) = 0;
    // Waits; returns early when the run is asked to stop.
    virtual void sleep(int32_t milliseconds) = 0;
    // True once the station wants the run to end (it is shutting down).
    virtual bool stop_requested() const = 0;

    // The script's own files (outfile, out, infile), named from the station's
    // working directory; each false or nothing when the file cannot be had.
    virtual bool create_file(const std::string& name);
    virtual bool append_file(const std::string& name, std::string_view text);
    virtual std::optional<std::string> read_file(const std::string& name);
};
