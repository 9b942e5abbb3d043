#include "ui/inst_select_form.h"

#include <QComboBox>
#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTextStream>
#include <QTreeWidget>
#include <QVBoxLayout>
#include <cstdlib>

#include "quorvan.h"
#include "ui/texts.h"

namespace {
constexpr const char* kAtMostObjects = "At most 26 objects can be in one request!";

QPushButton* button(QWidget* parent, const char* name, const char* text) {
    auto* made = new QPushButton(text, parent);
    made->setObjectName(name);
    return made;
}

QLineEdit* read_only_detail(QWidget* parent, const char* name) {
    auto* made = new QLineEdit(parent);
    made->setObjectName(name);
    made->setReadOnly(true);
    return made;
}

// Frees the texts GetNodeInfo allocated.
struct Node_Info_Texts {
    Node_Info info{};
    ~Node_Info_Texts() {
        for (char* text : {info.syntax, info.access, info.status, info.further, info.oid, info.value, info.name})
            std::free(text);
    }
};

QString text_of(const char* text) { return text == nullptr ? QString() : QString::fromLatin1(text); }

void warn(QWidget* parent, const char* text) { QMessageBox::warning(parent, texts::kWarnings, text); }
}  // namespace

TInstSelectFm::TInstSelectFm(Mode mode, QWidget* parent) : QDialog(parent), mode_(mode) {
    setObjectName(mode == Mode::central ? "TInstSelectFm" : "TFieldBrowserFm");
    setWindowTitle(mode == Mode::central ? "Object Browser" : "Field Browser");
    tree_ = new QTreeWidget(this);
    tree_->setObjectName("TreeView1");
    tree_->setHeaderLabel("Object Tree");
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &TInstSelectFm::node_chosen);

    syntax_ = read_only_detail(this, "SyntaxEdit");
    access_ = read_only_detail(this, "AccessEdit");
    status_ = read_only_detail(this, "StatusEdit");
    oid_ = read_only_detail(this, "OIDEdit");
    object_name_ = read_only_detail(this, "ObjectNameEdit");
    value_ = read_only_detail(this, "ValueEdit");
    display_mode_ = new QComboBox(this);
    display_mode_->setObjectName("DisplayModeBox");
    display_mode_->addItems({texts::kDecimal, texts::kHexadecimal, texts::kObjectIdentifier});
    if (mode == Mode::field) display_mode_->addItem(texts::kAsciiString);
    else display_mode_->insertItem(2, texts::kAsciiString);
    auto* details = new QFormLayout;
    details->addRow("Syntax", syntax_);
    details->addRow("Access", access_);
    details->addRow("Status", status_);
    details->addRow("OID", oid_);
    details->addRow("Object Name", object_name_);
    details->addRow("Value", value_);
    details->addRow("Display Mode", display_mode_);

    auto* right = new QVBoxLayout;
    right->addLayout(details);
    auto* buttons = new QHBoxLayout;
    if (mode == Mode::central) {
        list_ = new QListWidget(this);
        list_->setObjectName("ListBox1");
        auto* add = button(this, "add", "Add");
        auto* insert = button(this, "insert", "Insert");
        auto* remove = button(this, "remove", "Remove");
        auto* set_value = button(this, "SetValue1", "Set Value");
        connect(add, &QPushButton::clicked, this, &TInstSelectFm::add_clicked);
        connect(tree_, &QTreeWidget::itemDoubleClicked, this, &TInstSelectFm::add_clicked);
        connect(insert, &QPushButton::clicked, this, &TInstSelectFm::insert_clicked);
        connect(remove, &QPushButton::clicked, this, &TInstSelectFm::remove_clicked);
        connect(set_value, &QPushButton::clicked, this, &TInstSelectFm::set_value_clicked);
        auto* edits = new QHBoxLayout;
        for (QPushButton* b : {add, insert, remove, set_value}) edits->addWidget(b);
        right->addWidget(new QLabel("Selected Object", this));
        right->addWidget(list_);
        right->addLayout(edits);
        auto* ok = button(this, "ok", "OK");
        auto* cancel = button(this, "cancel", "Cancel");
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
        buttons->addStretch();
        buttons->addWidget(ok);
        buttons->addWidget(cancel);
    } else {
        auto* enter = button(this, "EnterValueButton", "Enter Value");
        value_->setReadOnly(false);
        connect(enter, &QPushButton::clicked, this, &TInstSelectFm::enter_value_clicked);
        auto* ok = button(this, "ok", "OK");
        connect(ok, &QPushButton::clicked, this, &QDialog::accept);
        buttons->addWidget(enter);
        buttons->addStretch();
        buttons->addWidget(ok);
    }
    right->addStretch();
    right->addLayout(buttons);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(tree_, 1);
    layout->addLayout(right, 1);
    resize(820, 520);
}

