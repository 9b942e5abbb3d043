#include "ui/user_input_form.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/texts.h"

TUserInputFm::TUserInputFm(QWidget* parent) : QDialog(parent) {
    setObjectName("TUserInputFm");
    setWindowTitle(texts::kUserInputCaption);
    instruction_ = new QLabel(this);
    instruction_->setObjectName("Instruction");
    instruction_->setWordWrap(true);
    input_ = new QLineEdit(this);
    input_->setObjectName("Input");
    auto* ok = new QPushButton("OK", this);
    ok->setObjectName("OKBtn");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(instruction_);
    layout->addWidget(input_);
    layout->addWidget(ok, 0, Qt::AlignRight);
    resize(420, sizeHint().height());
}

bool TUserInputFm::ask(const QString& prompt, QString& answer) {
    instruction_->setText(prompt);
    input_->clear();
    if (exec() != QDialog::Accepted) return false;
    answer = input_->text();
    return true;
}
