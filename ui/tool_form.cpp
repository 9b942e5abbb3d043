#include "ui/tool_form.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimer>
#include <QVBoxLayout>
#include <chrono>
#include <cstdlib>
#include <string>

#include "quorvan.h"
#include "ui/engine_callbacks.h"
#include "ui/link_names.h"
#include "ui/ppp_options_dialog.h"
#include "ui/texts.h"
#include "ui/tool_inert_pages.h"

namespace {
template <typename Widget>
Widget* named(Widget* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

// The speeds the serial port takes.
constexpr int kSpeeds[] = {75, 150, 300, 600, 1200, 2400, 4800, 9600};
constexpr int kLinkRefreshMs = 250;
// The packet Send LCP offers first; the state value of no link, whose name
// ("No connection") Send LCP shows without a call.
constexpr int32_t kConfigureRequest = 1;
constexpr int32_t kNoLink = -1;
constexpr int kDialWaitStepMs = 20;

// The eight error switches of the field device, in the order the engine takes them.
struct Error_Box {
    const char* name;
    const char* text;
};
constexpr Error_Box kErrorBoxes[8] = {
    {"ExtraByteBox", "Add an extra byte to PDU"},     {"RemoveByteBox", "Remove a random byte from PDU"},
    {"ChangeByteBox", "Change a random byte in PDU"}, {"EditMessagesBox", "Edit Messages Manually"},
    {"InvalidCRCBox", "Invalid CRC"},                 {"InvalidControlBox", "Invalid Control Field"},
    {"InvalidAddressBox", "Invalid Address Field"},   {"NoResponseBox", "Don't Respond to Messages"},
};
constexpr int kExtraByte = 0;
constexpr int kRemoveByte = 1;

QSpinBox* time_out_box(QWidget* parent, const char* name) {
    auto* spin = named(new QSpinBox(parent), name);
    spin->setRange(0, 0xFFFF);
    return spin;
}

QByteArray latin1(const QString& text) { return text.toLatin1(); }
}  // namespace

TToolForm::TToolForm(QWidget* parent) : QDialog(parent) {
    setObjectName("TToolForm");
    setWindowTitle(texts::kToolCaption);
    pages_ = named(new QTabWidget(this), "PageControl1");
    serial_page_ = build_serial_page();
    dialup_page_ = build_dialup_page();
    testing_page_ = build_testing_page();
    pages_->addTab(serial_page_, "Serial Connection");
    pages_->addTab(tool_pages::pmpp(pages_), "PMPP");
    pages_->addTab(tool_pages::class_a(pages_), "Class A");
    pages_->addTab(tool_pages::memory_management(pages_), "Memory Management");
    pages_->addTab(tool_pages::timers(pages_), "Timers");
    pages_->addTab(dialup_page_, "Dialup Connection");
    pages_->addTab(testing_page_, "Testing");
    connect(pages_, &QTabWidget::currentChanged, this, &TToolForm::enter_page);

    link_timer_ = new QTimer(this);
    link_timer_->setInterval(kLinkRefreshMs);
    connect(link_timer_, &QTimer::timeout, this, &TToolForm::refresh_link);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
}

TToolForm::~TToolForm() {
    // A dial in progress may wait for the user at a "Dialing Paused" prompt,
    // which this thread shows: keep serving it until the dial is over.
    while (dialing_.load()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, kDialWaitStepMs);
        std::this_thread::sleep_for(std::chrono::milliseconds(kDialWaitStepMs));
    }
    if (dial_thread_.joinable()) dial_thread_.join();
}

