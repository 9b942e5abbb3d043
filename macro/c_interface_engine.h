// The station's engine as a macro run reaches it: through the calls of the C
// interface, with the callbacks given to Macro.
#pragma once

#include <atomic>
#include <condition_variable>
#include <mutex>

#include "macro/macro_engine.h"

class C_Interface_Engine : public Macro_Engine {
public:
    C_Interface_Engine(QV_DisplayCallback display, QV_UserInputCallback user_input, QV_EditCallback edit)
        : display_(display), user_input_(user_input), edit_(edit) {}

    // Ends waits and makes the run stop before its next statement.
    void request_stop();

    void output(std::string_view text) override;
    std::optional<std::string> user_input(std::string_view prompt) override;
    int32_t send_data(Message_Request& request) override;
    void wait_for_outcome(int32_t request_id) override;
    int32_t get_error(int32_t request_id, std::string& message, int32_t& status, int32_t& index) override;
    int32_t get_response_value(int32_t request_id, std::string& value) override;
    int32_t clear_error_state(int32_t request_id) override;
    int32_t calc_crc(const std::vector<uint8_t>& bytes, uint16_t& crc) override;
    int32_t get_node_info(const std::string& name, Node_Record& record) override;
    std::optional<std::string> get_node_objects(const std::string& name) override;
    std::optional<std::string> get_next_instance(const std::string& name) override;
    void beep(int32_t frequency, int32_t milliseconds) override;
    void sleep(int32_t milliseconds) override;
    bool stop_requested() const override { return stop_.load(); }

private:
    QV_DisplayCallback display_;
    QV_UserInputCallback user_input_;
    QV_EditCallback edit_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::condition_variable woken_;
};
