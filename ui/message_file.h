// A message file ("*.msg"): the send-message window's settings, one value
// a line: class, community, drop address, group flag; the object encoding
// ("1", the dynamic object number, "NONE" for a dynamic object; "0", the
// number, the count and the object names for normal SNMP; nothing when
// neither is chosen); four message-type lines (Get, Get Next, Set,
// Set w/o Reply; none when no type is chosen); the edit-byte-stream flag.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

namespace message_file {
enum class Encoding { neither, normal_snmp, dynamic_object };

struct Settings {
    QString class_text;
    QString community;
    QString drop_address;
    bool group_address = false;
    Encoding encoding = Encoding::normal_snmp;
    QString dyn_obj_number;
    QStringList objects;
    // Get, Get Next, Set, Set w/o Reply; nothing when no type is chosen.
    std::optional<std::array<bool, 4>> types;
    bool edit_byte_stream = false;
};

QStringList lines_of(const Settings& settings);

// Reads the lines over the settings; a file shorter than its layout leaves
// the remaining settings as they were, and a count beyond the lines there
// are takes the names there are.
void read_lines(const QStringList& lines, Settings& settings);

bool save(const QString& path, const Settings& settings);
bool load(const QString& path, Settings& settings);
}  // namespace message_file