QWidget* TToolForm::build_serial_page() {
    auto* sheet = named(new QWidget(this), "SerialSheet");
    port_ = named(new QLineEdit(sheet), "PortEdit");
    speed_ = named(new QComboBox(sheet), "SpeedEdit");
    for (int speed : kSpeeds) speed_->addItem(QString::number(speed));
    time_out_ = time_out_box(sheet, "TimeoutEdit");
    auto* default_class = named(new QComboBox(sheet), "ComboBox1");
    default_class->setEditable(true);
    default_class->setCurrentText("ClassB");
    auto* forms = named(new QLabel(texts::kPortForms, sheet), "PortFormsLabel");
    forms->setFont(QFont("Monospace"));
    forms->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto* apply = named(new QPushButton("Apply", sheet), "apply1");
    auto* close = named(new QPushButton("Close", sheet), "BitBtn2");
    connect(apply, &QPushButton::clicked, this, &TToolForm::apply1Click);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* form = new QFormLayout;
    form->addRow("Port", port_);
    form->addRow("Speed", speed_);
    form->addRow("Timeout", time_out_);
    form->addRow("Default Class", default_class);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(apply);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(sheet);
    layout->addLayout(form);
    layout->addWidget(forms);
    layout->addStretch();
    layout->addLayout(buttons);
    return sheet;
}

QWidget* TToolForm::build_dialup_page() {
    auto* sheet = named(new QWidget(this), "DialupSheet");
    phone_ = named(new QLineEdit(sheet), "PhoneNumberEdit");
    link_state_ = named(new QLabel(texts::kUninitialized, sheet), "LinkStateLabel");
    link_phase_ = named(new QLabel(texts::kUninitialized, sheet), "PhaseStateLabel");
    auto* apply = named(new QPushButton("Apply", sheet), "Apply");
    auto* cancel = named(new QPushButton("Cancel", sheet), "BitBtn1");
    connect_ = named(new QPushButton("Connect", sheet), "Connect");
    auto* hang_up = named(new QPushButton("Hang Up", sheet), "HangUpButton");
    start_ppp_ = named(new QCheckBox("Initiate PPP on Connection", sheet), "PPPStartCheckBox");
    start_ppp_->setChecked(true);
    lcp_message_ = named(new QComboBox(sheet), "LCPMessageBox");
    lcp_message_->addItems(link_names::lcp_packets());
    lcp_message_->setCurrentText(link_names::text(QV_LINK_TEXT_LCP_PACKET, kConfigureRequest));
    identifier_ = named(new QSpinBox(sheet), "IdentBox");
    identifier_->setRange(0, 255);
    auto* send_lcp = named(new QPushButton("Send LCP", sheet), "SendMessageButton");
    ppp_event_ = named(new QComboBox(sheet), "PPPEventBox");
    ppp_event_->addItems(link_names::events());
    auto* set_event = named(new QPushButton("Set Event", sheet), "EventButton");
    send_event_messages_ = named(new QCheckBox("Send Appropriate Messages?", sheet), "SendEventMessages");
    send_event_messages_->setChecked(true);
    auto* restart_timer = named(new QLineEdit(sheet), "RestartTimerDefaultBox");
    secret_ = named(new QLineEdit(sheet), "SecretEdit");
    auto* set_secret = named(new QPushButton("Set", sheet), "SecretButton");
    auto* authenticate = named(new QPushButton("Authenticate", sheet), "AuthenticateButton");
    auto* options = named(new QPushButton("PPP Options", sheet), "OptionsButton");

    connect(apply, &QPushButton::clicked, this, &TToolForm::ApplyClick);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
    connect(connect_, &QPushButton::clicked, this, &TToolForm::ConnectClick);
    connect(hang_up, &QPushButton::clicked, this, &TToolForm::HangUpClick);
    connect(send_lcp, &QPushButton::clicked, this, &TToolForm::SendMessageButtonClick);
    connect(set_event, &QPushButton::clicked, this, &TToolForm::EventButtonClick);
    connect(set_secret, &QPushButton::clicked, this, &TToolForm::SecretButtonClick);
    connect(authenticate, &QPushButton::clicked, this, &TToolForm::AuthenticateButtonClick);
    connect(options, &QPushButton::clicked, this, &TToolForm::OptionsButtonClick);

    auto* dial = new QGroupBox("Dial-up", sheet);
    auto* dial_layout = new QGridLayout(dial);
    dial_layout->addWidget(new QLabel("Phone Number", dial), 0, 0);
    dial_layout->addWidget(phone_, 0, 1, 1, 2);
    dial_layout->addWidget(apply, 0, 3);
    dial_layout->addWidget(start_ppp_, 1, 0, 1, 2);
    dial_layout->addWidget(connect_, 1, 3);
    dial_layout->addWidget(hang_up, 2, 3);
    dial_layout->addWidget(new QLabel("Link State:", dial), 2, 0);
    dial_layout->addWidget(link_state_, 2, 1);
    dial_layout->addWidget(new QLabel("Link Phase:", dial), 3, 0);
    dial_layout->addWidget(link_phase_, 3, 1);

    auto* ppp = new QGroupBox("PPP", sheet);
    auto* ppp_layout = new QGridLayout(ppp);
    ppp_layout->addWidget(new QLabel("LCP Message", ppp), 0, 0);
    ppp_layout->addWidget(lcp_message_, 0, 1);
    ppp_layout->addWidget(new QLabel("Identifier", ppp), 0, 2);
    ppp_layout->addWidget(identifier_, 0, 3);
    ppp_layout->addWidget(send_lcp, 0, 4);
    ppp_layout->addWidget(new QLabel("PPP Event", ppp), 1, 0);
    ppp_layout->addWidget(ppp_event_, 1, 1);
    ppp_layout->addWidget(send_event_messages_, 1, 2, 1, 2);
    ppp_layout->addWidget(set_event, 1, 4);
    ppp_layout->addWidget(new QLabel("Restart Timer Default:", ppp), 2, 0);
    ppp_layout->addWidget(restart_timer, 2, 1);
    ppp_layout->addWidget(new QLabel("CHAP Secret:", ppp), 3, 0);
    ppp_layout->addWidget(secret_, 3, 1);
    ppp_layout->addWidget(set_secret, 3, 2);
    ppp_layout->addWidget(authenticate, 3, 3);
    ppp_layout->addWidget(options, 3, 4);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cancel);
    auto* layout = new QVBoxLayout(sheet);
    layout->addWidget(dial);
    layout->addWidget(ppp);
    layout->addStretch();
    layout->addLayout(buttons);
    return sheet;
}

