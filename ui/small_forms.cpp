#include "ui/small_forms.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QFontDialog>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextEdit>
#include <QVBoxLayout>

#include "ui/texts.h"

namespace {
QPushButton* ok_button(QDialog* dialog) {
    auto* ok = new QPushButton("OK", dialog);
    ok->setObjectName("OKButton");
    ok->setDefault(true);
    QObject::connect(ok, &QPushButton::clicked, dialog, &QDialog::accept);
    return ok;
}
}  // namespace

TPropertiesFm::TPropertiesFm(QWidget* parent) : QDialog(parent) {
    setObjectName("TPropertiesFm");
    setWindowTitle("Properties");
    auto* form = new QFormLayout;
    const std::pair<const char*, const char*> fields[] = {
        {"Tester", "TesterEdit"}, {"Device Under Test", "DeviceEdit"}, {"Test Date", "DateEdit"}};
    for (const auto& [label, name] : fields) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(name);
        form->addRow(label, edit);
    }
    auto* note = new QPlainTextEdit(this);
    note->setObjectName("NoteEdit");
    form->addRow("Note", note);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(ok_button(this), 0, Qt::AlignRight);
}

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent) {
    setObjectName("TAboutBox");
    setWindowTitle("About");
    auto* layout = new QVBoxLayout(this);
    auto* product = new QLabel(texts::kApplication, this);
    product->setObjectName("ProductName");
    QFont font = product->font();
    font.setBold(true);
    font.setPointSize(font.pointSize() * 2);
    product->setFont(font);
    layout->addWidget(product);
    layout->addWidget(new QLabel("NTCIP test station: SNMPv1 and STMP over PMPP, PPP and modems", this));
    layout->addWidget(new QLabel(QString("Version %1").arg(QApplication::applicationVersion()), this));
    layout->addWidget(ok_button(this), 0, Qt::AlignRight);
}

TMibErrorFm::TMibErrorFm(QWidget* parent) : QDialog(parent) {
    setObjectName("TMibErrorFm");
    setWindowTitle(texts::kError);
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel(texts::kMibErrorTitle, this);
    QFont font = title->font();
    font.setBold(true);
    title->setFont(font);
    layout->addWidget(title);
    layout->addWidget(new QLabel(texts::kMibErrorLine1, this));
    layout->addWidget(new QLabel(texts::kMibErrorLine2, this));
    layout->addWidget(ok_button(this), 0, Qt::AlignRight);
}

TEditorFm::TEditorFm(QWidget* parent) : QMainWindow(parent) {
    setObjectName("TEditorFm");
    setWindowTitle("Editor");
    text_ = new QTextEdit(this);
    text_->setObjectName("Memo1");
    text_->setAcceptRichText(false);
    setCentralWidget(text_);
    QMenu* file = menuBar()->addMenu("&File");
    file->addAction("&New", this, [this] {
        text_->clear();
        path_.clear();
        setWindowTitle("Editor");
    });
    file->addAction("&Open", this, [this] {
        const QString name = QFileDialog::getOpenFileName(this);
        if (!name.isEmpty()) open_file(name);
    });
    file->addAction("&Save", this, [this] {
        if (path_.isEmpty()) path_ = QFileDialog::getSaveFileName(this);
        if (!path_.isEmpty()) save_to(path_);
    });
    file->addAction("Save &As", this, [this] {
        const QString name = QFileDialog::getSaveFileName(this);
        if (!name.isEmpty() && save_to(name)) path_ = name;
    });
    // No printing support is built in: the two entries are there, disabled.
    file->addAction("&Print")->setEnabled(false);
    file->addAction("P&rint Setup")->setEnabled(false);
    file->addSeparator();
    file->addAction("E&xit", this, &QWidget::close);
    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->addAction("Cu&t", text_, &QTextEdit::cut);
    edit->addAction("&Copy", text_, &QTextEdit::copy);
    edit->addAction("&Paste", text_, &QTextEdit::paste);
    QMenu* character = menuBar()->addMenu("&Character");
    character->addAction("&Left", this, [this] { text_->setAlignment(Qt::AlignLeft); })->setText("Align Left");
    character->addAction("Aligh Right", this, [this] { text_->setAlignment(Qt::AlignRight); });
    character->addAction("Center", this, [this] { text_->setAlignment(Qt::AlignHCenter); });
    QAction* wrap = character->addAction("Word Wrap");
    wrap->setCheckable(true);
    wrap->setChecked(true);
    connect(wrap, &QAction::toggled, this, [this](bool on) {
        text_->setLineWrapMode(on ? QTextEdit::WidgetWidth : QTextEdit::NoWrap);
    });
    QAction* read_only = character->addAction("Read Only");
    read_only->setCheckable(true);
    connect(read_only, &QAction::toggled, text_, &QTextEdit::setReadOnly);
    character->addAction("&Font", this, [this] {
        bool ok = false;
        const QFont font = QFontDialog::getFont(&ok, text_->font(), this);
        if (ok) text_->setFont(font);
    });
    resize(720, 520);
}

bool TEditorFm::open_file(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return false;
    text_->setPlainText(QString::fromLatin1(file.readAll()));
    path_ = path;
    setWindowTitle(QString(texts::kEditorCaption).arg(path));
    return true;
}

bool TEditorFm::save_to(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return false;
    file.write(text_->toPlainText().toLatin1());
    return true;
}
