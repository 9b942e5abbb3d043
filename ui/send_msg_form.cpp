#include "ui/send_msg_form.h"

#include <QApplication>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "quorvan.h"
#include "ui/call_log.h"
#include "ui/dyn_defined.h"
#include "ui/engine_callbacks.h"
#include "ui/inst_select_form.h"
#include "ui/request_record.h"
#include "ui/texts.h"

namespace {
template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

// Shows the busy cursor while it lives.
struct Busy_Cursor {
    Busy_Cursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~Busy_Cursor() { QApplication::restoreOverrideCursor(); }
};
}  // namespace

TSendMSGFm::TSendMSGFm(Request_Record& record, Call_Log& call_log, QWidget* parent)
    : QDialog(parent), record_(record), call_log_(call_log) {
    setObjectName("TSendMSGFm");
    setWindowTitle(texts::kSendMessage);
    browser_ = new TInstSelectFm(TInstSelectFm::Mode::central, this);

    class_ = named(new QComboBox(this), "ClassComboBox");
    class_->addItems({texts::kPoll, texts::kClassB});
    class_->setCurrentText(texts::kClassB);
    community_ = named(new QComboBox(this), "CommComboBox");
    community_->setEditable(true);
    community_->setCurrentText(texts::kDefaultCommunity);
    address_ = named(new QSpinBox(this), "AddressDrop");
    address_->setRange(0, 0x7FFFFFFF);
    address_->setValue(1);
    group_ = named(new QCheckBox("Group Address", this), "GroupAddressBox");
    get1_ = named(new QRadioButton("Get", this), "Get1Button");
    get2_ = named(new QRadioButton("Get Next", this), "Get2Button");
    set1_ = named(new QRadioButton("Set", this), "Set1Button");
    set2_ = named(new QRadioButton("Set w/o Reply", this), "Set2Button");
    set2_->setEnabled(false);
    snmp_ = named(new QRadioButton("Normal SNMP", this), "SNMPButton");
    dyn_obj_ = named(new QRadioButton("Dynamic Object", this), "DynObjButton");
    dyn_number_ = named(new QSpinBox(this), "DynObjEdit");
    dyn_number_->setRange(0, 13);
    dyn_number_->setValue(1);
    dyn_number_->setEnabled(false);
    objects_ = named(new QListWidget(this), "ObjListBox");
    edit_ = named(new QPushButton("Edit", this), "AddRemove");
    edit_byte_ = named(new QCheckBox("Edit Byte Stream Before Submission", this), "EditByteButton");
    send_ = named(new QPushButton("Send", this), "Send");
    auto* save = named(new QPushButton("Save", this), "saveButton");
    auto* load = named(new QPushButton("Load", this), "LoadButton");
    auto* cancel = named(new QPushButton("Cancel", this), "Button3");

    connect(class_, &QComboBox::currentTextChanged, this, &TSendMSGFm::ClassComboBoxChange);
    connect(dyn_obj_, &QRadioButton::clicked, this, &TSendMSGFm::DynObjButtonClick);
    connect(snmp_, &QRadioButton::clicked, this, &TSendMSGFm::SNMPButtonClick);
    connect(group_, &QCheckBox::clicked, this, &TSendMSGFm::GroupAddressBoxClick);
    connect(edit_, &QPushButton::clicked, this, &TSendMSGFm::EditClick);
    connect(send_, &QPushButton::clicked, this, &TSendMSGFm::SendClick);
    connect(save, &QPushButton::clicked, this, &TSendMSGFm::saveButtonClick);
    connect(load, &QPushButton::clicked, this, &TSendMSGFm::LoadButtonClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);

    auto* top = new QFormLayout;
    top->addRow("Class", class_);
    top->addRow("Community", community_);
    auto* address_row = new QHBoxLayout;
    address_row->addWidget(address_);
    address_row->addWidget(group_);
    top->addRow("Drop #", address_row);

    auto* types = new QGroupBox("Message Type", this);
    auto* types_layout = new QVBoxLayout(types);
    for (QRadioButton* b : {get1_, get2_, set1_, set2_}) types_layout->addWidget(b);
    auto* encoding = new QGroupBox("Object Encoding", this);
    auto* encoding_layout = new QVBoxLayout(encoding);
    encoding_layout->addWidget(snmp_);
    auto* dyn_row = new QHBoxLayout;
    dyn_row->addWidget(dyn_obj_);
    dyn_row->addWidget(dyn_number_);
    encoding_layout->addLayout(dyn_row);
    // The two choices are separate groups of radio buttons.
    auto* type_group = new QButtonGroup(this);
    for (QRadioButton* b : {get1_, get2_, set1_, set2_}) type_group->addButton(b);
    auto* encoding_group = new QButtonGroup(this);
    encoding_group->addButton(snmp_);
    encoding_group->addButton(dyn_obj_);
    get1_->setChecked(true);
    snmp_->setChecked(true);

    auto* choices = new QHBoxLayout;
    choices->addWidget(types);
    choices->addWidget(encoding);
    auto* list_row = new QHBoxLayout;
    list_row->addWidget(objects_);
    list_row->addWidget(edit_, 0, Qt::AlignTop);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {send_, save, load, cancel}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(choices);
    layout->addLayout(list_row);
    layout->addWidget(edit_byte_);
    layout->addLayout(buttons);
}