QWidget* TToolForm::build_testing_page() {
    auto* sheet = named(new QWidget(this), "TestingSheet");
    connection_type_ = named(new QComboBox(sheet), "connectionTypeBox");
    connection_type_->addItem(texts::kSerialConnection, QV_CONNECTION_SERIAL);
    connection_type_->addItem(texts::kModemConnection, QV_CONNECTION_MODEM);
    connection_type_->addItem(texts::kNetworkConnection, QV_CONNECTION_NETWORK);
    emulation_mode_ = named(new QComboBox(sheet), "emulationModeBox");
    emulation_mode_->addItem(texts::kCentral, QV_ROLE_CENTRAL);
    emulation_mode_->addItem(texts::kField, QV_ROLE_FIELD);
    testing_time_out_ = time_out_box(sheet, "TimeoutEdit3");
    auto* set = named(new QPushButton("Set", sheet), "SetButton");
    connect(set, &QPushButton::clicked, this, &TToolForm::SetButtonClick);

    auto* which = new QGroupBox("Apply Errors to All or Next Message ?", sheet);
    all_messages_ = named(new QRadioButton("All Messages", which), "AllMessageButton");
    this_message_ = named(new QRadioButton("This Message Only", which), "ThisMessageButton");
    all_messages_->setChecked(true);
    auto* which_layout = new QHBoxLayout(which);
    which_layout->addWidget(all_messages_);
    which_layout->addWidget(this_message_);

    auto* errors = new QGroupBox("Errors", sheet);
    auto* errors_layout = new QGridLayout(errors);
    for (int i = 0; i < 8; ++i) {
        error_boxes_[i] = named(new QCheckBox(kErrorBoxes[i].text, errors), kErrorBoxes[i].name);
        errors_layout->addWidget(error_boxes_[i], i % 4, i / 4);
    }
    QCheckBox* extra = error_boxes_[kExtraByte];
    QCheckBox* remove = error_boxes_[kRemoveByte];
    connect(extra, &QCheckBox::toggled, this, [this, extra, remove] { exclusive_with(extra, remove); });
    connect(remove, &QCheckBox::toggled, this, [this, extra, remove] { exclusive_with(remove, extra); });

    auto* ok = named(new QPushButton("OK", sheet), "OKButton");
    auto* close = named(new QPushButton("Close", sheet), "CancelButton");
    connect(ok, &QPushButton::clicked, this, &TToolForm::OKButtonClick);
    connect(close, &QPushButton::clicked, this, &QDialog::close);

    auto* form = new QFormLayout;
    form->addRow("Connection Type:", connection_type_);
    form->addRow("Emulation:", emulation_mode_);
    auto* time_out_row = new QHBoxLayout;
    time_out_row->addWidget(testing_time_out_);
    time_out_row->addWidget(set);
    form->addRow("Timeout:", time_out_row);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(sheet);
    layout->addLayout(form);
    layout->addWidget(which);
    layout->addWidget(errors);
    layout->addStretch();
    layout->addLayout(buttons);
    return sheet;
}

