// The windows driven by their objectNames, over an engine loaded with the
// bundled sample MIB in a fresh working directory.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QTest>
#include <QTreeWidget>
#include <QLabel>
#include <QTextBlock>
#include <QFile>
#include <thread>
#include <cstdlib>

#include "quorvan.h"
#include "tests/support/sample.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/modal_answer.h"
#include "ui/call_log.h"
#include "ui/dyn_defined.h"
#include "ui/dyn_mgnt_form.h"
#include "ui/dyn_table_form.h"
#include "ui/edit_byte_form.h"
#include "ui/engine_callbacks.h"
#include "ui/inst_select_form.h"
#include "ui/macro_form.h"
#include "ui/user_input_form.h"
#include "ui/request_record.h"
#include "ui/main_form.h"
#include "ui/send_msg_form.h"
#include "ui/startup_form.h"

namespace {
template <typename W>
W* child(QObject* parent, const char* name) {
    W* found = parent->findChild<W*>(name);
    if (found == nullptr) qFatal("no %s", name);
    return found;
}

QString read_file(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QString();
    return QString::fromLatin1(file.readAll());
}

QStringList file_lines(const QString& path) {
    QStringList lines = read_file(path).split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty()) lines.pop_back();
    return lines;
}

QTreeWidgetItem* find_node(QTreeWidget* tree, const QString& text) {
    const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
    return found.isEmpty() ? nullptr : found.first();
}
}  // namespace

class Windows_Test : public QObject {
    Q_OBJECT
private:
    Temp_Dir dir_;
    std::unique_ptr<Working_Directory> in_dir_;
    Call_Log* call_log_ = nullptr;

private slots:
    void initTestCase() {
        copy_sample_into(dir_);
        in_dir_ = std::make_unique<Working_Directory>(dir_.path());
        QCOMPARE(Init("", 0, nullptr, QV_ROLE_CENTRAL, nullptr, nullptr, 0), 0);
        char output_name[32] = "Mibi.out";
        QCOMPARE(CompileMIB("Mibi", output_name, "Errors.out", 0), 0);
        QCOMPARE(WriteTreeFiles(), 0);
        qputenv("QUORVAN_DYNOBJ_PAUSE_MS", "0");
        call_log_ = new Call_Log;
    }

    void cleanupTestCase() {
        Shutdown();
        delete call_log_;
        in_dir_.reset();
    }

    void startup_choice_and_captions() {
        TStartupFm startup;
        QCOMPARE(startup.windowTitle(), QString("Quorvan"));
        QTest::mouseClick(child<QPushButton>(&startup, "FieldButton"), Qt::LeftButton);
        QCOMPARE(startup.role(), QV_ROLE_FIELD);
        TStartupFm again;
        QTest::mouseClick(child<QPushButton>(&again, "CentralButton"), Qt::LeftButton);
        QCOMPARE(again.role(), QV_ROLE_CENTRAL);

        TMainForm central(QV_ROLE_CENTRAL, *call_log_);
        QCOMPARE(central.windowTitle(), QString("Quorvan Central Station Mode"));
        QCOMPARE(child<QMenu>(&central, "Message1")->title(), QString("&Message"));
        TMainForm field(QV_ROLE_FIELD, *call_log_);
        QCOMPARE(field.windowTitle(), QString("Quorvan Field Device Emulation Mode"));
        QMenu* objects = child<QMenu>(&field, "Message1");
        QCOMPARE(objects->title(), QString("Objects"));
        QVERIFY(!child<QAction>(&field, "Send1")->isVisible());
        QVERIFY(!child<QAction>(&field, "Resend1")->isVisible());
        QVERIFY(!child<QMenu>(&field, "Macro1")->menuAction()->isVisible());
        QVERIFY(child<QAction>(&field, "Browse1")->isVisible());
    }

