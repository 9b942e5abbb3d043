// "Tool - Options": the connection settings, dial-up and the PPP test
// controls, and the errors the field device puts into its answers, on the
// pages of one tabbed control. Every action is an engine call; the window
// keeps nothing of its own beyond its controls.
#pragma once

#include <QDialog>
#include <atomic>
#include <memory>
#include <thread>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTimer;

class TToolForm : public QDialog {
    Q_OBJECT
public:
    explicit TToolForm(QWidget* parent = nullptr);
    ~TToolForm() override;

    QTabWidget& pages() { return *pages_; }
    // Whether a dial started by Connect is still going.
    bool dialing() const { return dialing_.load(); }

public slots:
    // Page entries.
    void enter_page(int index);
    void enter_serial_page();
    void enter_dialup_page();
    void enter_testing_page();
    // Serial Connection.
    void apply1Click();
    // Dialup Connection.
    void ApplyClick();
    void ConnectClick();
    // Ends the call (an addition of this station: without it only leaving
    // the station would hang up).
    void HangUpClick();
    void SendMessageButtonClick();
    void EventButtonClick();
    void SecretButtonClick();
    void AuthenticateButtonClick();
    void OptionsButtonClick();
    // Testing.
    void SetButtonClick();
    void OKButtonClick();
    // Reads the link's state and phase and shows them by name.
    void refresh_link();

signals:
    // The link's state and phase as last read, for the main window's panel.
    void link_read(int32_t state, int32_t phase);
    // A dial started by Connect has ended (connected or not).
    void dial_finished(int32_t result);

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QWidget* build_serial_page();
    QWidget* build_dialup_page();
    QWidget* build_testing_page();
    void after_dial(int32_t result);
    void exclusive_with(QCheckBox* ticked, QCheckBox* other);

    QTabWidget* pages_;
    QWidget* serial_page_ = nullptr;
    QWidget* dialup_page_ = nullptr;
    QWidget* testing_page_ = nullptr;
    QTimer* link_timer_;

    // Serial Connection.
    QLineEdit* port_ = nullptr;
    QComboBox* speed_ = nullptr;
    QSpinBox* time_out_ = nullptr;

    // Dialup Connection.
    QLineEdit* phone_ = nullptr;
    QLabel* link_state_ = nullptr;
    QLabel* link_phase_ = nullptr;
    QPushButton* connect_ = nullptr;
    QCheckBox* start_ppp_ = nullptr;
    QComboBox* lcp_message_ = nullptr;
    QSpinBox* identifier_ = nullptr;
    QComboBox* ppp_event_ = nullptr;
    QCheckBox* send_event_messages_ = nullptr;
    QLineEdit* secret_ = nullptr;

    // Testing.
    QComboBox* connection_type_ = nullptr;
    QComboBox* emulation_mode_ = nullptr;
    QSpinBox* testing_time_out_ = nullptr;
    QRadioButton* all_messages_ = nullptr;
    QRadioButton* this_message_ = nullptr;
    QCheckBox* error_boxes_[8] = {};

    // The dial runs on a thread of its own: the window stays alive for the
    // "Dialing Paused" prompts and the line activity meanwhile.
    std::thread dial_thread_;
    std::atomic<bool> dialing_{false};
};
