// The tool window and the PPP options dialog driven by their objectNames:
// each action is checked through what the engine holds afterwards. The
// station's line is one end of a null-modem cable of pseudo-terminals, so
// the frames the window has sent are real writes.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>
#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "cli/null_modem.h"
#include "quorvan.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/modal_answer.h"
#include "ui/call_log.h"
#include "ui/engine_callbacks.h"
#include "ui/main_form.h"
#include "ui/ppp_options_dialog.h"
#include "ui/tool_form.h"

namespace {
template <typename W>
W* child(QObject* parent, const char* name) {
    W* found = parent->findChild<W*>(name);
    if (found == nullptr) qFatal("no %s", name);
    return found;
}

struct Params {
    uint16_t baud = 0;
    std::string port;
    uint16_t time_out = 0;
};

Params params() {
    Params p;
    std::string port(QV_PORT_NAME_SIZE, '\0');
    GetParams(&p.baud, port.data(), &p.time_out);
    p.port = port.c_str();
    return p;
}

std::pair<int32_t, int32_t> modes() {
    int32_t type = 0;
    int32_t role = 0;
    GetModes(&type, &role);
    return {type, role};
}

std::vector<uint8_t> error_mode() {
    std::vector<uint8_t> flags(8);
    int32_t count = 0;
    GetFieldDeviceErrorMode(&flags[0], &flags[1], &flags[2], &flags[3], &flags[4], &flags[5], &flags[6], &flags[7],
                            &count);
    flags.push_back(static_cast<uint8_t>(count));
    return flags;
}

struct Options {
    uint32_t mru = 0, authentication = 0, quality = 0, magic = 0, reserved = 0, fcs = 0;
    uint8_t pfc = 0, acfc = 0, pad = 0, numbered = 0, callback = 0, further = 0;
    std::string map;
};

Options lcp_options() {
    Options o;
    char* map = nullptr;
    GetLCPOptions(&o.mru, &map, &o.authentication, &o.quality, &o.magic, &o.pfc, &o.acfc, &o.reserved, &o.fcs, &o.pad,
                  &o.numbered, &o.callback, &o.further);
    o.map = map != nullptr ? map : "";
    std::free(map);
    return o;
}

void default_lcp_options() { SetLCPOptions(1500, "", 0xC223, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0); }

// The octets of a frame's byte text with the octet stuffing undone.
std::vector<uint8_t> unstuffed(const QString& byte_text) {
    std::vector<uint8_t> octets;
    bool escaped = false;
    for (const QString& pair : byte_text.split(QRegularExpression("\\s+"), Qt::SkipEmptyParts)) {
        const auto octet = static_cast<uint8_t>(pair.toUInt(nullptr, 16));
        if (octet == 0x7D) {
            escaped = true;
            continue;
        }
        octets.push_back(escaped ? octet ^ 0x20 : octet);
        escaped = false;
    }
    return octets;
}

bool contains(const std::vector<uint8_t>& octets, const std::vector<uint8_t>& part) {
    return std::search(octets.begin(), octets.end(), part.begin(), part.end()) != octets.end();
}

// The Configure-Request the link would send now.
std::vector<uint8_t> configure_request() {
    char* frame = nullptr;
    SendLCPRawMessage("Configure-Request", &frame, 7, nullptr);
    const QString text = frame != nullptr ? QString::fromLatin1(frame) : QString();
    std::free(frame);
    return unstuffed(text);
}

// Brings the automaton back to Initial from any state: Close, then Down.
void reset_link() {
    SetPPPEvent(4);
    SetPPPEvent(2);
}
}  // namespace

class Tool_Window_Test : public QObject {
    Q_OBJECT
private:
    Temp_Dir dir_;
    std::unique_ptr<Working_Directory> in_dir_;
    std::unique_ptr<Null_Modem> cable_;
    std::unique_ptr<Call_Log> call_log_;

private slots:
    void initTestCase() {
        in_dir_ = std::make_unique<Working_Directory>(dir_.path());
        cable_ = std::make_unique<Null_Modem>();
        QCOMPARE(Init(cable_->first().c_str(), 9600, nullptr, QV_ROLE_CENTRAL, nullptr, nullptr, 0), 0);
        call_log_ = std::make_unique<Call_Log>();
    }

    void cleanupTestCase() {
        Shutdown();
        call_log_.reset();
        cable_.reset();
        in_dir_.reset();
    }