    void display_rule() {
        QFile::remove(TMainForm::kLogFile);
        TMainForm form(QV_ROLE_CENTRAL, *call_log_);
        QPlainTextEdit& view = form.activity_view();
        QVERIFY(!form.log_changed());
        form.show_activity("one line without feed");
        QCOMPARE(view.blockCount(), 1);
        form.show_activity("two\nthree\n");  // a final feed adds no empty line
        QCOMPARE(view.toPlainText(), QString("one line without feed\ntwo\nthree"));
        form.show_activity(QString("back") + QChar(8) + "space");
        QCOMPARE(view.document()->lastBlock().text(), QString("back space"));
        QVERIFY(form.log_changed());

        // 22 + 4 + 6 + 11 characters with their line ends so far; fill up to 20000.
        const QString line99(99, 'x');  // 100 with its line end
        QString text;
        int count = 22 + 4 + 6 + 11;
        while (count + 100 <= 20000) {
            text += line99 + '\n';
            count += 100;
        }
        text += QString(20000 - count - 1, 'y');  // exactly 20000: still shown
        form.show_activity(text);
        QVERIFY(view.document()->lastBlock().text().startsWith('y'));
        QVERIFY(view.toPlainText().startsWith("one line"));
        form.show_activity("newest");  // beyond 20000: the view restarts with it
        QCOMPARE(view.toPlainText(), QString("newest"));
        form.show_activity("after");
        QCOMPARE(view.toPlainText(), QString("newest\nafter"));
        QCOMPARE(view.textCursor().position(), view.document()->characterCount() - 1);

        const QString log = read_file(TMainForm::kLogFile);
        QVERIFY(log.startsWith(QString("one line without feedtwo\nthree\nback") + QChar(8) + "space" + line99));
        QVERIFY(log.endsWith("newestafter"));
    }

    void display_from_another_thread_arrives_in_order() {
        TMainForm form(QV_ROLE_CENTRAL, *call_log_);
        engine_callbacks::attach(&form);
        std::thread sender([] {
            for (int i = 0; i < 50; ++i) engine_callbacks::display(QString("line %1\n").arg(i).toLatin1().constData());
        });
        sender.join();
        QTRY_COMPARE(form.activity_view().blockCount(), 50);
        QCOMPARE(form.activity_view().document()->lastBlock().text(), QString("line 49"));
        engine_callbacks::attach(nullptr);
    }

    void close_question() {
        TMainForm form(QV_ROLE_CENTRAL, *call_log_);
        form.show();
        QVERIFY(form.close());  // an unchanged log asks nothing
        form.show();
        form.show_activity("something");
        auto seen = answer_box(QMessageBox::Cancel);
        QVERIFY(!form.close());
        QCOMPARE(seen->title, QString("Warnings!"));
        QCOMPARE(seen->text, QString("The log has changed. Do you want to save the changes?"));
        QVERIFY(form.isVisible());
        seen = answer_box(QMessageBox::No);
        QVERIFY(form.close());
        QVERIFY(!seen->text.isEmpty());
    }

    void browse_add_insert_and_their_warnings() {
        TInstSelectFm browser(TInstSelectFm::Mode::central);
        browser.load_tree("isotree.txt");
        auto* tree = child<QTreeWidget>(&browser, "TreeView1");
        auto* list = child<QListWidget>(&browser, "ListBox1");
        auto* add = child<QPushButton>(&browser, "add");
        auto* insert = child<QPushButton>(&browser, "insert");

        tree->setCurrentItem(find_node(tree, "nema"));
        auto seen = answer_box(QMessageBox::Ok);
        add->click();
        QCOMPARE(seen->text, QString("Objects other than intances cannot be selected!"));
        QCOMPARE(seen->title, QString("Warnings!"));

        QTreeWidgetItem* scalar = find_node(tree, "demoInteger.0");
        QVERIFY(scalar != nullptr);
        tree->setCurrentItem(scalar);
        QCOMPARE(child<QLineEdit>(&browser, "ObjectNameEdit")->text(), QString("demoInteger.0"));
        QCOMPARE(child<QComboBox>(&browser, "DisplayModeBox")->currentText(), QString("Decimal"));
        add->click();
        QCOMPARE(browser.selected_objects(), QStringList{"demoInteger.0"});
        seen = answer_box(QMessageBox::Ok);
        add->click();
        QCOMPARE(seen->text, QString("The selected object already exist!"));

        tree->setCurrentItem(find_node(tree, "demoName.0"));
        QCOMPARE(child<QComboBox>(&browser, "DisplayModeBox")->currentText(), QString("ASCII String"));
        list->setCurrentRow(-1);
        list->clearSelection();
        seen = answer_box(QMessageBox::Ok);
        insert->click();
        QCOMPARE(seen->text, QString("Please select an item in the Selected Object box to be inserted!"));
        list->setCurrentRow(0);
        insert->click();
        QCOMPARE(browser.selected_objects(), (QStringList{"demoName.0", "demoInteger.0"}));

        // A column asks for its index values first.
        tree->setCurrentItem(find_node(tree, "dynObjVariable.X"));
        when_modal<TIndexFm>([](TIndexFm* index) {
            child<QSpinBox>(index, "Index1")->setValue(3);
            child<QPushButton>(index, "add")->click();
        });
        add->click();
        QCOMPARE(browser.selected_objects().size(), 3);
        QVERIFY(browser.selected_objects().last().startsWith("dynObjVariable.3"));

        list->setCurrentRow(0);
        child<QPushButton>(&browser, "remove")->click();
        QCOMPARE(browser.selected_objects().first(), QString("demoInteger.0"));
        QCOMPARE(browser.values().size(), 2);
    }

