#include "ui/tool_inert_pages.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QWidget>

namespace tool_pages {
namespace {
QSpinBox* zero_spin(QWidget* parent, const char* name) {
    auto* spin = new QSpinBox(parent);
    spin->setObjectName(name);
    spin->setRange(0, 0x7FFFFFFF);
    spin->setValue(0);
    return spin;
}

QLineEdit* edit(QWidget* parent, const char* name) {
    auto* line = new QLineEdit(parent);
    line->setObjectName(name);
    return line;
}

QWidget* page(QWidget* parent, const char* name) {
    auto* widget = new QWidget(parent);
    widget->setObjectName(name);
    return widget;
}
}  // namespace

QWidget* pmpp(QWidget* parent) {
    QWidget* sheet = page(parent, "PMPPSheet");
    auto* address_type = new QComboBox(sheet);
    address_type->setObjectName("ComboBox4");
    address_type->addItems({"Individual", "Group"});
    auto* form = new QFormLayout(sheet);
    form->addRow("Default Address Type", address_type);
    form->addRow("Default Address Length", zero_spin(sheet, "Edit4"));
    form->addRow("Default Drop # ", zero_spin(sheet, "Edit5"));
    return sheet;
}

QWidget* class_a(QWidget* parent) {
    QWidget* sheet = page(parent, "ClassASheet");
    auto* form = new QFormLayout(sheet);
    form->addRow("Default Source IP Address", edit(sheet, "SourceIPEdit"));
    form->addRow("Default Destination IP Address", edit(sheet, "DestinationIPEdit"));
    return sheet;
}

QWidget* memory_management(QWidget* parent) {
    QWidget* sheet = page(parent, "MemorySheet");
    auto* form = new QFormLayout(sheet);
    form->addRow("LineActivity Buffer Size", zero_spin(sheet, "LineActivityBufferEdit"));
    form->addRow("Log Buffer Size", zero_spin(sheet, "LogBufferEdit"));
    form->addRow("Recorder Buffer", zero_spin(sheet, "RecorderBufferEdit"));
    return sheet;
}

QWidget* timers(QWidget* parent) {
    QWidget* sheet = page(parent, "TimersSheet");
    auto* form = new QFormLayout(sheet);
    form->addRow("Delay Before Closing Flag", zero_spin(sheet, "ClosingFlagDelayEdit"));
    form->addRow("Timeout", zero_spin(sheet, "TimeoutEdit2"));
    form->addRow("Secondary Max Delay", zero_spin(sheet, "SecondaryMaxDelayEdit"));
    form->addRow("Link Disconnect Timer", zero_spin(sheet, "LinkDisconnectEdit"));
    form->addRow("Max Silence Timer", zero_spin(sheet, "MaxSilenceEdit"));
    form->addRow("Default Min Delay Before Secondary Response", zero_spin(sheet, "MinSecondaryDelayEdit"));
    return sheet;
}
}  // namespace tool_pages