    void every_page_and_control_by_name() {
        TToolForm form;
        QCOMPARE(form.windowTitle(), QString("Tool - Options"));
        QTabWidget& pages = form.pages();
        QStringList titles;
        for (int i = 0; i < pages.count(); ++i) titles << pages.tabText(i);
        QCOMPARE(titles, (QStringList{"Serial Connection", "PMPP", "Class A", "Memory Management", "Timers",
                                      "Dialup Connection", "Testing"}));
        for (const char* name : {"PortEdit", "PhoneNumberEdit", "SecretEdit", "RestartTimerDefaultBox"})
            QVERIFY2(form.findChild<QLineEdit*>(name) != nullptr, name);
        for (const char* name : {"apply1", "BitBtn2", "Apply", "BitBtn1", "Connect", "SendMessageButton", "EventButton",
                                 "SecretButton", "AuthenticateButton", "OptionsButton", "SetButton", "OKButton",
                                 "CancelButton"})
            QVERIFY2(form.findChild<QPushButton*>(name) != nullptr, name);
        for (const char* name : {"SpeedEdit", "ComboBox1", "ComboBox4", "LCPMessageBox", "PPPEventBox",
                                 "connectionTypeBox", "emulationModeBox"})
            QVERIFY2(form.findChild<QComboBox*>(name) != nullptr, name);
        for (const char* name : {"TimeoutEdit", "TimeoutEdit3", "IdentBox", "Edit4", "Edit5"})
            QVERIFY2(form.findChild<QSpinBox*>(name) != nullptr, name);

        QCOMPARE(child<QComboBox>(&form, "SpeedEdit")->itemText(0), QString("75"));
        QCOMPARE(child<QComboBox>(&form, "ComboBox1")->currentText(), QString("ClassB"));
        QCOMPARE(child<QLabel>(&form, "LinkStateLabel")->text(), QString("uninitialized"));
        QCOMPARE(child<QLabel>(&form, "PhaseStateLabel")->text(), QString("uninitialized"));
        QVERIFY(child<QCheckBox>(&form, "PPPStartCheckBox")->isChecked());
        QVERIFY(child<QCheckBox>(&form, "SendEventMessages")->isChecked());
        auto* packets = child<QComboBox>(&form, "LCPMessageBox");
        QCOMPARE(packets->count(), 11);
        QCOMPARE(packets->currentText(), QString("Configure-Request"));
        QCOMPARE(packets->itemText(10), QString("Discard-Request"));
        auto* events = child<QComboBox>(&form, "PPPEventBox");
        QCOMPARE(events->count(), 17);
        QCOMPARE(events->itemText(8), QString("RCR-(rej)"));
        QCOMPARE(events->itemText(16), QString("RXR"));
        QCOMPARE(child<QSpinBox>(&form, "IdentBox")->value(), 0);
        QVERIFY(child<QRadioButton>(&form, "AllMessageButton")->isChecked());
        QVERIFY(child<QLabel>(&form, "PortFormsLabel")->text().contains("tcp:HOST:PORT"));
        QCOMPARE(child<QCheckBox>(&form, "NoResponseBox")->text(), QString("Don't Respond to Messages"));
    }

    void tools_menu_shows_the_window_at_the_page_of_the_connection() {
        TMainForm main_form(QV_ROLE_CENTRAL, *call_log_);
        main_form.enable_menus();
        child<QAction>(&main_form, "Options2")->trigger();
        TToolForm& tools = main_form.tool_form();
        QVERIFY(tools.isVisible());
        QCOMPARE(tools.pages().currentWidget()->objectName(), QString("SerialSheet"));
        QCOMPARE(child<QLineEdit>(&tools, "PortEdit")->text(), QString::fromStdString(cable_->first()));
        QCOMPARE(child<QComboBox>(&tools, "SpeedEdit")->currentText(), QString("9600"));
        tools.hide();

        const auto [type, role] = modes();
        SetModes(QV_CONNECTION_MODEM, role);
        tools.show();
        QCOMPARE(tools.pages().currentWidget()->objectName(), QString("DialupSheet"));
        tools.hide();
        SetModes(type, role);
    }

