// The windows as a central station on a simulated modem: Connect on the tool
// window's Dialup page dials a field device on the simulator's other modem
// (quorvan-cli), PPP comes up to the Network phase, a Get from the
// send-message window is answered over the call, and Hang Up ends it.
#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include "quorvan.h"
#include "tests/support/child_process.h"
#include "tests/support/modem_sim_process.h"
#include "tests/support/sample.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/modal_answer.h"
#include "ui/call_log.h"
#include "ui/inst_select_form.h"
#include "ui/main_form.h"
#include "ui/send_msg_form.h"
#include "ui/station.h"
#include "ui/tool_form.h"

namespace {
constexpr const char* kSecret = "tollbooth";
// Generous: under the thread sanitizer LCP takes many times as long.
constexpr int kPatienceMs = 90000;

template <typename W>
W* child(QObject* parent, const char* name) {
    W* found = parent->findChild<W*>(name);
    if (found == nullptr) qFatal("no %s", name);
    return found;
}
}  // namespace

class Dialup_Test : public QObject {
    Q_OBJECT
private slots:
    void connect_ppp_to_network_get_and_hang_up() {
        Modem_Sim_Process sim{QUORVAN_MODEM_SIM,
                              {"--ring-ms", "100", "--rings", "4", "--dial-ms", "30", "--connect-ms", "30", "5550100",
                               "5550200"}};
        Temp_Dir central_dir;
        Temp_Dir field_dir;
        copy_sample_into(central_dir);
        copy_sample_into(field_dir);
        // The modems' fast timings: a guard time of 100 ms (S12=5), waits of 300 ms.
        Child_Process field({QUORVAN_CLI, "--workdir", field_dir.path(), "field", "--modem", "--port",
                             sim.port_of("5550200"), "--secret", kSecret, "--init", "ATE0V1Q0&D2S12=5", "--wait-ms",
                             "300", "--guard-ms", "150"});
        QVERIFY2(field.wait_for("Field device answering on"), field.output().c_str());
        // A modem station's configuration: the modem's port, the number
        // (with a "?" pause), the role and the CHAP secret.
        central_dir.write("NQuorvan.ini", "MODEM\n" + sim.port_of("5550100") + "\n9600\n5\n555?0200\nCENTRAL\n" +
                                              kSecret + "\n");

        Working_Directory in_dir(central_dir.path());
        {
            Call_Log call_log;
            TMainForm form(QV_ROLE_CENTRAL, call_log);
            form.show();
            QVERIFY(start_station(form, {QString(), 0}));
            SetModemOptions("ATE0V1Q0&D2S12=5", nullptr, 300, 0, 0, 150);
            child<QAction>(&form, "Options2")->trigger();
            TToolForm& tools = form.tool_form();
            QCOMPARE(tools.pages().currentWidget()->objectName(), QString("DialupSheet"));
            QCOMPARE(child<QLineEdit>(&tools, "PhoneNumberEdit")->text(), QString("555?0200"));
            QCOMPARE(child<QLineEdit>(&tools, "SecretEdit")->text(), QString(kSecret));

            // The "?" pauses the dial: the window asks, the dial goes on after OK.
            auto paused = answer_box(QMessageBox::Ok);
            child<QPushButton>(&tools, "Connect")->click();
            QTRY_VERIFY_WITH_TIMEOUT(!tools.dialing(), kPatienceMs);
            QCOMPARE(paused->title, QString("Dialing Paused"));
            QCOMPARE(paused->text, QString("Press OK when you are ready to continue dialing"));
            QCOMPARE(GetConnectionState(), 1);
            QVERIFY(sim.traced("call 5550100 -> 5550200 connected"));
            const QPlainTextEdit& view = form.activity_view();
            QTRY_VERIFY(view.toPlainText().contains("Connected, Initiating PPP over dialup line\nPPP Starting up..."));

            // Both labels follow the link: LCP opens, CHAP both ways, Network.
            QTRY_COMPARE_WITH_TIMEOUT(child<QLabel>(&tools, "LinkStateLabel")->text(), QString("Opened"), kPatienceMs);
            QTRY_COMPARE_WITH_TIMEOUT(child<QLabel>(&tools, "PhaseStateLabel")->text(), QString("Network"), kPatienceMs);
            QTRY_COMPARE_WITH_TIMEOUT(child<QLabel>(&form, "LinkPhaseLabel")->text(), QString("Network"), kPatienceMs);
            QCOMPARE(child<QLabel>(&form, "StateLabel")->text(), QString("Connected"));
            QCOMPARE(child<QLabel>(&form, "LinkStateLabel")->text(), QString("Opened"));

            // A Get from the send-message window crosses the call and is answered.
            TSendMSGFm& send = form.send_form();
            send.browser().set_selected_objects({"demoInteger.0"});
            send.findChild<QListWidget*>("ObjListBox")->addItem("demoInteger.0");
            send.findChild<QPushButton*>("Send")->click();
            QTRY_VERIFY_WITH_TIMEOUT(view.toPlainText().contains("Values have been updated."), kPatienceMs);
            QVERIFY(view.toPlainText().contains("The response is appropriate for the request."));
            QVERIFY(field.wait_for("GET RESPONSE"));

            // With a connection Send LCP sends: a Terminate-Request ends the link.
            child<QComboBox>(&tools, "LCPMessageBox")->setCurrentText("Terminate-Request");
            const qsizetype before_terminate = view.toPlainText().size();
            child<QPushButton>(&tools, "SendMessageButton")->click();
            QVERIFY(view.toPlainText().mid(before_terminate).contains(" Sent: "));
            QVERIFY(field.wait_for("LCP Terminate Request"));

            child<QPushButton>(&tools, "HangUpButton")->click();
            QCOMPARE(GetConnectionState(), 2);
            QVERIFY(sim.traced("call 5550100 -> 5550200 ended by 5550100"));
            Shutdown();
        }
        QVERIFY2(field.wait_for("Modem call ended"), field.output().c_str());
        QCOMPARE(field.stop(), 0);
    }
};

QTEST_MAIN(Dialup_Test)
#include "dialup_test.moc"