void TToolForm::exclusive_with(QCheckBox* ticked, QCheckBox* other) {
    if (ticked->isChecked()) other->setChecked(false);
}

void TToolForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    int32_t type = 0;
    int32_t role = 0;
    GetModes(&type, &role);
    {
        const QSignalBlocker quiet(pages_);
        if (type == QV_CONNECTION_MODEM) pages_->setCurrentWidget(dialup_page_);
        else if (type == QV_CONNECTION_SERIAL || type == QV_CONNECTION_NETWORK) pages_->setCurrentWidget(serial_page_);
    }
    enter_page(pages_->currentIndex());
    refresh_link();
    link_timer_->start();
}

void TToolForm::hideEvent(QHideEvent* event) {
    link_timer_->stop();
    QDialog::hideEvent(event);
}

void TToolForm::enter_page(int index) {
    QWidget* page = pages_->widget(index);
    if (page == serial_page_) enter_serial_page();
    else if (page == dialup_page_) enter_dialup_page();
    else if (page == testing_page_) enter_testing_page();
}

void TToolForm::enter_serial_page() {
    uint16_t baud = 0;
    uint16_t time_out = 0;
    std::string port(QV_PORT_NAME_SIZE, '\0');
    GetParams(&baud, port.data(), &time_out);
    port_->setText(QString::fromLocal8Bit(port.c_str()));
    const QString speed = QString::number(baud);
    if (speed_->findText(speed) < 0) speed_->addItem(speed);  // shown as configured
    speed_->setCurrentText(speed);
    time_out_->setValue(time_out);
}

void TToolForm::apply1Click() {
    const QByteArray port = port_->text().toLocal8Bit();
    if (SetParams(static_cast<uint16_t>(speed_->currentText().toUInt()), port.constData(), time_out_->value()) != 0)
        QMessageBox::warning(this, texts::kWarnings, QString(texts::kPortNotOpenedNamed).arg(port_->text()));
}

void TToolForm::enter_dialup_page() {
    char* number = nullptr;
    GetModemComm(&number);
    phone_->setText(number != nullptr ? QString::fromLatin1(number) : QString());
    std::free(number);
    char* info = nullptr;
    GetPPPInfo(&info);
    secret_->setText(info != nullptr ? QString::fromLatin1(info) : QString());
    std::free(info);
    refresh_link();
}

void TToolForm::ApplyClick() { SetModemComm(latin1(phone_->text()).constData(), nullptr); }

void TToolForm::ConnectClick() {
    if (dialing_.load()) return;
    ApplyClick();
    if (dial_thread_.joinable()) dial_thread_.join();
    connect_->setEnabled(false);
    dialing_ = true;
    dial_thread_ = std::thread([this] {
        const int32_t result = DialupConnect();
        // Queued to this window: dropped by Qt should the window be gone.
        QMetaObject::invokeMethod(this, [this, result] { after_dial(result); }, Qt::QueuedConnection);
        dialing_ = false;
    });
}