    void field_browser_enters_values() {
        TInstSelectFm browser(TInstSelectFm::Mode::field);
        browser.load_tree("isotree.txt");
        auto* tree = child<QTreeWidget>(&browser, "TreeView1");
        tree->setCurrentItem(find_node(tree, "demoInteger.0"));
        child<QLineEdit>(&browser, "ValueEdit")->setText("42");
        child<QPushButton>(&browser, "EnterValueButton")->click();
        Node_Info info{};
        GetNodeInfo("demoInteger.0", &info);
        QCOMPARE(QString(info.value), QString("42"));
        for (char* text : {info.syntax, info.access, info.status, info.further, info.oid, info.value, info.name})
            std::free(text);
    }

    void poll_disables_the_message_types() {
        Request_Record record;
        TSendMSGFm form(record, *call_log_);
        QCOMPARE(child<QComboBox>(&form, "ClassComboBox")->currentText(), QString("Class B"));
        QCOMPARE(child<QComboBox>(&form, "CommComboBox")->currentText(), QString("Orchid"));
        QVERIFY(!child<QRadioButton>(&form, "Set2Button")->isEnabled());
        child<QComboBox>(&form, "ClassComboBox")->setCurrentText("POLL");
        QVERIFY(child<QCheckBox>(&form, "GroupAddressBox")->isChecked());
        QVERIFY(!child<QSpinBox>(&form, "AddressDrop")->isEnabled());
        for (const char* name : {"Get1Button", "Get2Button", "Set1Button", "Set2Button", "SNMPButton", "DynObjButton"})
            QVERIFY2(!child<QRadioButton>(&form, name)->isEnabled(), name);
        QVERIFY(!child<QSpinBox>(&form, "DynObjEdit")->isEnabled());
        QVERIFY(!child<QPushButton>(&form, "AddRemove")->isEnabled());
        child<QComboBox>(&form, "ClassComboBox")->setCurrentText("Class B");
        QVERIFY(child<QRadioButton>(&form, "Get1Button")->isEnabled());
        QVERIFY(!child<QRadioButton>(&form, "Set2Button")->isEnabled());
        child<QRadioButton>(&form, "DynObjButton")->click();
        QVERIFY(child<QRadioButton>(&form, "Set2Button")->isEnabled());
        QVERIFY(!child<QListWidget>(&form, "ObjListBox")->isEnabled());
        QVERIFY(child<QSpinBox>(&form, "DynObjEdit")->isEnabled());
    }