void TSendMSGFm::ClassComboBoxChange() {
    const bool poll = class_->currentText() == texts::kPoll;
    if (poll) {
        group_->setChecked(true);
        GroupAddressBoxClick();
    }
    for (QWidget* w : std::initializer_list<QWidget*>{get1_, get2_, set1_, snmp_, dyn_obj_, dyn_number_, edit_})
        w->setEnabled(!poll);
    set2_->setEnabled(false);
    if (!poll) {
        snmp_->setChecked(true);
        objects_->setEnabled(true);
    }
}

void TSendMSGFm::DynObjButtonClick() {
    dyn_number_->setEnabled(dyn_obj_->isChecked());
    objects_->setEnabled(false);
    snmp_->setChecked(false);
    set2_->setEnabled(true);
}

void TSendMSGFm::SNMPButtonClick() {
    objects_->setEnabled(true);
    edit_->setEnabled(true);
    dyn_number_->setEnabled(false);
    set2_->setEnabled(false);
}

void TSendMSGFm::GroupAddressBoxClick() { address_->setEnabled(!group_->isChecked()); }

void TSendMSGFm::show_browser() {
    browser_->load_tree("isotree.txt");
    if (browser_->exec() == QDialog::Accepted) {
        objects_->clear();
        objects_->addItems(browser_->selected_objects());
    }
}

void TSendMSGFm::EditClick() {
    if (!dyn_obj_->isChecked()) {
        browser_->setWindowTitle("Object Browser");
        show_browser();
        return;
    }
    std::string names(QV_DYN_TEXT_SIZE, '\0');
    std::string owners(QV_DYN_TEXT_SIZE, '\0');
    std::string values(QV_DYN_TEXT_SIZE, '\0');
    std::array<uint8_t, QV_MAX_DYN_ENTRIES> types{};
    int32_t count = 0;
    if (GetDynObjList(dyn_number_->value(), names.data(), owners.data(), values.data(), types.data(), &count) < 0) {
        QMessageBox::warning(this, texts::kWarnings, texts::kDynListFailed);
        return;
    }
    browser_->setWindowTitle(texts::kDynValuesCaption + QString::number(dyn_number_->value()));
    browser_->set_selected_objects(QString::fromLatin1(names.c_str()).split('\n', Qt::SkipEmptyParts));
    browser_->exec();
}

// The one place that knows whether a dynamic object is defined: the user
// defined it in this run (the definition window's OK, a loaded ".dyn" file),
// or the engine's table lists its variables (the device's answers put them
// there). No engine call reports the flag itself.
bool TSendMSGFm::dyn_object_defined(int number) const {
    if (dyn_defined::is_defined(number)) return true;
    std::string names(QV_DYN_TEXT_SIZE, '\0');
    std::string owners(QV_DYN_TEXT_SIZE, '\0');
    std::string values(QV_DYN_TEXT_SIZE, '\0');
    std::array<uint8_t, QV_MAX_DYN_ENTRIES> types{};
    int32_t count = 0;
    return GetDynObjList(number, names.data(), owners.data(), values.data(), types.data(), &count) > 0;
}

void TSendMSGFm::fill_request() {
    record_.clear();
    Message_Request& request = record_.request();
    record_.set_community(community_->currentText());
    const QString class_text = class_->currentText();
    if (class_text == texts::kClassB || class_text == texts::kDialup) record_.set_class(class_text);
    if (dyn_obj_->isChecked()) record_.set_protocol("STMP");
    else if (class_text == texts::kPoll) record_.set_protocol(texts::kPoll);
    else record_.set_protocol("SNMP");
    request.address = address_->value();
    request.group_address = group_->isChecked() ? 1 : 0;
    request.get = get1_->isChecked() ? 1 : 0;
    request.get_next = get2_->isChecked() ? 1 : 0;
    request.set = set1_->isChecked() ? 1 : 0;
    request.type5 = set2_->isChecked() ? 1 : 0;
    request.dynamic_object = dyn_obj_->isChecked() ? 1 : 0;
    request.normal_snmp = snmp_->isChecked() ? 1 : 0;
    request.dyn_obj_number = dyn_number_->isEnabled() ? dyn_number_->value() : 0;
    request.edit_byte_stream = edit_byte_->isChecked() ? 1 : 0;
    QStringList names;
    for (int row = 0; row < objects_->count(); ++row) names << objects_->item(row)->text();
    record_.set_objects(names);
}

