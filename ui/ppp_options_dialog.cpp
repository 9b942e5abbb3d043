#include "ui/ppp_options_dialog.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <cstdlib>
#include <optional>

#include "quorvan.h"
#include "ui/texts.h"

namespace {
// The authentication protocols the choice names.
constexpr uint32_t kPap = 0xC023;
constexpr uint32_t kChap = 0xC223;

template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

// The number in a ticked box's field; 0 for an unticked box; nothing for a
// text that is no 32-bit decimal number.
std::optional<uint32_t> ticked_number(const QCheckBox* box, const QLineEdit* field) {
    if (!box->isChecked()) return 0u;
    bool ok = false;
    const uint32_t value = field->text().trimmed().toUInt(&ok, 10);
    if (!ok) return std::nullopt;
    return value;
}

uint8_t ticked(const QCheckBox* box) { return box->isChecked() ? 1 : 0; }
}  // namespace

TpppConfigureOptionsDialog::TpppConfigureOptionsDialog(QWidget* parent) : QDialog(parent) {
    setObjectName("TpppConfigureOptionsDialog");
    setWindowTitle(texts::kPppOptionsCaption);
    reserved_ = named(new QCheckBox("Reserved", this), "ReservedBox");
    mru_box_ = named(new QCheckBox("Maximum Receive Unit", this), "MRUBox");
    map_box_ = named(new QCheckBox("Async Control Character Map", this), "ACCMBox");
    auth_box_ = named(new QCheckBox("Authentication Protocol", this), "AuthenticationBox");
    magic_box_ = named(new QCheckBox("Magic Number", this), "MagicNumberBox");
    quality_box_ = named(new QCheckBox("Quality Protocol", this), "QualityProtocolBox");
    acfc_box_ = named(new QCheckBox("Address and Control Field Compression", this), "ACFCBox");
    pfc_box_ = named(new QCheckBox("Protocol Field Compression", this), "PFCBox");
    fcs_box_ = named(new QCheckBox("FCS Alternative", this), "FCSAlternativeBox");
    pad_box_ = named(new QCheckBox("Self Describing Pad", this), "SelfDescribingPadBox");
    callback_box_ = named(new QCheckBox("Callback", this), "CallbackBox");
    numbered_box_ = named(new QCheckBox("Numbered Mode", this), "NumberedModeBox");
    mru_ = named(new QLineEdit(this), "MRUEdit");
    map_ = named(new QLineEdit(this), "ACCMEdit");
    magic_ = named(new QLineEdit(this), "MagicNumberEdit");
    quality_ = named(new QLineEdit(this), "QualityProtocolEdit");
    fcs_ = named(new QLineEdit(this), "FCSAlternativeEdit");
    other_auth_ = named(new QLineEdit(this), "AuthenticationEdit");
    pap_ = named(new QRadioButton("PAP", this), "PAPButton");
    chap_ = named(new QRadioButton("CHAP", this), "CHAPButton");
    other_ = named(new QRadioButton("Other", this), "OtherButton");
    auto* choice = new QButtonGroup(this);
    for (QRadioButton* b : {pap_, chap_, other_}) choice->addButton(b);
    chap_->setChecked(true);
    auto* use = named(new QPushButton("Use These Options", this), "UseButton");
    auto* cancel = named(new QPushButton("Cancel", this), "CancelButton");
    connect(use, &QPushButton::clicked, this, [this] {
        if (UseClick()) accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout;
    int row = 0;
    grid->addWidget(mru_box_, row, 0);
    grid->addWidget(mru_, row, 1);
    grid->addWidget(new QLabel("Bytes", this), row++, 2);
    grid->addWidget(map_box_, row, 0);
    grid->addWidget(map_, row++, 1);
    grid->addWidget(auth_box_, row, 0);
    auto* auth_row = new QHBoxLayout;
    for (QRadioButton* b : {pap_, chap_, other_}) auth_row->addWidget(b);
    auth_row->addWidget(other_auth_);
    grid->addLayout(auth_row, row++, 1, 1, 2);
    grid->addWidget(quality_box_, row, 0);
    grid->addWidget(quality_, row++, 1);
    grid->addWidget(magic_box_, row, 0);
    grid->addWidget(magic_, row++, 1);
    grid->addWidget(fcs_box_, row, 0);
    grid->addWidget(fcs_, row++, 1);
    for (QCheckBox* box : {pfc_box_, acfc_box_, pad_box_, numbered_box_, callback_box_, reserved_})
        grid->addWidget(box, row++, 0, 1, 2);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(use);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addLayout(buttons);
    load();
}

void TpppConfigureOptionsDialog::load() {
    uint32_t mru = 0, authentication = 0, quality = 0, magic = 0, reserved = 0, fcs = 0;
    uint8_t pfc = 0, acfc = 0, pad = 0, numbered = 0, callback = 0, further = 0;
    char* map = nullptr;
    GetLCPOptions(&mru, &map, &authentication, &quality, &magic, &pfc, &acfc, &reserved, &fcs, &pad, &numbered,
                  &callback, &further);
    const QString map_text = map != nullptr ? QString::fromLatin1(map) : QString();
    std::free(map);
    const auto show = [](QCheckBox* box, QLineEdit* field, uint32_t value) {
        box->setChecked(value != 0);
        field->setText(value != 0 ? QString::number(value) : QString());
    };
    show(mru_box_, mru_, mru);
    show(quality_box_, quality_, quality);
    show(magic_box_, magic_, magic);
    show(fcs_box_, fcs_, fcs);
    map_box_->setChecked(!map_text.isEmpty());
    map_->setText(map_text);
    auth_box_->setChecked(authentication != 0);
    if (authentication == kPap) pap_->setChecked(true);
    else if (authentication == kChap || authentication == 0) chap_->setChecked(true);
    else {
        other_->setChecked(true);
        other_auth_->setText(QString::number(authentication));
    }
    reserved_->setChecked(reserved != 0);
    pfc_box_->setChecked(pfc == 1);
    acfc_box_->setChecked(acfc == 1);
    pad_box_->setChecked(pad == 1);
    numbered_box_->setChecked(numbered == 1);
    callback_box_->setChecked(callback == 1);
}

bool TpppConfigureOptionsDialog::UseClick() {
    struct Number {
        QCheckBox* box;
        QLineEdit* field;
        std::optional<uint32_t> value;
    };
    Number numbers[] = {{mru_box_, mru_, {}}, {quality_box_, quality_, {}}, {magic_box_, magic_, {}},
                        {fcs_box_, fcs_, {}}, {auth_box_, other_auth_, {}}};
    for (Number& n : numbers) {
        // The authentication field counts only with Other chosen.
        if (n.field == other_auth_ && !other_->isChecked()) {
            n.value = 0;
            continue;
        }
        n.value = ticked_number(n.box, n.field);
        if (!n.value) {
            QMessageBox::warning(this, texts::kWarnings,
                                 QString(texts::kNotADecimalNumber).arg(n.box->text(), n.field->text()));
            return false;
        }
    }
    uint32_t authentication = 0;
    if (auth_box_->isChecked()) authentication = pap_->isChecked() ? kPap : chap_->isChecked() ? kChap : *numbers[4].value;

    // The one further flag has no box here: it keeps its value.
    uint8_t further = 0;
    GetLCPOptions(nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                  nullptr, &further);
    const QByteArray map = map_box_->isChecked() ? map_->text().toLatin1() : QByteArray();
    SetLCPOptions(*numbers[0].value, map.constData(), authentication, *numbers[1].value, *numbers[2].value,
                  ticked(pfc_box_), ticked(acfc_box_), ticked(reserved_), *numbers[3].value, ticked(pad_box_),
                  ticked(numbered_box_), ticked(callback_box_), further);
    return true;
}