    void message_files_line_for_line() {
        Request_Record record;
        TSendMSGFm form(record, *call_log_);
        child<QSpinBox>(&form, "AddressDrop")->setValue(5);
        form.browser().set_selected_objects({"demoInteger.0", "demoName.0"});
        auto* list = child<QListWidget>(&form, "ObjListBox");
        list->addItems({"demoInteger.0", "demoName.0"});
        QVERIFY(form.save_file("get.msg"));
        QCOMPARE(file_lines("get.msg"), (QStringList{"Class B", "Orchid", "5", "0", "0", "1", "2", "demoInteger.0",
                                                     "demoName.0", "1", "0", "0", "0", "0"}));

        child<QRadioButton>(&form, "DynObjButton")->click();
        child<QSpinBox>(&form, "DynObjEdit")->setValue(3);
        child<QRadioButton>(&form, "Set1Button")->setChecked(true);
        child<QCheckBox>(&form, "EditByteButton")->setChecked(true);
        QVERIFY(form.save_file("dyn.msg"));
        QCOMPARE(file_lines("dyn.msg"),
                 (QStringList{"Class B", "Orchid", "5", "0", "1", "3", "NONE", "0", "0", "1", "0", "1"}));

        Request_Record other_record;
        TSendMSGFm loaded(other_record, *call_log_);
        child<QPushButton>(&loaded, "Send")->setEnabled(false);
        QVERIFY(loaded.load_file("dyn.msg"));
        QVERIFY(child<QRadioButton>(&loaded, "DynObjButton")->isChecked());
        QVERIFY(child<QRadioButton>(&loaded, "Set1Button")->isChecked());
        QVERIFY(child<QPushButton>(&loaded, "Send")->isEnabled());
        QCOMPARE(child<QSpinBox>(&loaded, "DynObjEdit")->value(), 3);
        QVERIFY(loaded.save_file("again.msg"));
        QCOMPARE(file_lines("again.msg"), file_lines("dyn.msg"));
        QVERIFY(loaded.load_file("get.msg"));
        QCOMPARE(loaded.browser().selected_objects(), (QStringList{"demoInteger.0", "demoName.0"}));
        QVERIFY(loaded.save_file("again.msg"));
        QCOMPARE(file_lines("again.msg"), file_lines("get.msg"));

        // A file shorter than its layout, and one whose count claims more
        // names than it has, leave the rest as it was.
        dir_.write("short.msg", "POLL\nPublic\n");
        QVERIFY(loaded.load_file("short.msg"));
        QCOMPARE(child<QComboBox>(&loaded, "CommComboBox")->currentText(), QString("Public"));
        QCOMPARE(child<QSpinBox>(&loaded, "AddressDrop")->value(), 5);
        dir_.write("liar.msg", "Class B\nOrchid\n7\n0\n0\n1\n99999999999\nonly.0\n");
        QVERIFY(loaded.load_file("liar.msg"));
        QCOMPARE(loaded.browser().selected_objects(), QStringList{"only.0"});
    }

    void send_checks() {
        Request_Record record;
        TSendMSGFm form(record, *call_log_);
        auto seen = answer_box(QMessageBox::Ok);
        child<QPushButton>(&form, "Send")->click();
        QCOMPARE(seen->text, QString("No object is selected!"));
        QCOMPARE(seen->title, QString("Warnings!"));
        QVERIFY(!record.filled());

        // A request the engine cannot encode: told, and written to the call log.
        child<QListWidget>(&form, "ObjListBox")->addItem("noSuchObject.0");
        seen = answer_box(QMessageBox::Ok);
        child<QPushButton>(&form, "Send")->click();
        QCOMPARE(seen->title, QString("Error!"));
        QCOMPARE(seen->text, QString("Error sending data!"));
        QVERIFY(read_file(Call_Log::kFileName).contains("Error in API SendData()! error= -1 \n"));
    }

