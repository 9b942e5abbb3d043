#include "ui/dyn_mgnt_form.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QTreeWidget>
#include <cstdlib>

#include "quorvan.h"
#include "ui/inst_select_form.h"
#include "ui/texts.h"

namespace {
QLineEdit* shown(QWidget* parent, const char* name) {
    auto* made = new QLineEdit(parent);
    made->setObjectName(name);
    made->setReadOnly(true);
    return made;
}

QString text_of(const char* text) { return text == nullptr ? QString() : QString::fromLatin1(text); }
}  // namespace

TDynMgntFm::TDynMgntFm(QWidget* parent) : QDialog(parent) {
    setObjectName("TDynMgntFm");
    setWindowTitle(texts::kDynBrowseCaption);
    tree_ = new QTreeWidget(this);
    tree_->setObjectName("TreeView1");
    tree_->setHeaderLabel("Object Tree");
    load_tree_file(*tree_, "isotree.txt");
    connect(tree_, &QTreeWidget::itemSelectionChanged, this, &TDynMgntFm::node_chosen);
    syntax_ = shown(this, "Syntax");
    access_ = shown(this, "Access");
    status_ = shown(this, "Status");
    oid_ = shown(this, "OID");
    value_ = shown(this, "Value");
    time_stamp_ = shown(this, "TimeStamp");
    auto* details = new QFormLayout;
    details->addRow("Syntax", syntax_);
    details->addRow("Access", access_);
    details->addRow("Status", status_);
    details->addRow("OID", oid_);
    details->addRow("Value", value_);
    details->addRow("Time Stamp", time_stamp_);
    auto* layout = new QHBoxLayout(this);
    layout->addWidget(tree_, 1);
    layout->addLayout(details, 1);
    resize(760, 480);
}

void TDynMgntFm::node_chosen() {
    for (QLineEdit* field : {syntax_, access_, status_, oid_, value_, time_stamp_}) field->clear();
    const QTreeWidgetItem* item = tree_->currentItem();
    if (item == nullptr) return;
    QString name = item->text(0);
    if (name.endsWith(".X")) name.chop(2);
    Node_Info info{};
    const int32_t result = GetNodeInfo(name.toLatin1().constData(), &info);
    if (result == 0 || result == 2) {
        syntax_->setText(text_of(info.syntax));
        access_->setText(text_of(info.access));
        status_->setText(text_of(info.status));
        oid_->setText(text_of(info.oid));
        value_->setText(text_of(info.value));
        time_stamp_->setText(QString::fromLatin1(info.instance, qstrnlen(info.instance, sizeof info.instance)));
    }
    for (char* text : {info.syntax, info.access, info.status, info.further, info.oid, info.value, info.name})
        std::free(text);
}
