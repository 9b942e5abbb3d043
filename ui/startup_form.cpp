#include "ui/startup_form.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "quorvan.h"
#include "ui/texts.h"

TStartupFm::TStartupFm(QWidget* parent) : QDialog(parent), role_(QV_ROLE_CENTRAL) {
    setObjectName("TStartupFm");
    setWindowTitle(texts::kApplication);
    auto* product = new QLabel(texts::kApplication, this);
    product->setObjectName("ProductName");
    QFont font = product->font();
    font.setPointSize(font.pointSize() * 2);
    font.setBold(true);
    product->setFont(font);
    product->setAlignment(Qt::AlignCenter);
    auto* central = new QPushButton(texts::kCentral, this);
    central->setObjectName("CentralButton");
    auto* field = new QPushButton(texts::kField, this);
    field->setObjectName("FieldButton");
    connect(central, &QPushButton::clicked, this, [this] {
        role_ = QV_ROLE_CENTRAL;
        accept();
    });
    connect(field, &QPushButton::clicked, this, [this] {
        role_ = QV_ROLE_FIELD;
        accept();
    });
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(central);
    buttons->addWidget(field);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(product);
    layout->addLayout(buttons);
    resize(360, 160);
}