void TToolForm::after_dial(int32_t result) {
    connect_->setEnabled(true);
    if (result == 1 && start_ppp_->isChecked()) {
        engine_callbacks::display(QV_TEXT_DIALUP_PPP);
        engine_callbacks::display(QV_TEXT_PPP_STARTING);
        StartPPP(engine_callbacks::display);
    }
    refresh_link();
    emit dial_finished(result);
}

void TToolForm::HangUpClick() {
    DialupHangUp();
    refresh_link();
}

void TToolForm::SendMessageButtonClick() {
    if (GetConnectionState() != 1) {
        engine_callbacks::display(link_names::text(QV_LINK_TEXT_STATE, kNoLink).toLatin1().constData());
        return;
    }
    char* frame = nullptr;
    SendLCPRawMessage(latin1(lcp_message_->currentText()).constData(), &frame,
                      static_cast<uint8_t>(identifier_->value()), engine_callbacks::display);
    std::free(frame);
    refresh_link();
}

void TToolForm::EventButtonClick() {
    const QByteArray event = latin1(ppp_event_->currentText());
    if (send_event_messages_->isChecked()) DoPPPEventT(event.constData(), 0, engine_callbacks::display);
    else SetPPPEventT(event.constData(), 0);
    refresh_link();
}

void TToolForm::SecretButtonClick() { SetPPPInfo(latin1(secret_->text()).constData()); }

void TToolForm::AuthenticateButtonClick() {
    Authenticate(engine_callbacks::display);
    refresh_link();
}

void TToolForm::OptionsButtonClick() {
    TpppConfigureOptionsDialog options(this);
    options.exec();
}

void TToolForm::enter_testing_page() {
    int32_t type = 0;
    int32_t role = 0;
    GetModes(&type, &role);
    const int type_index = connection_type_->findData(type);
    if (type_index >= 0) connection_type_->setCurrentIndex(type_index);
    const int role_index = emulation_mode_->findData(role);
    if (role_index >= 0) emulation_mode_->setCurrentIndex(role_index);
    uint16_t baud = 0;
    uint16_t time_out = 0;
    std::string port(QV_PORT_NAME_SIZE, '\0');
    GetParams(&baud, port.data(), &time_out);
    testing_time_out_->setValue(time_out);

    uint8_t flags[8] = {};
    int32_t count = 0;
    GetFieldDeviceErrorMode(&flags[0], &flags[1], &flags[2], &flags[3], &flags[4], &flags[5], &flags[6], &flags[7],
                            &count);
    for (int i = 0; i < 8; ++i) error_boxes_[i]->setChecked(flags[i] != 0);
    (count == 0 ? all_messages_ : this_message_)->setChecked(true);
}

void TToolForm::SetButtonClick() {
    int32_t type = 0;
    int32_t role = 0;
    GetModes(&type, &role);
    // The role is shown, not changed here: it is chosen at start-up.
    SetModes(connection_type_->currentData().toInt(), role);
    QMessageBox::warning(this, texts::kWarnings, texts::kRestartForChanges);
    uint16_t baud = 0;
    uint16_t time_out = 0;
    std::string port(QV_PORT_NAME_SIZE, '\0');
    GetParams(&baud, port.data(), &time_out);
    SetParams(baud, port.c_str(), testing_time_out_->value());
}

void TToolForm::OKButtonClick() {
    uint8_t flags[8] = {};
    for (int i = 0; i < 8; ++i) flags[i] = error_boxes_[i]->isChecked() ? 1 : 0;
    SetFieldDeviceErrorMode(flags[0], flags[1], flags[2], flags[3], flags[4], flags[5], flags[6], flags[7],
                            this_message_->isChecked() ? 1 : 0);
}

void TToolForm::refresh_link() {
    const int32_t state = GetLinkState();
    const int32_t phase = GetLinkPhase();
    link_state_->setText(link_names::text(QV_LINK_TEXT_STATE, state));
    link_phase_->setText(link_names::text(QV_LINK_TEXT_PHASE, phase));
    emit link_read(state, phase);
}
