#include "ui/message_file.h"

#include <QFile>
#include <QTextStream>

#include "ui/texts.h"

namespace message_file {
namespace {
QString flag(bool on) { return on ? QStringLiteral("1") : QStringLiteral("0"); }

// Hands out the lines in order; nothing once they are used up.
class Line_Reader {
public:
    explicit Line_Reader(const QStringList& lines) : lines_(lines) {}
    std::optional<QString> next() {
        if (at_ >= lines_.size()) return std::nullopt;
        return lines_[at_++];
    }
    qsizetype remaining() const { return lines_.size() - at_; }

private:
    const QStringList& lines_;
    qsizetype at_ = 0;
};
}  // namespace

QStringList lines_of(const Settings& settings) {
    QStringList lines;
    lines << (settings.class_text.isEmpty() ? QString(texts::kClassB) : settings.class_text);
    lines << settings.community << settings.drop_address << flag(settings.group_address);
    if (settings.encoding == Encoding::dynamic_object) {
        lines << "1" << settings.dyn_obj_number << texts::kNone;
    } else if (settings.encoding == Encoding::normal_snmp) {
        lines << "0" << settings.dyn_obj_number << QString::number(settings.objects.size());
        lines << settings.objects;
    }
    if (settings.types)
        for (bool type : *settings.types) lines << flag(type);
    lines << flag(settings.edit_byte_stream);
    return lines;
}

void read_lines(const QStringList& lines, Settings& settings) {
    Line_Reader in(lines);
    std::optional<QString> line;
    if (!(line = in.next())) return;
    settings.class_text = *line;
    if (!(line = in.next())) return;
    settings.community = *line;
    if (!(line = in.next())) return;
    settings.drop_address = *line;
    if (!(line = in.next())) return;
    settings.group_address = *line == "1";
    if (!(line = in.next())) return;
    settings.encoding = *line == "1" ? Encoding::dynamic_object : Encoding::normal_snmp;
    if (!(line = in.next())) return;
    settings.dyn_obj_number = *line;
    if (settings.encoding == Encoding::dynamic_object) {
        if (!in.next()) return;  // "NONE"
    } else {
        settings.objects.clear();
        if (!(line = in.next())) return;
        bool ok = false;
        const qlonglong count = line->trimmed().toLongLong(&ok);
        for (qlonglong i = 0; ok && i < count && in.remaining() > 0; ++i) settings.objects << *in.next();
    }
    std::array<bool, 4> types = settings.types.value_or(std::array<bool, 4>{});
    for (bool& type : types) {
        if (!(line = in.next())) {
            settings.types = types;
            return;
        }
        type = *line == "1";
    }
    settings.types = types;
    if (!(line = in.next())) return;
    settings.edit_byte_stream = *line == "1";
}

bool save(const QString& path, const Settings& settings) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) return false;
    QTextStream out(&file);
    for (const QString& line : lines_of(settings)) out << line << '\n';
    return true;
}

bool load(const QString& path, Settings& settings) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
    QTextStream in(&file);
    QStringList lines;
    while (!in.atEnd()) lines << in.readLine();
    read_lines(lines, settings);
    return true;
}
}  // namespace message_file