    void dyn_table_add_insert_remove_delete() {
        TDynTableFm form(2);
        QCOMPARE(form.windowTitle(), QString("Dynamic Object Management Table"));
        QCOMPARE(child<QSpinBox>(&form, "DynNo")->value(), 2);
        QCOMPARE(child<QLineEdit>(&form, "CommName")->text(), QString("Orchid"));
        QCOMPARE(child<QSpinBox>(&form, "AddressDrop")->value(), 1);
        QCOMPARE(child<QPushButton>(&form, "DeleteObj")->text(), QString("Delete Current Dynamic Object"));
        QCOMPARE(child<QCheckBox>(&form, "EditByteButton")->text(), QString("Edit Byte Stream Before Submission"));
        auto* tree = child<QTreeWidget>(&form, "TreeView1");
        auto* list = child<QListWidget>(&form, "ListBox1");
        auto* add = child<QPushButton>(&form, "add");
        auto* insert = child<QPushButton>(&form, "insert");

        tree->setCurrentItem(find_node(tree, "nema"));  // a branch is no object
        add->click();
        QVERIFY(form.selected_objects().isEmpty());

        tree->setCurrentItem(find_node(tree, "demoInteger.0"));
        add->click();
        QCOMPARE(form.selected_objects(), QStringList{"demoInteger.0"});
        auto seen = answer_box(QMessageBox::Ok);
        add->click();
        QCOMPARE(seen->title, QString("Warnings!"));
        QCOMPARE(seen->text, QString("The selected object already exist!"));

        tree->setCurrentItem(find_node(tree, "demoName.0"));
        list->setCurrentRow(-1);
        seen = answer_box(QMessageBox::Ok);
        insert->click();
        QCOMPARE(seen->title, QString("Warnings!"));
        QCOMPARE(seen->text, QString("Please select an item in the Selected Object box to be inserted!"));
        list->setCurrentRow(0);
        insert->click();
        QCOMPARE(form.selected_objects(), (QStringList{"demoName.0", "demoInteger.0"}));

        // A column asks for the instance first.
        tree->setCurrentItem(find_node(tree, "dynObjVariable.X"));
        when_modal<TIndexFm>([](TIndexFm* index) {
            child<QSpinBox>(index, "Index1")->setValue(3);
            child<QPushButton>(index, "add")->click();
        });
        list->setCurrentRow(-1);
        add->click();
        QCOMPARE(form.selected_objects().size(), 3);
        QVERIFY(form.selected_objects().last().startsWith("dynObjVariable.3"));

        list->setCurrentRow(0);
        child<QPushButton>(&form, "remove")->click();
        QCOMPARE(form.selected_objects().first(), QString("demoInteger.0"));

        child<QLineEdit>(&form, "OwnerBox")->setText("me");
        child<QPushButton>(&form, "DeleteObj")->click();
        QVERIFY(form.selected_objects().isEmpty());
        QVERIFY(child<QLineEdit>(&form, "OwnerBox")->text().isEmpty());
    }

    // OK programs the definition through DynObjSync and keeps it as the
    // saved one either way; the send window follows the defined flag.
    void dyn_table_ok_syncs_and_keeps_the_definition() {
        dyn_defined::clear_all();
        Request_Record record;
        TSendMSGFm send(record, *call_log_);
        child<QRadioButton>(&send, "DynObjButton")->click();
        child<QSpinBox>(&send, "DynObjEdit")->setValue(4);
        auto seen = answer_box(QMessageBox::Ok);
        child<QPushButton>(&send, "Send")->click();
        QCOMPARE(seen->text, QString("The dynamic object has not been defined."));

        {
            TDynTableFm form(4);
            auto* tree = child<QTreeWidget>(&form, "TreeView1");
            tree->setCurrentItem(find_node(tree, "demoInteger.0"));
            child<QPushButton>(&form, "add")->click();
            tree->setCurrentItem(find_node(tree, "demoName.0"));
            child<QPushButton>(&form, "add")->click();
            child<QLineEdit>(&form, "OwnerBox")->setText("tester");
            child<QSpinBox>(&form, "AddressDrop")->setValue(0);  // the engine refuses address 0
            seen = answer_box(QMessageBox::Ok);
            child<QPushButton>(&form, "ok")->click();
            QCOMPARE(seen->title, QString("Warnings!"));
            QCOMPARE(seen->text, QString("Error in DynObjSync()!"));
            QCOMPARE(form.result(), int(QDialog::Accepted));
        }
        QVERIFY(!dyn_defined::is_defined(4));
        QCOMPARE(DynObjSaveFile("refused.dyn"), 0);
        QVERIFY(read_file("refused.dyn").contains(
                 QString("4\r\ntester\r\nOrchid\r\n0\r\n0\r\n0\r\n2\r\ndemoInteger.0\r\ndemoName.0\r\n\r\n")));

        {
            TDynTableFm form(4);
            auto* tree = child<QTreeWidget>(&form, "TreeView1");
            tree->setCurrentItem(find_node(tree, "demoInteger.0"));
            child<QPushButton>(&form, "add")->click();
            child<QLineEdit>(&form, "CommName")->setText("public");
            child<QSpinBox>(&form, "AddressDrop")->setValue(7);
            child<QPushButton>(&form, "ok")->click();
        }
        QVERIFY(dyn_defined::is_defined(4));
        QCOMPARE(DynObjSaveFile("synced.dyn"), 0);
        QVERIFY(read_file("synced.dyn").contains("4\r\n!Owner\r\npublic\r\n7\r\n0\r\n0\r\n1\r\ndemoInteger.0\r\n\r\n"));
    }

