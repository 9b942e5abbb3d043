// quorvan-screenshots DIR: opens each window of the station, filled as a
// user would see it, and saves a picture of it into DIR. Run in a working
// directory holding a MIB (docs/take-screenshots.sh makes one from the
// bundled sample), on any display (Xvfb in the script).
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <cstdio>

#include "quorvan.h"
#include "ui/call_log.h"
#include "ui/dyn_mgnt_form.h"
#include "ui/dyn_table_form.h"
#include "ui/edit_byte_form.h"
#include "ui/engine_callbacks.h"
#include "ui/inst_select_form.h"
#include "ui/macro_form.h"
#include "ui/ppp_options_dialog.h"
#include "ui/main_form.h"
#include "ui/send_msg_form.h"
#include "ui/small_forms.h"
#include "ui/startup_form.h"
#include "ui/station.h"
#include "ui/tool_form.h"
#include "ui/user_input_form.h"

namespace {
bool save_picture(QWidget& window, const QString& dir, const QString& name) {
    window.show();
    QApplication::processEvents();
    const bool saved = window.grab().save(dir + "/" + name + ".png");
    std::printf("%s %s\n", saved ? "saved" : "FAILED", qPrintable(name));
    window.hide();
    return saved;
}

void choose_node(QWidget& browser, const QString& name) {
    auto* tree = browser.findChild<QTreeWidget*>("TreeView1");
    const auto found = tree->findItems(name, Qt::MatchExactly | Qt::MatchRecursive);
    if (found.isEmpty()) return;
    tree->setCurrentItem(found.first());
    tree->scrollToItem(found.first());
}
}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: quorvan-screenshots DIR\n");
        return 2;
    }
    const QString dir = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    bool all = true;

    TStartupFm startup;
    all &= save_picture(startup, dir, "startup");

    Call_Log call_log;
    TMainForm main_form(QV_ROLE_CENTRAL, call_log);
    main_form.show();
    if (!start_station(main_form, {QString(""), 0})) return 1;  // no line: the pictures need none

    TSendMSGFm& send = main_form.send_form();
    TInstSelectFm& browser = send.browser();
    browser.load_tree("isotree.txt");
    browser.set_selected_objects({"demoInteger.0", "demoName.0"});
    send.findChild<QListWidget*>("ObjListBox")->addItems({"demoInteger.0", "demoName.0"});
    choose_node(browser, "demoName.0");
    all &= save_picture(browser, dir, "object-browser");
    all &= save_picture(send, dir, "send-message");

    // A Get encoded without a line: the engine explains it in the line activity.
    Message_Request request{};
    std::string protocol = "SNMP", class_name = "Class B", community = "Orchid", name = "demoInteger.0", value;
    request.protocol = protocol.data();
    request.class_name = class_name.data();
    request.community = community.data();
    request.address = 5;
    request.get = 1;
    request.normal_snmp = 1;
    request.object_count = 1;
    request.object_names[0] = name.data();
    request.values[0] = value.data();
    for (int i = 1; i < QV_MAX_OBJECTS; ++i) {
        request.object_names[i] = value.data();
        request.values[i] = value.data();
    }
    char* english = nullptr;
    Encoded_Frame frame{};
    int32_t frames = 0;
    EncodeData(&english, &request, &frame, nullptr, nullptr, "", "", &frames, 0);
    if (english != nullptr) main_form.show_activity(QString::fromLatin1(english));
    std::free(english);
    main_form.resize(960, 640);
    all &= save_picture(main_form, dir, "main-window");

    TEditByteStrmFm editor;
    editor.set_fields(byte_stream::fields_of(frame));
    all &= save_picture(editor, dir, "edit-byte-stream");

    TInstSelectFm field_browser(TInstSelectFm::Mode::field);
    field_browser.load_tree("isotree.txt");
    choose_node(field_browser, "demoInteger.0");
    all &= save_picture(field_browser, dir, "field-browser");

    TDynTableFm dyn_table(1);
    for (const char* name : {"demoInteger.0", "demoName.0"}) {
        choose_node(dyn_table, name);
        dyn_table.findChild<QPushButton*>("add")->click();
    }
    dyn_table.findChild<QLineEdit*>("OwnerBox")->setText("tester");
    all &= save_picture(dyn_table, dir, "dyn-object-table");
    TDynMgntFm dyn_browse;
    choose_node(dyn_browse, "demoInteger.0");
    all &= save_picture(dyn_browse, dir, "dyn-object-browse");

    TMacroFm macro;
    macro.findChild<QLineEdit*>("MacroName")->setText("demo-session.mac");
    all &= save_picture(macro, dir, "macro");
    TUserInputFm input;
    input.findChild<QLineEdit*>("Input")->setText("yes");
    all &= save_picture(input, dir, "user-input");
    TPropertiesFm properties;
    all &= save_picture(properties, dir, "properties");
    TAboutBox about;
    all &= save_picture(about, dir, "about");
    TMibErrorFm mib_error;
    all &= save_picture(mib_error, dir, "mib-error");

    // The tool window, page by page, and its PPP options dialog.
    {
        TToolForm& tools = main_form.tool_form();
        const char* const pictures[] = {"tool-serial", "tool-pmpp",    "tool-class-a", "tool-memory",
                                        "tool-timers", "tool-dialup", "tool-testing"};
        tools.show();
        for (int page = 0; page < tools.pages().count(); ++page) {
            tools.pages().setCurrentIndex(page);
            QApplication::processEvents();
            const bool saved = tools.grab().save(dir + "/" + pictures[page] + ".png");
            std::printf("%s %s\n", saved ? "saved" : "FAILED", pictures[page]);
            all &= saved;
        }
        tools.hide();
        TpppConfigureOptionsDialog options;
        all &= save_picture(options, dir, "ppp-options");
    }

    Shutdown();
    return all ? 0 : 1;
}
