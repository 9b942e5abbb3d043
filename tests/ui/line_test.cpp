// The station's windows as central station on one end of a null-modem cable
// of pseudo-terminals, quorvan-cli as the field device on the other: a Get
// composed in the send-message window crosses the line, and its answer is
// explained in the line-activity view.
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "cli/null_modem.h"
#include "quorvan.h"
#include "tests/support/child_process.h"
#include "tests/support/sample.h"
#include "tests/support/temp_dir.h"
#include "ui/call_log.h"
#include "ui/inst_select_form.h"
#include "ui/main_form.h"
#include "ui/send_msg_form.h"
#include "ui/station.h"

class Line_Test : public QObject {
    Q_OBJECT
private slots:
    void a_get_from_the_send_window_is_answered() {
        Null_Modem cable;
        Temp_Dir central_dir;
        Temp_Dir field_dir;
        copy_sample_into(central_dir);
        copy_sample_into(field_dir);
        Child_Process field({QUORVAN_CLI, "--workdir", field_dir.path(), "field", "--port", cable.second()});
        QVERIFY2(field.wait_for("Field device answering on " + cable.second()), field.output().c_str());

        Working_Directory in_dir(central_dir.path());
        {
            Call_Log call_log;
            TMainForm form(QV_ROLE_CENTRAL, call_log);
            QVERIFY(start_station(form, {QString::fromStdString(cable.first()), 0}));
            TSendMSGFm& send = form.send_form();
            send.browser().set_selected_objects({"demoInteger.0"});
            send.findChild<QListWidget*>("ObjListBox")->addItem("demoInteger.0");
            send.findChild<QPushButton*>("Send")->click();

            const QPlainTextEdit& view = form.activity_view();
            QTRY_VERIFY_WITH_TIMEOUT(view.toPlainText().contains("Values have been updated."), 10000);
            const QString shown = view.toPlainText();
            QVERIFY(shown.contains("SNMP Get Response"));
            QVERIFY(shown.contains("No error was reported by the device."));
            QVERIFY(shown.contains("The response is appropriate for the request."));
            QVERIFY(shown.contains("Object Name = demoInteger.0"));
            QVERIFY(QString::fromStdString(central_dir.read("quorvanlog.txt")).contains("SNMP Get Response"));
            QVERIFY(form.findChild<QAction*>("Resend1")->isEnabled());
            Shutdown();
        }
        QCOMPARE(field.stop(), 0);
    }
};

QTEST_MAIN(Line_Test)
#include "line_test.moc"