    void serial_page_applies_port_speed_and_time_out() {
        TToolForm form;
        form.show();
        child<QLineEdit>(&form, "PortEdit")->setText(QString::fromStdString(cable_->first()));
        child<QComboBox>(&form, "SpeedEdit")->setCurrentText("4800");
        child<QSpinBox>(&form, "TimeoutEdit")->setValue(7);
        child<QPushButton>(&form, "apply1")->click();
        Params now = params();
        QCOMPARE(now.baud, uint16_t{4800});
        QCOMPARE(now.time_out, uint16_t{7});
        QCOMPARE(now.port, cable_->first());
        QVERIFY(GetPort() >= 0);

        // A time-out of 0 is stored as 1.
        child<QSpinBox>(&form, "TimeoutEdit")->setValue(0);
        child<QPushButton>(&form, "apply1")->click();
        QCOMPARE(params().time_out, uint16_t{1});

        // A network line by its port text; then back to the serial device.
        child<QLineEdit>(&form, "PortEdit")->setText("udp:127.0.0.1:9");
        child<QPushButton>(&form, "apply1")->click();
        QCOMPARE(modes().first, QV_CONNECTION_NETWORK);
        child<QLineEdit>(&form, "PortEdit")->setText(QString::fromStdString(cable_->first()));
        child<QComboBox>(&form, "SpeedEdit")->setCurrentText("9600");
        child<QSpinBox>(&form, "TimeoutEdit")->setValue(5);
        child<QPushButton>(&form, "apply1")->click();
        QCOMPARE(modes().first, QV_CONNECTION_SERIAL);

        // A port that does not open is reported, not passed over.
        child<QLineEdit>(&form, "PortEdit")->setText(dir_.file("no-such-tty").c_str());
        auto seen = answer_box(QMessageBox::Ok);
        child<QPushButton>(&form, "apply1")->click();
        QCOMPARE(seen->title, QString("Warnings!"));
        QCOMPARE(seen->text, QString("The port %1 could not be opened.").arg(dir_.file("no-such-tty").c_str()));
        child<QLineEdit>(&form, "PortEdit")->setText(QString::fromStdString(cable_->first()));
        child<QPushButton>(&form, "apply1")->click();
        QVERIFY(GetPort() >= 0);

        // Entering the page again shows what the engine holds.
        form.pages().setCurrentIndex(1);
        child<QLineEdit>(&form, "PortEdit")->setText("typed, not applied");
        form.pages().setCurrentIndex(0);
        QCOMPARE(child<QLineEdit>(&form, "PortEdit")->text(), QString::fromStdString(cable_->first()));
        QCOMPARE(child<QSpinBox>(&form, "TimeoutEdit")->value(), 5);
    }

    void send_lcp_without_a_connection_only_says_so() {
        QCOMPARE(GetConnectionState(), 2);  // no receiver thread: not connected
        TMainForm main_form(QV_ROLE_CENTRAL, *call_log_);
        engine_callbacks::attach(&main_form);
        TToolForm form;
        const size_t carried = cable_->carried(0);
        child<QPushButton>(&form, "SendMessageButton")->click();
        QCOMPARE(main_form.activity_view().toPlainText(), QString("No connection"));
        QTest::qWait(50);
        QCOMPARE(cable_->carried(0), carried);
        engine_callbacks::attach(nullptr);
    }

