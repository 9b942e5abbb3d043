#include "ui/line_activity.h"

#include <QFile>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QStringList>

Line_Activity::Line_Activity(QPlainTextEdit* view, QString log_path) : view_(view), log_path_(std::move(log_path)) {}

void Line_Activity::append_to_log(const QString& text) const {
    QFile log(log_path_);
    if (!log.open(QIODevice::Append)) return;  // a log that cannot be opened costs the line only
    log.write(text.toLatin1());
}

bool Line_Activity::show(const QString& text) {
    append_to_log(text);
    QStringList pieces = text.split(QLatin1Char('\n'));
    // A text ending in a line feed adds no empty line after it.
    if (pieces.size() > 1 && pieces.back().isEmpty()) pieces.pop_back();
    view_->setUpdatesEnabled(false);
    for (QString piece : pieces) {
        piece.replace(QChar(8), QLatin1Char(' '));
        count_ += static_cast<int>(piece.size()) + 1;
        if (count_ <= kMaxCharacters) {
            view_->appendPlainText(piece);
        } else {
            view_->setPlainText(piece);
            count_ = 0;
        }
    }
    view_->setUpdatesEnabled(true);
    if (pieces.isEmpty()) return false;
    view_->moveCursor(QTextCursor::End);
    view_->ensureCursorVisible();
    return true;
}
