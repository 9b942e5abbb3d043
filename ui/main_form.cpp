#include "ui/main_form.h"

#include <QCloseEvent>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QStatusBar>

#include "quorvan.h"
#include "ui/call_log.h"
#include "ui/dyn_defined.h"
#include "ui/dyn_table_form.h"
#include "ui/engine_callbacks.h"
#include "ui/inst_select_form.h"
#include "ui/link_names.h"
#include "ui/macro_form.h"
#include "ui/send_msg_form.h"
#include "ui/small_forms.h"
#include "ui/texts.h"
#include "ui/tool_form.h"

namespace {
QLabel* status_label(QWidget* parent, const char* name) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setMinimumWidth(110);
    return label;
}
}  // namespace

TMainForm::TMainForm(int32_t role, Call_Log& call_log, QWidget* parent)
    : QMainWindow(parent),
      role_(role),
      call_log_(call_log),
      view_(new QPlainTextEdit(this)),
      activity_(view_, kLogFile) {
    setObjectName("TMainForm");
    setWindowTitle(role == QV_ROLE_FIELD ? texts::kFieldCaption : texts::kCentralCaption);
    view_->setObjectName("LineActivity");
    view_->setReadOnly(true);
    view_->setLineWrapMode(QPlainTextEdit::NoWrap);
    view_->setFont(QFont("Monospace"));
    setCentralWidget(view_);
    send_form_ = new TSendMSGFm(record_, call_log_, this);
    if (role == QV_ROLE_FIELD) field_browser_ = new TInstSelectFm(TInstSelectFm::Mode::field, this);

    type_label_ = status_label(this, "TypeLabel");
    state_label_ = status_label(this, "StateLabel");
    link_state_label_ = status_label(this, "LinkStateLabel");
    link_phase_label_ = status_label(this, "LinkPhaseLabel");
    time_label_ = status_label(this, "TimeLabel");
    for (QLabel* label : {type_label_, state_label_, link_state_label_, link_phase_label_, time_label_})
        statusBar()->addWidget(label);
    build_menus();
    connect(send_form_, &TSendMSGFm::sent, this, [this] { resend_->setEnabled(true); });
    resize(900, 600);
}

TMainForm::~TMainForm() { engine_callbacks::attach(nullptr); }