    void set_event_drives_the_automaton_and_the_labels_follow() {
        reset_link();
        QCOMPARE(GetLinkState(), 0);
        TMainForm main_form(QV_ROLE_CENTRAL, *call_log_);
        engine_callbacks::attach(&main_form);
        // The panel of a connected modem, where the link labels are shown.
        main_form.show_status(QV_CONNECTION_MODEM, 1, 0, 0, "Modem", 0);
        TToolForm& form = main_form.tool_form();
        form.show();
        form.pages().setCurrentWidget(child<QWidget>(&form, "DialupSheet"));
        auto* event = child<QComboBox>(&form, "PPPEventBox");
        auto* send = child<QCheckBox>(&form, "SendEventMessages");
        const QPlainTextEdit& view = main_form.activity_view();

        const struct {
            const char* event;
            bool send;
            const char* state;
            const char* phase;
            std::vector<uint8_t> sent;  // protocol and LCP code of the frame sent, if one is
        } steps[] = {
            {"Up", false, "Closed", "Link Establishment", {}},  // Initial + Up
            {"Open", true, "Request Sent", "Link Establishment", {0xC0, 0x21, 0x01}},  // irc, scr: Configure-Request
            {"RCR+", false, "Ack Sent", "Link Establishment", {}},  // sca, not sent
            {"RCA", true, "Opened", "Authentication", {}},  // irc, tlu: nothing to send
            {"Close", true, "Closing", "Terminating", {0xC0, 0x21, 0x05}},  // tld, irc, str: Terminate-Request
            {"RTA", false, "Closed", "Terminating", {}},
        };
        // The text the view gained since `from` characters.
        const auto added_since = [&view](qsizetype from) { return view.toPlainText().mid(from); };
        for (const auto& step : steps) {
            const qsizetype before = view.toPlainText().size();
            event->setCurrentText(step.event);
            send->setChecked(step.send);
            child<QPushButton>(&form, "EventButton")->click();
            QCOMPARE(child<QLabel>(&form, "LinkStateLabel")->text(), QString(step.state));
            QCOMPARE(child<QLabel>(&form, "PhaseStateLabel")->text(), QString(step.phase));
            QCOMPARE(child<QLabel>(&main_form, "LinkStateLabel")->text(), QString(step.state));
            QCOMPARE(child<QLabel>(&main_form, "LinkPhaseLabel")->text(), QString(step.phase));
            const QString added = added_since(before);
            if (step.sent.empty()) {
                QVERIFY2(!added.contains("Sent:"), step.event);
            } else {
                QVERIFY2(added.contains(" Sent: "), step.event);
                QVERIFY2(contains(unstuffed(added.section("Sent: ", 1)), step.sent), step.event);
            }
            if (QString(step.state) == "Opened") {
                // Authenticate: with CHAP negotiated, a challenge (CHAP code 1) goes out.
                const qsizetype at = view.toPlainText().size();
                child<QPushButton>(&form, "AuthenticateButton")->click();
                const QString challenge = added_since(at);
                QVERIFY2(contains(unstuffed(challenge.section("Sent: ", 1)), {0xC2, 0x23, 0x01}), qPrintable(challenge));
            }
        }
        engine_callbacks::attach(nullptr);
        reset_link();
    }

    void dialup_page_number_and_secret() {
        SetModemComm("5550100", nullptr);
        SetPPPInfo("first");
        TToolForm form;
        form.pages().setCurrentWidget(child<QWidget>(&form, "DialupSheet"));
        QCOMPARE(child<QLineEdit>(&form, "PhoneNumberEdit")->text(), QString("5550100"));
        QCOMPARE(child<QLineEdit>(&form, "SecretEdit")->text(), QString("first"));

        child<QLineEdit>(&form, "PhoneNumberEdit")->setText("9W5550123");
        child<QPushButton>(&form, "Apply")->click();
        char* number = nullptr;
        GetModemComm(&number);
        QCOMPARE(QString(number), QString("9W5550123"));
        std::free(number);

        child<QLineEdit>(&form, "SecretEdit")->setText("s3cret");
        child<QPushButton>(&form, "SecretButton")->click();
        char* info = nullptr;
        GetPPPInfo(&info);
        QCOMPARE(QString(info), QString("s3cret"));
        std::free(info);
    }

    // Connect on a line that is no modem: the engine says so in a box, the
    // window is usable again, and no PPP is started.
    void connect_without_a_modem_is_refused() {
        TMainForm main_form(QV_ROLE_CENTRAL, *call_log_);
        engine_callbacks::attach(&main_form);
        SetModemNotice(engine_callbacks::modem_notice);
        TToolForm form;
        auto seen = answer_box(QMessageBox::Ok);
        child<QPushButton>(&form, "Connect")->click();
        QVERIFY(!child<QPushButton>(&form, "Connect")->isEnabled());
        QTRY_VERIFY(!form.dialing());
        QTRY_VERIFY(child<QPushButton>(&form, "Connect")->isEnabled());
        QCOMPARE(seen->title, QString("Error"));
        QVERIFY(!seen->text.isEmpty());
        QCOMPARE(GetConnectionState(), 2);
        QVERIFY(!main_form.activity_view().toPlainText().contains("PPP Starting up..."));
        SetModemNotice(nullptr);
        engine_callbacks::attach(nullptr);
    }