void TInstSelectFm::load_tree(const QString& path) {
    if (tree_loaded_) return;
    tree_loaded_ = load_tree_file(*tree_, path);
}

bool load_tree_file(QTreeWidget& tree, const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) return false;
    QTextStream in(&file);
    QList<QTreeWidgetItem*> parents;  // the last item at each level
    while (!in.atEnd()) {
        const QString line = in.readLine();
        qsizetype level = 0;
        while (level < line.size() && line[level] == QLatin1Char('\t')) ++level;
        const QString name = line.mid(level).trimmed();
        if (name.isEmpty()) continue;
        // A line deeper than one below its parent hangs from the deepest there is.
        level = std::min<qsizetype>(level, parents.size());
        auto* item = level == 0 ? new QTreeWidgetItem(&tree) : new QTreeWidgetItem(parents[level - 1]);
        item->setText(0, name);
        parents.resize(level);
        parents.append(item);
    }
    return true;
}

void TInstSelectFm::clear_details() {
    for (QLineEdit* field : {syntax_, access_, status_, oid_, object_name_, value_}) field->clear();
}

void TInstSelectFm::node_chosen() {
    clear_details();
    const QTreeWidgetItem* item = tree_->currentItem();
    if (item == nullptr) return;
    QString name = item->text(0);
    if (name.endsWith(".X")) name.chop(2);  // a column: its object type
    Node_Info_Texts node;
    const int32_t result = GetNodeInfo(name.toLatin1().constData(), &node.info);
    if (result == -1 && item->childCount() > 0) return;  // a branch of the tree file only
    if (result != 0 && result != 2) {
        warn(this, texts::kNodeInfoFailed);
        return;
    }
    syntax_->setText(text_of(node.info.syntax));
    access_->setText(text_of(node.info.access));
    status_->setText(text_of(node.info.status));
    oid_->setText(text_of(node.info.oid));
    object_name_->setText(text_of(node.info.name));
    value_->setText(text_of(node.info.value));
    switch (node.info.value_type) {
    case QV_TYPE_INTEGER: display_mode_->setCurrentText(texts::kDecimal); break;
    case QV_TYPE_OCTET_STRING: display_mode_->setCurrentText(texts::kHexadecimal); break;
    case QV_TYPE_DISPLAY_TEXT: display_mode_->setCurrentText(texts::kAsciiString); break;
    default: display_mode_->setCurrentText(texts::kObjectIdentifier); break;
    }
}

bool TInstSelectFm::choose(bool& insert, QString& name) {
    const QTreeWidgetItem* item = tree_->currentItem();
    const QString text = item == nullptr ? QString() : item->text(0);
    const bool column = text.contains(".X");
    if (!column && !text.contains(".0")) {
        warn(this, texts::kNotAnInstance);
        return false;
    }
    name = text;
    if (insert && list_->currentRow() < 0) {
        warn(this, texts::kSelectToInsert);
        return false;
    }
    if (column && !choose_column_instance(this, text, name, insert)) return false;
    if (!list_->findItems(name, Qt::MatchExactly).isEmpty()) {
        warn(this, texts::kAlreadySelected);
        return false;
    }
    if (insert && list_->currentRow() < 0) {
        warn(this, texts::kSelectToInsert);
        return false;
    }
    if (list_->count() >= kMaxObjects) {
        warn(this, kAtMostObjects);
        return false;
    }
    return true;
}

void TInstSelectFm::put(bool insert, const QString& name) {
    if (insert) {
        const int row = list_->currentRow();
        list_->insertItem(row, name);
        values_.insert(row, QString());
    } else {
        list_->addItem(name);
        values_.append(QString());
    }
}

void TInstSelectFm::add_clicked() {
    bool insert = false;
    QString name;
    if (choose(insert, name)) put(insert, name);
}

