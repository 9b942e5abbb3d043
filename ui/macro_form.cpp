#include "ui/macro_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "quorvan.h"
#include "ui/engine_callbacks.h"
#include "ui/texts.h"

TMacroFm::TMacroFm(QWidget* parent) : QDialog(parent) {
    setObjectName("TMacroFm");
    setWindowTitle(texts::kMacroCaption);
    macro_name_ = new QLineEdit(this);
    macro_name_->setObjectName("MacroName");
    auto* run = new QPushButton("Run", this);
    run->setObjectName("RunButton");
    run->setDefault(true);
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setObjectName("CancelButton");
    connect(run, &QPushButton::clicked, this, &TMacroFm::run_clicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Macro:", this));
    row->addWidget(macro_name_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(run);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(row);
    layout->addLayout(buttons);
    resize(420, sizeHint().height());
}

void TMacroFm::run_clicked() {
    const QString name = macro_name_->text();
    if (name.isEmpty()) {
        QMessageBox::critical(this, texts::kError, texts::kNoMacro);
        return;
    }
    accept();
    Macro(name.toLocal8Bit().constData(), engine_callbacks::display, engine_callbacks::user_input,
          engine_callbacks::edit);
}
