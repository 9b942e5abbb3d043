// The request record the send-message window fills and Resend sends again:
// the C record of the engine's interface with the texts it points to.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <string>

#include "quorvan.h"

class Request_Record {
public:
    Request_Record();
    Request_Record(const Request_Record&) = delete;
    Request_Record& operator=(const Request_Record&) = delete;

    // Empties the texts and the flags.
    void clear();
    void set_protocol(const QString& text);
    void set_class(const QString& text);
    void set_community(const QString& text);
    // Up to QV_MAX_OBJECTS names; the values stay empty.
    void set_objects(const QStringList& names);
    void set_value(int slot, const QString& value);
    QString value(int slot) const;

    Message_Request& request() { return request_; }
    bool filled() const { return filled_; }
    void mark_filled() { filled_ = true; }

private:
    void point();

    std::string protocol_;
    std::string class_;
    std::string community_;
    std::array<std::string, QV_MAX_OBJECTS> names_;
    std::array<std::string, QV_MAX_OBJECTS> values_;
    Message_Request request_{};
    bool filled_ = false;
};
