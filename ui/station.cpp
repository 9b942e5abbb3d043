#include "ui/station.h"

#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <cstdlib>

#include "quorvan.h"
#include "ui/call_log.h"
#include "ui/engine_callbacks.h"
#include "ui/main_form.h"
#include "ui/small_forms.h"
#include "ui/texts.h"

namespace {
constexpr const char* kMibSource = "Mibi";
constexpr const char* kMibErrors = "Errors.out";

// Asks for another port until one opens or the user gives up (the station
// then runs without a line).
void choose_another_port(TMainForm& main_form) {
    uint16_t baud = 0;
    uint16_t time_out = 0;
    std::string port(QV_PORT_NAME_SIZE, '\0');
    GetParams(&baud, port.data(), &time_out);
    QString name = QString::fromLocal8Bit(port.c_str());
    for (;;) {
        bool ok = false;
        name = QInputDialog::getText(&main_form, texts::kChoosePort,
                                     QString("%1\n%2").arg(texts::kPortNotOpened, texts::kChoosePortLabel),
                                     QLineEdit::Normal, name, &ok);
        if (!ok) return;
        if (SetParams(baud, name.toLocal8Bit().constData(), time_out) == 0) return;
    }
}

// CompileMIB raising nothing to us: its tree errors come back as result 1.
int32_t compile_mib() {
    char output_name[32] = "Mibi.out";
    const int32_t flag = QFileInfo::exists(kMibSource) ? 1 : 0;
    return CompileMIB(kMibSource, output_name, kMibErrors, flag);
}
}  // namespace

bool start_station(TMainForm& main_form, const Station_Options& options) {
    Call_Log& log = main_form.call_log();
    engine_callbacks::attach(&main_form);
    log.write(texts::kCallingInit);
    const QByteArray port = options.port.toLocal8Bit();
    const int32_t init = Init(options.port.isEmpty() ? nullptr : port.constData(), static_cast<uint16_t>(options.baud),
                              nullptr, main_form.role(), engine_callbacks::display, engine_callbacks::status, 0);
    if (init != 0) {
        int32_t connection_type = 0;
        int32_t role = 0;
        GetModes(&connection_type, &role);
        if (connection_type == QV_CONNECTION_SERIAL) choose_another_port(main_form);
    }
    log.write(QString(texts::kInitDone).arg(init));
    SetModemNotice(engine_callbacks::modem_notice);

    log.write(texts::kCallingCompile);
    const int32_t compiled = compile_mib();
    if (compiled != 0) {
        if (compiled > 1) TMibErrorFm(&main_form).exec();
        QMessageBox::critical(&main_form, texts::kError, texts::kMibCompilerFailed);
        main_form.close_when_activated();
        return false;
    }
    log.write(texts::kCompileDone);
    WriteTreeFiles();
    log.write(texts::kGuiTreeDone);
    log.write(texts::kBuildingOidTable);
    SetAppInstance(&main_form);
    StartReceiverThread(engine_callbacks::display, engine_callbacks::status);
    main_form.enable_menus();
    return true;
}