    void tools_menu_loads_and_saves_dyn_files() {
        dyn_defined::clear_all();
        const QString two = "2\r\nalice\r\nOrchid\r\n5\r\n0\r\n0\r\n2\r\ndemoInteger.0\r\ndemoName.0\r\n\r\n";
        const QString nine = "9\r\n!Owner\r\n!CommName\r\n6\r\n0\r\n0\r\n1\r\ndemoInteger.0\r\n\r\n";
        dir_.write("table.dyn", (two + nine).toStdString());
        TMainForm form(QV_ROLE_CENTRAL, *call_log_);
        engine_callbacks::attach(&form);
        QVERIFY(child<QAction>(&form, "LoadDynObjTable1")->isEnabled());
        QVERIFY(child<QAction>(&form, "SaveDynObjTable1")->isEnabled());
        QVERIFY(child<QAction>(&form, "SyncDynObj13")->isEnabled());
        form.load_dyn_file(QString::fromStdString(dir_.file("table.dyn")));
        for (int n = 1; n <= 13; ++n) QVERIFY(dyn_defined::is_defined(n));
        const QString saved_path = QString::fromStdString(dir_.file("round.dyn"));
        form.save_dyn_file(saved_path);
        const QString saved = read_file(saved_path);
        QVERIFY2(saved.startsWith(two), qPrintable(saved));  // records in ascending order
        QVERIFY2(saved.endsWith(nine), qPrintable(saved));
        engine_callbacks::attach(nullptr);
    }

    void dyn_browse_shows_node_details() {
        TDynMgntFm form;
        QCOMPARE(form.windowTitle(), QString("Browse"));
        auto* tree = child<QTreeWidget>(&form, "TreeView1");
        tree->setCurrentItem(find_node(tree, "demoInteger.0"));
        QVERIFY(!child<QLineEdit>(&form, "Syntax")->text().isEmpty());
        QVERIFY(!child<QLineEdit>(&form, "OID")->text().isEmpty());
        for (const char* name : {"Syntax", "Access", "Status", "OID", "Value", "TimeStamp"})
            QVERIFY(child<QLineEdit>(&form, name)->isReadOnly());
    }