void TInstSelectFm::insert_clicked() {
    bool insert = true;
    QString name;
    if (choose(insert, name)) put(insert, name);
}

void TInstSelectFm::remove_clicked() {
    const int row = list_->currentRow();
    if (row < 0) return;
    delete list_->takeItem(row);
    values_.removeAt(row);
}

void TInstSelectFm::set_value_clicked() {
    const int row = list_->currentRow();
    if (row < 0) return;
    TSetValueFm form(list_->item(row)->text(), values_[row], this);
    if (form.exec() != QDialog::Accepted) return;
    values_[row] = form.value();
}

void TInstSelectFm::enter_value_clicked() {
    const QTreeWidgetItem* item = tree_->currentItem();
    if (item == nullptr) return;
    SetInstanceValue(item->text(0).toLatin1().constData(), value_->text().toLatin1().constData(), 0);
    node_chosen();
}

QStringList TInstSelectFm::selected_objects() const {
    QStringList names;
    if (list_ != nullptr)
        for (int row = 0; row < list_->count(); ++row) names << list_->item(row)->text();
    return names;
}

void TInstSelectFm::set_selected_objects(const QStringList& names) {
    if (list_ == nullptr) return;
    list_->clear();
    list_->addItems(names.mid(0, kMaxObjects));
    values_ = QStringList();
    for (qsizetype i = 0; i < list_->count(); ++i) values_ << QString();
}

bool choose_column_instance(QWidget* parent, const QString& column, QString& name, bool& insert) {
    QString column_name = column;
    column_name.remove(".X");
    std::string names_buffer(QV_INDEX_NAMES_SIZE, '\0');
    char* names = names_buffer.data();
    uint8_t count = 0;
    std::array<uint16_t, QV_MAX_INDEX_LEVELS> counts{};
    if (GetObjectIndex(column_name.toLatin1().constData(), &count, &names, counts.data()) != 0) {
        warn(parent, texts::kObjectIndexFailed);
        return false;
    }
    QStringList index_names = QString::fromLatin1(names_buffer.c_str()).split('\n', Qt::SkipEmptyParts);
    TIndexFm index(index_names.mid(0, std::min<qsizetype>(count, index_names.size())), parent);
    if (index.exec() != QDialog::Accepted) return false;
    insert = index.insert_chosen();
    name = column_name + index.instance_suffix();
    return true;
}

TIndexFm::TIndexFm(const QStringList& index_names, QWidget* parent) : QDialog(parent) {
    setObjectName("TIndexFm");
    setWindowTitle("Instance Selection");
    auto* form = new QFormLayout;
    for (qsizetype i = 0; i < std::min<qsizetype>(index_names.size(), kShownIndexes); ++i) {
        auto* field = new QSpinBox(this);
        field->setObjectName(QString("Index%1").arg(i + 1));
        field->setRange(0, 0x7FFFFFFF);
        field->setValue(1);
        form->addRow(index_names[i], field);
        fields_ << field;
    }
    auto* add = button(this, "add", "Add");
    auto* insert = button(this, "insert", "Insert");
    auto* cancel = button(this, "cancel", "Cancel");
    connect(add, &QPushButton::clicked, this, [this] {
        insert_ = false;
        accept();
    });
    connect(insert, &QPushButton::clicked, this, [this] {
        insert_ = true;
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    for (QPushButton* b : {add, insert, cancel}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

QString TIndexFm::instance_suffix() const {
    QString suffix;
    for (const QSpinBox* field : fields_) suffix += QString(".%1").arg(field->value());
    return suffix;
}

TSetValueFm::TSetValueFm(const QString& object_name, const QString& value, QWidget* parent) : QDialog(parent) {
    setObjectName("TSetValueFm");
    setWindowTitle("Set Value");
    auto* name = new QLineEdit(object_name, this);
    name->setObjectName("ObjectName");
    name->setReadOnly(true);
    value_ = new QLineEdit(value, this);
    value_->setObjectName("Value");
    auto* ok = button(this, "ok", "OK");
    auto* cancel = button(this, "cancel", "Cancel");
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* form = new QFormLayout;
    form->addRow("Object", name);
    form->addRow("Value", value_);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addLayout(buttons);
}

QString TSetValueFm::value() const { return value_->text(); }
