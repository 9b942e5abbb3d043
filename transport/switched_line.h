// The line in use, which the engine changes when the port changes: a serial
// port, a socket line, or none. The receiver thread and the sender reach the
// line through it; a change waits until no write is under way (the receiver
// thread is held meanwhile by its owner).
#pragma once

#include <memory>
#include <shared_mutex>

#include "transport/line_port.h"

class Switched_Line final : public Line_Port {
public:
    // The line from now on (none: nothing to read or write); the one before
    // is closed and returned.
    std::unique_ptr<Line_Port> use(std::unique_ptr<Line_Port> line) {
        std::unique_lock hold(mutex_);
        line_.swap(line);
        if (line) line->close();
        return line;
    }

    int handle() const override {
        std::shared_lock hold(mutex_);
        return line_ ? line_->handle() : -1;
    }
    Read_Outcome read(std::span<uint8_t> buffer, size_t& count) override {
        std::shared_lock hold(mutex_);
        return line_ ? line_->read(buffer, count) : Read_Outcome::nothing;
    }
    bool write(std::span<const uint8_t> octets) override {
        std::shared_lock hold(mutex_);
        return line_ && line_->write(octets);
    }
    void close() override { use(nullptr); }
    // PMPP until a line says otherwise.
    Link_Type link() const override {
        std::shared_lock hold(mutex_);
        return line_ ? line_->link() : Link_Type::pmpp;
    }
    std::string hang_up() override {
        std::unique_lock hold(mutex_);
        return line_ ? line_->hang_up() : std::string();
    }
    bool reopen() override {
        std::unique_lock hold(mutex_);
        return line_ && line_->reopen();
    }
    std::string take_notice() override {
        std::shared_lock hold(mutex_);
        return line_ ? line_->take_notice() : std::string();
    }

private:
    mutable std::shared_mutex mutex_;
    std::unique_ptr<Line_Port> line_;
};