    void byte_stream_update_ok_and_cancel() {
        // 7E | 05 | 13 | C1 | PDU | FCS | 7E
        Encoded_Frame frame{};
        const std::vector<uint8_t> checked = {0x05, 0x13, 0xC1, 0x30, 0x03, 0x02, 0x01, 0x00};
        uint16_t fcs = 0;
        QCOMPARE(CalcCrc(checked.data(), static_cast<uint16_t>(checked.size()), &fcs), 0);
        std::vector<uint8_t> bytes = {0x7E};
        bytes.insert(bytes.end(), checked.begin(), checked.end());
        bytes.push_back(static_cast<uint8_t>(fcs >> 8));
        bytes.push_back(static_cast<uint8_t>(fcs & 0xFF));
        bytes.push_back(0x7E);
        std::copy(bytes.begin(), bytes.end(), frame.frame);
        const uint16_t positions[7] = {0, 1, 2, 3, 4, 9, 11};
        std::copy(std::begin(positions), std::end(positions), frame.positions);
        const Encoded_Frame original = frame;

        TEditByteStrmFm editor;
        when_modal<TEditByteStrmFm>([](TEditByteStrmFm* form) {
            QCOMPARE(child<QLineEdit>(form, "PDUEdit")->text(), QString("30 03 02 01 00"));
            child<QLineEdit>(form, "PDUEdit")->setText("30 03 02 01 07");
            child<QPushButton>(form, "CancelButton")->click();
        });
        QVERIFY(!editor.edit(frame));
        QVERIFY(std::equal(std::begin(frame.frame), std::end(frame.frame), std::begin(original.frame)));

        // An unchanged frame comes back unchanged; Update gives the FCS shown.
        QString shown_crc;
        QString updated_crc;
        when_modal<TEditByteStrmFm>([&](TEditByteStrmFm* form) {
            shown_crc = child<QLineEdit>(form, "CRCEdit")->text();
            child<QLineEdit>(form, "CRCEdit")->setText("00 00");
            child<QPushButton>(form, "UpdateButton")->click();
            updated_crc = child<QLineEdit>(form, "CRCEdit")->text();
            child<QPushButton>(form, "OKButton")->click();
        });
        QVERIFY(editor.edit(frame));
        QCOMPARE(updated_crc, shown_crc);
        QVERIFY(std::equal(std::begin(frame.frame), std::begin(frame.frame) + 12, std::begin(original.frame)));
        QVERIFY(std::equal(std::begin(frame.positions), std::end(frame.positions), std::begin(original.positions)));

        // An edited PDU with its FCS updated: a longer frame, positions moved.
        when_modal<TEditByteStrmFm>([](TEditByteStrmFm* form) {
            child<QLineEdit>(form, "PDUEdit")->setText("30 04 02 02 00 01");
            child<QPushButton>(form, "UpdateButton")->click();
            child<QPushButton>(form, "OKButton")->click();
        });
        QVERIFY(editor.edit(frame));
        QCOMPARE(frame.positions[5], uint16_t{10});
        QCOMPARE(frame.positions[6], uint16_t{12});
        uint16_t check = 0;
        CalcCrc(frame.frame + 1, 9, &check);
        QCOMPARE(frame.frame[10], static_cast<uint8_t>(check >> 8));
        QCOMPARE(frame.frame[11], static_cast<uint8_t>(check & 0xFF));

        // A field that is not hexadecimal keeps the window open.
        when_modal<TEditByteStrmFm>([](TEditByteStrmFm* form) {
            child<QLineEdit>(form, "PDUEdit")->setText("3G");
            child<QPushButton>(form, "OKButton")->click();
            QVERIFY(form->isVisible());
            child<QPushButton>(form, "CancelButton")->click();
        });
        QVERIFY(!editor.edit(frame));
    }

    void macro_asks_the_user() {
        TMainForm form(QV_ROLE_CENTRAL, *call_log_);
        engine_callbacks::attach(&form);
        dir_.write("ask.mac", "outfile(\"answer.txt\"); out(inuser(\"Your name?\"));\n");
        QString prompt;
        when_modal<TUserInputFm>([&](TUserInputFm* input) {
            prompt = child<QLabel>(input, "Instruction")->text();
            child<QLineEdit>(input, "Input")->setText("Ada");
            child<QPushButton>(input, "OKBtn")->click();
        });
        when_modal<TMacroFm>([](TMacroFm* macro) {
            child<QLineEdit>(macro, "MacroName")->setText("ask.mac");
            child<QPushButton>(macro, "RunButton")->click();
        });
        form.run_macro();
        QTRY_VERIFY_WITH_TIMEOUT(form.activity_view().toPlainText().contains("After execution"), 10000);
        QCOMPARE(prompt, QString("Your name?"));
        QCOMPARE(dir_.read("answer.txt"), std::string("Ada"));
        QCOMPARE(WaitForMacro(GetMacroHandle(), nullptr), 0);

        auto seen = answer_box(QMessageBox::Ok);
        when_modal<TMacroFm>([](TMacroFm* macro) {
            child<QPushButton>(macro, "RunButton")->click();  // the box is answered meanwhile
            child<QPushButton>(macro, "CancelButton")->click();
        });
        form.run_macro();
        QTRY_COMPARE(seen->text, QString("Please specify the macro to run!"));
        engine_callbacks::attach(nullptr);
    }
};

QTEST_MAIN(Windows_Test)
#include "windows_test.moc"
