// The line-activity display: every text the engine reports is appended to
// the log file and shown line by line; the view restarts with the newest
// line once it has held 20000 characters, while the log keeps everything.
#pragma once

#include <QString>

class QPlainTextEdit;

class Line_Activity {
public:
    static constexpr int kMaxCharacters = 20000;

    Line_Activity(QPlainTextEdit* view, QString log_path);

    // Shows one text; returns true when lines were added to the view.
    bool show(const QString& text);

    int character_count() const { return count_; }

private:
    void append_to_log(const QString& text) const;

    QPlainTextEdit* view_;
    QString log_path_;
    int count_ = 0;
};
