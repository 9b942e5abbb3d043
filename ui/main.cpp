// quorvan: the station's windows.
//   quorvan [--workdir DIR] [--central | --field] [--port NAME [--baud N]]
// Without --central or --field the start-up window asks for the role.
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <cstdio>

#include "quorvan.h"
#include "ui/call_log.h"
#include "ui/gui_thread.h"
#include "ui/main_form.h"
#include "ui/startup_form.h"
#include "ui/station.h"
#include "ui/texts.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(texts::kApplication);
    QApplication::setApplicationVersion("0.1");
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption workdir("workdir", "Working directory of the station.", "DIR");
    const QCommandLineOption central("central", "Run as central station.");
    const QCommandLineOption field("field", "Run as field device.");
    const QCommandLineOption port("port", "Serial port for this run.", "NAME");
    const QCommandLineOption baud("baud", "Baud rate with --port.", "N");
    parser.addOptions({workdir, central, field, port, baud});
    parser.process(app);
    if (parser.isSet(workdir) && !QDir::setCurrent(parser.value(workdir))) {
        std::fprintf(stderr, "quorvan: cannot use working directory %s\n", qPrintable(parser.value(workdir)));
        return 1;
    }

    int32_t role = parser.isSet(field) ? QV_ROLE_FIELD : QV_ROLE_CENTRAL;
    if (!parser.isSet(central) && !parser.isSet(field)) {
        TStartupFm startup;
        if (startup.exec() != QDialog::Accepted) return 0;
        role = startup.role();
    }
    Call_Log call_log;
    TMainForm main_form(role, call_log);
    main_form.show();
    if (!start_station(main_form, {parser.value(port), parser.value(baud).toInt()})) {
        // The MIB did not load: the user has been told why; nothing to run.
        Shutdown();
        return 1;
    }
    const int status = QApplication::exec();
    // Macro threads waiting for an answer are let go before the engine stops.
    stop_waiting_for_gui_thread();
    QCoreApplication::processEvents();
    Shutdown();
    return status;
}