void TMainForm::build_menus() {
    QMenu* file = menuBar()->addMenu("&File");
    file->setObjectName("File1");
    file->addAction("&Open Log", this, &TMainForm::open_log)->setObjectName("OpenLog1");
    QAction* save = file->addAction("&Save", this, &TMainForm::save_log);
    save->setObjectName("Save1");
    save->setShortcut(QKeySequence("Ctrl+S"));
    file->addAction("Save &As", this, &TMainForm::save_log_as)->setObjectName("SaveAs1");
    file->addSeparator();
    file->addAction("&Properties", this, [this] { TPropertiesFm(this).exec(); })->setObjectName("Properties1");
    file->addAction("&Options")->setObjectName("Options1");
    file->addSeparator();
    QAction* exit = file->addAction("E&xit", this, &QWidget::close);
    exit->setObjectName("Exit1");
    exit->setShortcut(QKeySequence("Ctrl+Q"));

    QMenu* edit = menuBar()->addMenu("&Edit");
    edit->setObjectName("Edit1");
    QAction* cut = edit->addAction("Cu&t", view_, &QPlainTextEdit::cut);
    cut->setShortcut(QKeySequence("Ctrl+X"));
    QAction* copy = edit->addAction("&Copy", view_, &QPlainTextEdit::copy);
    copy->setShortcut(QKeySequence("Ctrl+C"));
    QAction* paste = edit->addAction("&Paste", view_, &QPlainTextEdit::paste);
    paste->setShortcut(QKeySequence("Ctrl+V"));

    // Display: Start, Stop, Clear, Find, Byte Stream, English, Both are
    // hidden and have no actions; the menu is not shown.

    QMenu* tools = menuBar()->addMenu("&Tools");
    tools->setObjectName("Tools1");
    tools->addAction(texts::kLoadDynTable, this, &TMainForm::load_dyn_table)->setObjectName("LoadDynObjTable1");
    tools->addAction(texts::kSaveDynTable, this, &TMainForm::save_dyn_table)->setObjectName("SaveDynObjTable1");
    QMenu* sync = tools->addMenu(texts::kSyncDynTable);
    sync->setObjectName("SyncDynObjTable1");
    for (int n = dyn_defined::kFirst; n <= dyn_defined::kLast; ++n)
        sync->addAction(QString::number(n), this, [this, n] { sync_dyn_object(n); })
            ->setObjectName(QString("SyncDynObj%1").arg(n));
    tools->addSeparator();
    tools->addAction("&Options", this, &TMainForm::show_tools)->setObjectName("Options2");

    QMenu* message = menuBar()->addMenu(role_ == QV_ROLE_FIELD ? texts::kObjectsMenu : "&Message");
    message->setObjectName("Message1");
    QAction* send = message->addAction("&Send", this, &TMainForm::send_message);
    send->setObjectName("Send1");
    resend_ = message->addAction("&Resend", this, &TMainForm::resend);
    resend_->setObjectName("Resend1");
    resend_->setEnabled(false);
    QAction* separator = message->addSeparator();
    message->addAction("&Browse", this, &TMainForm::browse)->setObjectName("Browse1");

    QMenu* macro = menuBar()->addMenu("M&acro");
    macro->setObjectName("Macro1");
    macro->addAction("&Run", this, &TMainForm::run_macro)->setObjectName("Run1");

    QMenu* help = menuBar()->addMenu("&Help");
    help->setObjectName("Help1");
    help->addAction("&About", this, [this] { TAboutBox(this).exec(); })->setObjectName("About1");

    if (role_ == QV_ROLE_FIELD) {
        for (QAction* action : {send, resend_, separator}) action->setVisible(false);
        macro->menuAction()->setVisible(false);
    }
    menus_ = {file, edit, tools, message, macro};
    for (QMenu* menu : menus_) menu->setEnabled(false);
}

void TMainForm::enable_menus() {
    for (QMenu* menu : menus_) menu->setEnabled(true);
}

void TMainForm::show_activity(const QString& text) {
    if (activity_.show(text)) log_changed_ = true;
}

void TMainForm::show_status(int32_t connection_type, int32_t connection_state, int32_t link_state,
                            int32_t link_phase, const QString& text, int32_t seconds_remaining) {
    if (connection_type == QV_CONNECTION_MODEM) {
        type_label_->setText(texts::kModem);
        if (connection_state == 1) {
            state_label_->setText(texts::kConnected);
            show_link(link_state, link_phase);
        } else {
            state_label_->setText(texts::kDisconnected);
            link_state_label_->clear();
            link_phase_label_->clear();
        }
    } else {
        type_label_->setText(text);
        state_label_->clear();
        link_state_label_->clear();
        link_phase_label_->clear();
    }
    if (seconds_remaining == 0) time_label_->clear();
    else time_label_->setText(QString::number(seconds_remaining));
}

void TMainForm::show_link(int32_t link_state, int32_t link_phase) {
    // The link labels belong to a connected modem's status.
    if (state_label_->text() != texts::kConnected) return;
    link_state_label_->setText(link_names::state_or_unknown(link_state));
    link_phase_label_->setText(link_names::phase_or_unknown(link_phase));
}

TToolForm& TMainForm::tool_form() {
    if (tool_form_ == nullptr) {
        tool_form_ = new TToolForm(this);
        connect(tool_form_, &TToolForm::link_read, this, &TMainForm::show_link);
    }
    return *tool_form_;
}

void TMainForm::show_tools() {
    TToolForm& tools = tool_form();
    tools.show();
    tools.raise();
    tools.activateWindow();
}

bool TMainForm::copy_log_to(const QString& path) {
    const QFileInfo target(path);
    if (target.exists() && target.canonicalFilePath() == QFileInfo(kLogFile).canonicalFilePath()) return true;
    QFile::remove(path);
    return QFile::copy(kLogFile, path);
}