    void options_dialog_builds_the_option_set() {
        default_lcp_options();
        TToolForm form;
        // "PPP Options" opens the dialog, showing the set in force.
        bool chap_shown = false;
        when_modal<TpppConfigureOptionsDialog>([&](TpppConfigureOptionsDialog* dialog) {
            chap_shown = child<QCheckBox>(dialog, "AuthenticationBox")->isChecked() &&
                         child<QRadioButton>(dialog, "CHAPButton")->isChecked() &&
                         child<QLineEdit>(dialog, "MRUEdit")->text() == "1500";
            dialog->reject();
        });
        child<QPushButton>(&form, "OptionsButton")->click();
        QVERIFY(chap_shown);

        TpppConfigureOptionsDialog dialog;
        QCOMPARE(dialog.windowTitle(), QString("PPP Configure Options"));
        child<QLineEdit>(&dialog, "MRUEdit")->setText("1492");
        child<QRadioButton>(&dialog, "PAPButton")->setChecked(true);
        child<QCheckBox>(&dialog, "MagicNumberBox")->setChecked(true);
        child<QLineEdit>(&dialog, "MagicNumberEdit")->setText("34814");
        child<QCheckBox>(&dialog, "PFCBox")->setChecked(true);
        child<QCheckBox>(&dialog, "ACCMBox")->setChecked(false);
        child<QLineEdit>(&dialog, "ACCMEdit")->setText("ignored when unticked");
        child<QPushButton>(&dialog, "UseButton")->click();
        Options set = lcp_options();
        QCOMPARE(set.mru, 1492u);
        QCOMPARE(set.authentication, 0xC023u);
        QCOMPARE(set.magic, 34814u);
        QCOMPARE(set.pfc, uint8_t{1});
        QCOMPARE(set.acfc, uint8_t{0});
        QCOMPARE(set.map, std::string());
        // PAP chosen: the Configure-Request still carries CHAP with MD5.
        const std::vector<uint8_t> request = configure_request();
        QVERIFY(contains(request, {0x03, 0x05, 0xC2, 0x23, 0x05}));
        QVERIFY(contains(request, {0x01, 0x04, 0x05, 0xDC}));

        // Other takes the typed number; an unticked box leaves its option out.
        TpppConfigureOptionsDialog other;
        QCOMPARE(child<QLineEdit>(&other, "MRUEdit")->text(), QString("1492"));
        QVERIFY(child<QRadioButton>(&other, "PAPButton")->isChecked());
        child<QRadioButton>(&other, "OtherButton")->setChecked(true);
        child<QLineEdit>(&other, "AuthenticationEdit")->setText("12345");
        child<QCheckBox>(&other, "MRUBox")->setChecked(false);
        child<QPushButton>(&other, "UseButton")->click();
        set = lcp_options();
        QCOMPARE(set.authentication, 12345u);
        QCOMPARE(set.mru, 0u);
        QVERIFY(!contains(configure_request(), {0x01, 0x04}));

        // A ticked field that holds no number is refused, and nothing changes.
        TpppConfigureOptionsDialog bad;
        child<QCheckBox>(&bad, "QualityProtocolBox")->setChecked(true);
        child<QLineEdit>(&bad, "QualityProtocolEdit")->setText("49189x");
        auto seen = answer_box(QMessageBox::Ok);
        QVERIFY(!bad.UseClick());
        QCOMPARE(seen->title, QString("Warnings!"));
        QCOMPARE(seen->text, QString("Quality Protocol: \"49189x\" is not a decimal number from 0 to 4294967295."));
        QCOMPARE(lcp_options().quality, 0u);
        QCOMPARE(lcp_options().authentication, 12345u);
        default_lcp_options();
    }

