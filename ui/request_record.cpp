#include "ui/request_record.h"

Request_Record::Request_Record() { clear(); }

void Request_Record::point() {
    request_.protocol = protocol_.data();
    request_.class_name = class_.data();
    request_.community = community_.data();
    for (int i = 0; i < QV_MAX_OBJECTS; ++i) {
        request_.object_names[i] = names_[i].data();
        request_.values[i] = values_[i].data();
    }
}

void Request_Record::clear() {
    request_ = Message_Request{};
    protocol_.clear();
    class_.clear();
    community_.clear();
    for (auto& name : names_) name.clear();
    for (auto& value : values_) value.clear();
    point();
}

void Request_Record::set_protocol(const QString& text) {
    protocol_ = text.toStdString();
    point();
}

void Request_Record::set_class(const QString& text) {
    class_ = text.toStdString();
    point();
}

void Request_Record::set_community(const QString& text) {
    community_ = text.toLatin1().toStdString();
    point();
}

void Request_Record::set_objects(const QStringList& names) {
    const int count = static_cast<int>(std::min<qsizetype>(names.size(), QV_MAX_OBJECTS));
    for (int i = 0; i < QV_MAX_OBJECTS; ++i) names_[i] = i < count ? names[i].toLatin1().toStdString() : std::string();
    request_.object_count = count;
    point();
}

void Request_Record::set_value(int slot, const QString& value) {
    if (slot < 0 || slot >= QV_MAX_OBJECTS) return;
    values_[slot] = value.toLatin1().toStdString();
    point();
}

QString Request_Record::value(int slot) const {
    if (slot < 0 || slot >= QV_MAX_OBJECTS) return QString();
    return QString::fromStdString(values_[slot]);
}
