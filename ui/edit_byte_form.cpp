#include "ui/edit_byte_form.h"

#include <QDialogButtonBox>
#include <QFile>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTextStream>
#include <QVBoxLayout>

#include "ui/texts.h"

namespace {
struct Field_Name {
    const char* object_name;
    const char* label;
};
constexpr std::array<Field_Name, byte_stream::kFieldCount> kFields{{{"OpenFlagEdit", "Opening Flag"},
                                                                    {"AddressEdit", "Address"},
                                                                    {"ControlEdit", "Control"},
                                                                    {"IPIEdit", "IPI"},
                                                                    {"PDUEdit", "PDU"},
                                                                    {"CRCEdit", "CRC"},
                                                                    {"CloseFlagEdit", "Closing Flag"}}};
}  // namespace

TEditByteStrmFm::TEditByteStrmFm(QWidget* parent) : QDialog(parent) {
    setObjectName("TEditByteStrmFm");
    setWindowTitle(texts::kEditByteStream);
    auto* form = new QFormLayout;
    for (int k = 0; k < byte_stream::kFieldCount; ++k) {
        edits_[k] = new QLineEdit(this);
        edits_[k]->setObjectName(kFields[k].object_name);
        if (k == byte_stream::kCrcField) {
            auto* group = new QGroupBox(kFields[k].label, this);
            auto* row = new QHBoxLayout(group);
            auto* update = new QPushButton("Update", group);
            update->setObjectName("UpdateButton");
            connect(update, &QPushButton::clicked, this, &TEditByteStrmFm::update_crc);
            row->addWidget(edits_[k]);
            row->addWidget(update);
            form->addRow(group);
        } else {
            form->addRow(kFields[k].label, edits_[k]);
        }
    }
    auto* buttons = new QHBoxLayout;
    const std::array<std::pair<const char*, const char*>, 4> names{
        {{"SaveButton", "Save"}, {"LoadButton", "Load"}, {"OKButton", "OK"}, {"CancelButton", "Cancel"}}};
    std::array<QPushButton*, 4> made{};
    for (std::size_t i = 0; i < names.size(); ++i) {
        made[i] = new QPushButton(names[i].second, this);
        made[i]->setObjectName(names[i].first);
        buttons->addWidget(made[i]);
    }
    connect(made[0], &QPushButton::clicked, this, &TEditByteStrmFm::save_fields);
    connect(made[1], &QPushButton::clicked, this, &TEditByteStrmFm::load_fields);
    connect(made[2], &QPushButton::clicked, this, &TEditByteStrmFm::accept_fields);
    connect(made[3], &QPushButton::clicked, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
    resize(640, layout->sizeHint().height());
}

byte_stream::Fields TEditByteStrmFm::fields() const {
    byte_stream::Fields fields;
    for (int k = 0; k < byte_stream::kFieldCount; ++k) fields[k] = edits_[k]->text();
    return fields;
}

void TEditByteStrmFm::set_fields(const byte_stream::Fields& fields) {
    for (int k = 0; k < byte_stream::kFieldCount; ++k) edits_[k]->setText(fields[k]);
}

bool TEditByteStrmFm::edit(Encoded_Frame& frame) {
    frame_ = &frame;
    set_fields(byte_stream::fields_of(frame));
    const bool replaced = exec() == QDialog::Accepted;
    frame_ = nullptr;
    return replaced;
}

void TEditByteStrmFm::accept_fields() {
    if (frame_ != nullptr) {
        Encoded_Frame edited = *frame_;
        // A field that is not hexadecimal, or a frame beyond the line's limit,
        // keeps the window open: nothing half-written reaches the line.
        if (!byte_stream::write_fields(fields(), edited)) return;
        *frame_ = edited;
    }
    accept();
}

void TEditByteStrmFm::update_crc() {
    const std::optional<std::vector<uint8_t>> bytes = byte_stream::checked_bytes(fields());
    if (!bytes) return;
    uint16_t fcs = 0;
    if (CalcCrc(bytes->data(), static_cast<uint16_t>(bytes->size()), &fcs) != 0) return;
    edits_[byte_stream::kCrcField]->setText(byte_stream::crc_text(fcs));
}

void TEditByteStrmFm::save_fields() {
    const QString name =
        QFileDialog::getSaveFileName(this, QString(), QString(), texts::kByteStreamFilter, nullptr);
    if (name.isEmpty()) return;
    QFile file(name.endsWith(".byt") || name.contains('.') ? name : name + ".byt");
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return;
    QTextStream out(&file);
    for (const QString& field : fields()) out << field << '\n';
}

void TEditByteStrmFm::load_fields() {
    const QString name = QFileDialog::getOpenFileName(this, QString(), QString(), texts::kByteStreamFilter);
    if (name.isEmpty()) return;
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly)) return;
    QTextStream in(&file);
    for (int k = 0; k < byte_stream::kFieldCount && !in.atEnd(); ++k) edits_[k]->setText(in.readLine());
}
