#include "ui/dyn_table_form.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <array>
#include <string>
#include <vector>

#include "quorvan.h"
#include "ui/dyn_defined.h"
#include "ui/engine_callbacks.h"
#include "ui/inst_select_form.h"
#include "ui/texts.h"

namespace {
constexpr const char* kTreeFile = "isotree.txt";
constexpr const char* kAtMostObjects = "At most 26 objects can be in one dynamic object!";
constexpr int kValueRole = Qt::UserRole;

template <typename W>
W* named(W* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

void warn(QWidget* parent, const char* text) { QMessageBox::warning(parent, texts::kWarnings, text); }
}  // namespace

TDynTableFm::TDynTableFm(int number, QWidget* parent) : QDialog(parent) {
    setObjectName("TDynTableFm");
    setWindowTitle(texts::kDynTableCaption);

    number_ = named(new QSpinBox(this), "DynNo");
    number_->setRange(dyn_defined::kFirst, dyn_defined::kLast);
    number_->setValue(number);
    number_->findChild<QLineEdit*>()->setReadOnly(true);  // stepped by its arrows only
    owner_ = named(new QLineEdit(this), "OwnerBox");
    auto* delete_obj = named(new QPushButton(texts::kDeleteDynObj, this), "DeleteObj");
    auto* upper = new QHBoxLayout;
    upper->addWidget(new QLabel("Dynamic Object Number", this));
    upper->addWidget(number_);
    upper->addWidget(new QLabel("Owner", this));
    upper->addWidget(owner_, 1);
    upper->addWidget(delete_obj);

    tree_ = named(new QTreeWidget(this), "TreeView1");
    tree_->setHeaderLabel("Object Tree");
    load_tree_file(*tree_, kTreeFile);
    list_ = named(new QListWidget(this), "ListBox1");
    list_->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* set_value = new QAction("Set Value", list_);
    set_value->setObjectName("SetValue1");
    list_->addAction(set_value);
    auto* add = named(new QPushButton("Add", this), "add");
    auto* insert = named(new QPushButton("Insert", this), "insert");
    auto* remove = named(new QPushButton("Remove", this), "remove");
    auto* ok = named(new QPushButton("OK", this), "ok");
    auto* cancel = named(new QPushButton("Cancel", this), "cancel");
    auto* buttons = new QVBoxLayout;
    for (QPushButton* b : {add, insert, remove}) buttons->addWidget(b);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* selected = new QVBoxLayout;
    selected->addWidget(new QLabel("Selected Object", this));
    selected->addWidget(list_);
    auto* lower = new QHBoxLayout;
    lower->addWidget(tree_, 1);
    lower->addLayout(buttons);
    lower->addLayout(selected, 1);

    community_ = named(new QLineEdit(texts::kDefaultCommunity, this), "CommName");
    address_ = named(new QSpinBox(this), "AddressDrop");
    address_->setRange(0, 0x7FFFFFFF);
    address_->setValue(1);
    group_ = named(new QCheckBox("Group Address", this), "GroupAddressBox");
    edit_ = named(new QCheckBox("Edit Byte Stream Before Submission", this), "EditByteButton");
    auto* address_group = new QGroupBox("Address", this);
    auto* address_layout = new QFormLayout(address_group);
    address_layout->addRow("Drop #", address_);
    address_layout->addRow(group_);
    auto* third = new QHBoxLayout;
    auto* community_form = new QFormLayout;
    community_form->addRow("Community Name", community_);
    third->addLayout(community_form);
    third->addWidget(address_group);
    third->addWidget(edit_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(upper);
    layout->addLayout(lower, 1);
    layout->addLayout(third);

    connect(number_, &QSpinBox::valueChanged, this, &TDynTableFm::show_number);
    connect(delete_obj, &QPushButton::clicked, this, &TDynTableFm::delete_clicked);
    connect(add, &QPushButton::clicked, this, &TDynTableFm::add_clicked);
    connect(insert, &QPushButton::clicked, this, &TDynTableFm::insert_clicked);
    connect(remove, &QPushButton::clicked, this, &TDynTableFm::remove_clicked);
    connect(set_value, &QAction::triggered, this, &TDynTableFm::set_value_clicked);
    connect(tree_, &QTreeWidget::itemDoubleClicked, this, [this] { add_or_insert(list_->currentRow() >= 0); });
    connect(ok, &QPushButton::clicked, this, &TDynTableFm::ok_clicked);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    resize(860, 560);
    show_number(number);
}

void TDynTableFm::show_number(int number) {
    list_->clear();
    owner_->clear();
    std::string names(QV_DYN_TEXT_SIZE, '\0');
    std::string owners(QV_DYN_TEXT_SIZE, '\0');
    std::string values(QV_DYN_TEXT_SIZE, '\0');
    std::array<uint8_t, QV_MAX_DYN_ENTRIES> types{};
    int32_t count = 0;
    if (GetDynObjList(number, names.data(), owners.data(), values.data(), types.data(), &count) <= 0) return;
    list_->addItems(QString::fromLatin1(names.c_str()).split('\n', Qt::SkipEmptyParts).mid(0, kMaxObjects));
    owner_->setText(QString::fromLatin1(owners.c_str()).section('\n', 0, 0));
}

void TDynTableFm::add_or_insert(bool insert) {
    const QTreeWidgetItem* item = tree_->currentItem();
    if (item == nullptr || item->childCount() > 0) return;  // only leaves are objects
    if (insert && list_->currentRow() < 0) {
        warn(this, texts::kSelectToInsert);
        return;
    }
    QString name = item->text(0);
    if (name.contains(".X") && !choose_column_instance(this, name, name, insert)) return;
    if (!list_->findItems(name, Qt::MatchExactly).isEmpty()) {
        warn(this, texts::kAlreadySelected);
        return;
    }
    if (insert && list_->currentRow() < 0) {
        warn(this, texts::kSelectToInsert);
        return;
    }
    if (list_->count() >= kMaxObjects) {
        warn(this, kAtMostObjects);
        return;
    }
    if (insert) list_->insertItem(list_->currentRow(), name);
    else list_->addItem(name);
}

void TDynTableFm::add_clicked() { add_or_insert(false); }
void TDynTableFm::insert_clicked() { add_or_insert(true); }

void TDynTableFm::remove_clicked() {
    const int row = list_->currentRow();
    if (row >= 0) delete list_->takeItem(row);
}

void TDynTableFm::delete_clicked() {
    list_->clear();
    owner_->clear();
}

void TDynTableFm::set_value_clicked() {
    QListWidgetItem* item = list_->currentItem();
    if (item == nullptr) return;
    TSetValueFm form(item->text(), item->data(kValueRole).toString(), this);
    if (form.exec() == QDialog::Accepted) item->setData(kValueRole, form.value());
}

QStringList TDynTableFm::selected_objects() const {
    QStringList names;
    for (int row = 0; row < list_->count(); ++row) names << list_->item(row)->text();
    return names;
}

void TDynTableFm::ok_clicked() {
    // The request's texts live here for the length of the calls.
    std::string protocol = "SNMP", class_name = texts::kClassB;
    std::string community = community_->text().toStdString();
    std::string owner = owner_->text().toStdString();
    std::vector<std::string> names;
    for (const QString& name : selected_objects()) names.push_back(name.toStdString());
    Message_Request request{};
    request.protocol = protocol.data();
    request.class_name = class_name.data();
    request.community = community.data();
    request.address = address_->value();
    request.group_address = group_->isChecked() ? 1 : 0;
    request.dyn_obj_number = number_->value();
    request.edit_byte_stream = edit_->isChecked() ? 1 : 0;
    request.object_count = static_cast<int32_t>(names.size());
    for (size_t k = 0; k < names.size(); ++k) {
        request.object_names[k] = names[k].data();
        request.values[k] = owner.data();
        request.value_types[k] = QV_TYPE_DISPLAY_TEXT;
    }
    const int32_t number = request.dyn_obj_number;
    if (DynObjSync(&request, engine_callbacks::display, engine_callbacks::edit) == -1)
        warn(this, texts::kDynSyncFailed);
    else
        dyn_defined::mark(number);
    // DynObjSync leaves the record's texts ours but its flags and count those
    // of its last Set: keep the definition from the window's own fields.
    Message_Request kept{};
    kept.community = community.data();
    kept.address = address_->value();
    kept.group_address = group_->isChecked() ? 1 : 0;
    kept.dyn_obj_number = number;
    kept.edit_byte_stream = edit_->isChecked() ? 1 : 0;
    kept.object_count = static_cast<int32_t>(names.size());
    for (size_t k = 0; k < names.size(); ++k) kept.object_names[k] = names[k].data();
    kept.values[0] = owner.data();
    DynObjKeepDefinition(&kept);
    accept();
}