bool TMainForm::save_log() {
    if (!log_changed_) return true;
    if (log_name_.isEmpty()) return save_log_as();
    if (!copy_log_to(log_name_)) return false;
    log_changed_ = false;
    return true;
}

bool TMainForm::save_log_as() {
    const QString name = QFileDialog::getSaveFileName(this);
    if (name.isEmpty()) return false;
    if (!copy_log_to(name)) return false;
    log_name_ = name;
    log_changed_ = false;
    return true;
}

void TMainForm::open_log() {
    const QString name = QFileDialog::getOpenFileName(this);
    if (name.isEmpty()) return;
    auto* editor = new TEditorFm(this);
    editor->setAttribute(Qt::WA_DeleteOnClose);
    if (editor->open_file(name)) editor->show();
    else editor->close();
}

void TMainForm::send_message() { send_form_->exec(); }

void TMainForm::resend() {
    if (!record_.filled()) return;
    SendData(&record_.request(), engine_callbacks::display, engine_callbacks::edit, 0);
}

void TMainForm::browse() {
    if (role_ == QV_ROLE_FIELD) {
        // Not modal: the device keeps answering while the user looks.
        field_browser_->load_tree("isotree.txt");
        field_browser_->show();
        field_browser_->raise();
        return;
    }
    TInstSelectFm& browser = send_form_->browser();
    browser.load_tree("isotree.txt");
    browser.exec();
}

void TMainForm::run_macro() { TMacroFm(this).exec(); }

void TMainForm::close_when_activated() { close_on_activation_ = true; }

bool TMainForm::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate && close_on_activation_) {
        log_changed_ = false;
        close();
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::closeEvent(QCloseEvent* event) {
    if (log_changed_) {
        const auto answer = QMessageBox::question(this, texts::kWarnings, texts::kLogChanged,
                                                  QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        // Yes closes only once the log is saved: a cancelled file choice keeps the window.
        if (answer == QMessageBox::Cancel || (answer == QMessageBox::Yes && !save_log())) {
            event->ignore();
            return;
        }
    }
    event->accept();
}

namespace {
// The file a dynamic object table is loaded from or saved to; empty when the
// user cancelled. The dialogs carry names so scripts can answer them.
QString choose_dyn_file(QWidget* parent, QFileDialog::AcceptMode mode) {
    const bool save = mode == QFileDialog::AcceptSave;
    QFileDialog dialog(parent, QString(), QString(), save ? texts::kDynSaveFilter : texts::kDynOpenFilter);
    dialog.setObjectName(save ? "DynSaveDialog" : "DynOpenDialog");
    dialog.setAcceptMode(mode);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix("dyn");
    if (dialog.exec() != QDialog::Accepted) return QString();
    return dialog.selectedFiles().value(0);
}
}  // namespace

void TMainForm::load_dyn_table() {
    const QString name = choose_dyn_file(this, QFileDialog::AcceptOpen);
    if (!name.isEmpty()) load_dyn_file(name);
}

void TMainForm::load_dyn_file(const QString& name) {
    const int32_t refused =
        DynObjLoadFile(QFile::encodeName(name).constData(), engine_callbacks::display, engine_callbacks::edit);
    if (refused < 0) return;  // the engine said why in the line activity
    dyn_defined::mark_all();
    for (int32_t k = 0; k < refused; ++k) QMessageBox::warning(this, texts::kWarnings, texts::kDynSyncFailed);
}

void TMainForm::save_dyn_table() {
    const QString name = choose_dyn_file(this, QFileDialog::AcceptSave);
    if (!name.isEmpty()) save_dyn_file(name);
}

void TMainForm::save_dyn_file(const QString& name) {
    if (DynObjSaveFile(QFile::encodeName(name).constData()) != 0)
        QMessageBox::warning(this, texts::kWarnings, texts::kDynSaveFailed);
}

void TMainForm::sync_dyn_object(int number) { TDynTableFm(number, this).exec(); }
