// "Edit Byte Stream": one encoded frame field by field before it is sent.
#pragma once

#include <QDialog>
#include <array>

#include "quorvan.h"
#include "ui/byte_stream.h"

class QLineEdit;

class TEditByteStrmFm : public QDialog {
    Q_OBJECT
public:
    explicit TEditByteStrmFm(QWidget* parent = nullptr);

    // Shows the frame modally; OK replaces the frame by the edited fields,
    // Cancel leaves it as it was. Returns true when the frame was replaced.
    bool edit(Encoded_Frame& frame);

    byte_stream::Fields fields() const;
    void set_fields(const byte_stream::Fields& fields);

public slots:
    void update_crc();
    void save_fields();
    void load_fields();

private:
    void accept_fields();

    std::array<QLineEdit*, byte_stream::kFieldCount> edits_{};
    Encoded_Frame* frame_ = nullptr;
};
