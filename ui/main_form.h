// The station's main window: the line activity the engine reports, the
// connection status, the line-activity log, and the menus that open the
// other windows.
#pragma once

#include <QMainWindow>
#include <memory>

#include "ui/line_activity.h"
#include "ui/request_record.h"

class Call_Log;
class QAction;
class QLabel;
class QMenu;
class QPlainTextEdit;
class TInstSelectFm;
class TSendMSGFm;
class TToolForm;

class TMainForm : public QMainWindow {
    Q_OBJECT
public:
    static constexpr const char* kLogFile = "quorvanlog.txt";

    TMainForm(int32_t role, Call_Log& call_log, QWidget* parent = nullptr);
    ~TMainForm() override;

    void show_activity(const QString& text);
    void show_status(int32_t connection_type, int32_t connection_state, int32_t link_state, int32_t link_phase,
                     const QString& text, int32_t seconds_remaining);

    // The link's state and phase by name, on a connected modem's panel.
    void show_link(int32_t link_state, int32_t link_phase);
    // The tool window, made the first time it is asked for.
    TToolForm& tool_form();

    // A failed MIB load: the window closes itself when it is activated.
    void close_when_activated();

    bool log_changed() const { return log_changed_; }
    int32_t role() const { return role_; }
    TSendMSGFm& send_form() { return *send_form_; }
    QPlainTextEdit& activity_view() { return *view_; }
    Call_Log& call_log() { return call_log_; }
    // Enables the menus once start-up is done.
    void enable_menus();

public slots:
    bool save_log();
    bool save_log_as();
    void open_log();
    void send_message();
    void resend();
    void browse();
    void run_macro();
    void load_dyn_table();
    void save_dyn_table();
    void load_dyn_file(const QString& name);
    void save_dyn_file(const QString& name);
    void sync_dyn_object(int number);
    void show_tools();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void build_menus();
    bool copy_log_to(const QString& path);

    int32_t role_;
    Call_Log& call_log_;
    QPlainTextEdit* view_;
    Line_Activity activity_;
    Request_Record record_;
    TSendMSGFm* send_form_;
    TInstSelectFm* field_browser_ = nullptr;
    TToolForm* tool_form_ = nullptr;
    QList<QMenu*> menus_;
    QAction* resend_ = nullptr;
    QLabel* type_label_;
    QLabel* state_label_;
    QLabel* link_state_label_;
    QLabel* link_phase_label_;
    QLabel* time_label_;
    QString log_name_;
    bool log_changed_ = false;
    bool close_on_activation_ = false;
};