bool TSendMSGFm::values_complete() const {
    for (int slot = 0; slot < record_.request().object_count; ++slot)
        if (record_.value(slot).isEmpty()) return false;
    return true;
}

void TSendMSGFm::SendClick() {
    Busy_Cursor busy;
    fill_request();
    Message_Request& request = record_.request();
    if (set1_->isChecked() || set2_->isChecked()) {
        for (;;) {
            const QStringList values = browser_->values();
            for (int slot = 0; slot < QV_MAX_OBJECTS; ++slot)
                record_.set_value(slot, slot < values.size() ? values[slot] : QString());
            if (values_complete()) break;
            const auto answer = QMessageBox::question(this, texts::kWarnings, texts::kValuesNotSet,
                                                      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
            if (answer == QMessageBox::Cancel) return;
            if (answer == QMessageBox::No) break;
            browser_->load_tree("isotree.txt");
            browser_->exec();
        }
    }
    if (dyn_obj_->isChecked() && !dyn_object_defined(dyn_number_->value())) {
        QMessageBox::warning(this, texts::kWarnings, texts::kDynNotDefined);
        return;
    }
    if (snmp_->isChecked() && class_->currentText() != texts::kPoll && objects_->count() == 0) {
        QMessageBox::warning(this, texts::kWarnings, texts::kNoObjectSelected);
        return;
    }
    record_.mark_filled();
    const int32_t result = SendData(&request, engine_callbacks::display, engine_callbacks::edit, 0);
    emit sent();
    if (result < 0) {
        QMessageBox::critical(this, texts::kError, texts::kSendFailed);
        call_log_.write(QString(texts::kSendDataFailed).arg(result));
    }
    accept();
}

message_file::Settings TSendMSGFm::settings() const {
    message_file::Settings s;
    s.class_text = class_->currentText();
    s.community = community_->currentText();
    s.drop_address = address_->text();
    s.group_address = group_->isChecked();
    s.encoding = dyn_obj_->isChecked() ? message_file::Encoding::dynamic_object
                 : snmp_->isChecked()  ? message_file::Encoding::normal_snmp
                                       : message_file::Encoding::neither;
    s.dyn_obj_number = dyn_number_->text();
    for (int row = 0; row < objects_->count(); ++row) s.objects << objects_->item(row)->text();
    if (get1_->isChecked() || get2_->isChecked() || set1_->isChecked() || set2_->isChecked())
        s.types = std::array<bool, 4>{get1_->isChecked(), get2_->isChecked(), set1_->isChecked(), set2_->isChecked()};
    s.edit_byte_stream = edit_byte_->isChecked();
    return s;
}

void TSendMSGFm::apply(const message_file::Settings& s) {
    class_->setCurrentText(s.class_text);
    community_->setCurrentText(s.community);
    address_->setValue(s.drop_address.toInt());
    group_->setChecked(s.group_address);
    GroupAddressBoxClick();
    if (s.encoding == message_file::Encoding::dynamic_object) {
        dyn_obj_->setChecked(true);
        DynObjButtonClick();
    } else {
        snmp_->setChecked(true);
        SNMPButtonClick();
    }
    dyn_number_->setValue(s.dyn_obj_number.toInt());
    objects_->clear();
    objects_->addItems(s.objects);
    browser_->set_selected_objects(s.objects);
    if (s.types) {
        // Buttons of one group: uncheck through the group's exclusivity off.
        QRadioButton* buttons[] = {get1_, get2_, set1_, set2_};
        buttons[0]->group()->setExclusive(false);
        for (int i = 0; i < 4; ++i) buttons[i]->setChecked((*s.types)[i]);
        buttons[0]->group()->setExclusive(true);
    }
    edit_byte_->setChecked(s.edit_byte_stream);
    send_->setEnabled(true);
}

bool TSendMSGFm::save_file(const QString& path) const { return message_file::save(path, settings()); }

bool TSendMSGFm::load_file(const QString& path) {
    message_file::Settings s = settings();
    if (!message_file::load(path, s)) return false;
    apply(s);
    return true;
}

void TSendMSGFm::saveButtonClick() {
    QString name = QFileDialog::getSaveFileName(this, QString(), QString(), texts::kMessageSaveFilter);
    if (name.isEmpty()) return;
    if (!name.contains('.')) name += ".msg";
    save_file(name);
}

void TSendMSGFm::LoadButtonClick() {
    const QString name = QFileDialog::getOpenFileName(this, QString(), QString(), texts::kMessageLoadFilter);
    if (!name.isEmpty()) load_file(name);
}