    void testing_page_set_and_ok() {
        const auto [type, role] = modes();
        TToolForm form;
        form.pages().setCurrentWidget(child<QWidget>(&form, "TestingSheet"));
        QCOMPARE(child<QComboBox>(&form, "connectionTypeBox")->currentText(), QString("Serial"));
        QCOMPARE(child<QComboBox>(&form, "emulationModeBox")->currentText(), QString("Central"));

        // Set: the connection type waits for a restart, the time-out changes at once.
        child<QComboBox>(&form, "connectionTypeBox")->setCurrentText("Modem");
        child<QComboBox>(&form, "emulationModeBox")->setCurrentText("Field");
        child<QSpinBox>(&form, "TimeoutEdit3")->setValue(9);
        auto seen = answer_box(QMessageBox::Ok);
        child<QPushButton>(&form, "SetButton")->click();
        QCOMPARE(seen->title, QString("Warnings!"));
        QCOMPARE(seen->text, QString("You must quit and re-start Quorvan for the changes to take effect"));
        QCOMPARE(modes(), std::make_pair(QV_CONNECTION_MODEM, role));
        QCOMPARE(params().time_out, uint16_t{9});
        SetModes(type, role);

        // A network line stays one: its type is among the choices.
        const Params serial = params();
        SetParams(serial.baud, "udp:127.0.0.1:9", serial.time_out);
        form.pages().setCurrentIndex(0);
        form.pages().setCurrentWidget(child<QWidget>(&form, "TestingSheet"));
        QCOMPARE(child<QComboBox>(&form, "connectionTypeBox")->currentText(), QString("Network"));
        seen = answer_box(QMessageBox::Ok);
        child<QPushButton>(&form, "SetButton")->click();
        QCOMPARE(modes().first, QV_CONNECTION_NETWORK);
        SetParams(serial.baud, serial.port.c_str(), serial.time_out);
        QCOMPARE(modes().first, QV_CONNECTION_SERIAL);

        // OK: the eight switches and the count.
        const struct {
            std::vector<const char*> ticked;
            bool this_message_only;
            std::vector<uint8_t> expected;  // eight flags, then the count
        } cases[] = {
            {{"ExtraByteBox", "InvalidCRCBox"}, true, {1, 0, 0, 0, 1, 0, 0, 0, 1}},
            {{"RemoveByteBox", "ChangeByteBox", "EditMessagesBox", "InvalidControlBox", "InvalidAddressBox",
              "NoResponseBox"},
             false,
             {0, 1, 1, 1, 0, 1, 1, 1, 0}},
            {{}, false, {0, 0, 0, 0, 0, 0, 0, 0, 0}},
        };
        const char* boxes[] = {"ExtraByteBox",  "RemoveByteBox",     "ChangeByteBox",     "EditMessagesBox",
                               "InvalidCRCBox", "InvalidControlBox", "InvalidAddressBox", "NoResponseBox"};
        for (const auto& c : cases) {
            for (const char* box : boxes) child<QCheckBox>(&form, box)->setChecked(false);
            for (const char* box : c.ticked) child<QCheckBox>(&form, box)->setChecked(true);
            child<QRadioButton>(&form, c.this_message_only ? "ThisMessageButton" : "AllMessageButton")->setChecked(true);
            child<QPushButton>(&form, "OKButton")->click();
            QCOMPARE(error_mode(), c.expected);
        }

        // The page shows the settings in force when it is entered.
        SetFieldDeviceErrorMode(0, 0, 0, 0, 0, 0, 1, 0, 1);
        form.pages().setCurrentIndex(0);
        form.pages().setCurrentWidget(child<QWidget>(&form, "TestingSheet"));
        QVERIFY(child<QCheckBox>(&form, "InvalidAddressBox")->isChecked());
        QVERIFY(child<QRadioButton>(&form, "ThisMessageButton")->isChecked());
        SetFieldDeviceErrorMode(0, 0, 0, 0, 0, 0, 0, 0, 0);
    }

    void extra_and_remove_byte_exclude_each_other() {
        TToolForm form;
        auto* extra = child<QCheckBox>(&form, "ExtraByteBox");
        auto* remove = child<QCheckBox>(&form, "RemoveByteBox");
        extra->click();
        remove->click();
        QVERIFY(remove->isChecked());
        QVERIFY(!extra->isChecked());
        extra->click();
        QVERIFY(extra->isChecked());
        QVERIFY(!remove->isChecked());
        extra->click();  // unticking leaves the other as it is
        QVERIFY(!extra->isChecked());
        QVERIFY(!remove->isChecked());
    }

    void values_of_the_inert_pages_reach_nothing() {
        const Params before = params();
        const auto modes_before = modes();
        const auto errors_before = error_mode();
        const int32_t state_before = GetLinkState();
        TToolForm form;
        form.show();
        for (const char* name : {"Edit4", "Edit5", "LineActivityBufferEdit", "ClosingFlagDelayEdit", "TimeoutEdit2"})
            child<QSpinBox>(&form, name)->setValue(42);
        for (const char* name : {"SourceIPEdit", "DestinationIPEdit", "RestartTimerDefaultBox"})
            child<QLineEdit>(&form, name)->setText("1000");
        form.close();
        QCOMPARE(params().time_out, before.time_out);
        QCOMPARE(params().port, before.port);
        QCOMPARE(modes(), modes_before);
        QCOMPARE(error_mode(), errors_before);
        QCOMPARE(GetLinkState(), state_before);
    }
};

QTEST_MAIN(Tool_Window_Test)
#include "tool_window_test.moc"
