// "Send Message": composes one request of the central role by hand and
// sends it through SendData; its settings are saved and loaded as message
// files ("*.msg").
#pragma once

#include <QDialog>

#include "ui/message_file.h"

class Call_Log;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class Request_Record;
class TInstSelectFm;

class TSendMSGFm : public QDialog {
    Q_OBJECT
public:
    TSendMSGFm(Request_Record& record, Call_Log& call_log, QWidget* parent = nullptr);

    // The instance selection window whose list and values the window sends.
    TInstSelectFm& browser() { return *browser_; }

    message_file::Settings settings() const;
    void apply(const message_file::Settings& settings);
    bool save_file(const QString& path) const;
    bool load_file(const QString& path);

public slots:
    void ClassComboBoxChange();
    void DynObjButtonClick();
    void SNMPButtonClick();
    void GroupAddressBoxClick();
    void EditClick();
    void SendClick();
    void saveButtonClick();
    void LoadButtonClick();

signals:
    // A request went to the engine: Resend may send it again.
    void sent();

private:
    void fill_request();
    bool values_complete() const;
    bool dyn_object_defined(int number) const;
    void show_browser();

    Request_Record& record_;
    Call_Log& call_log_;
    TInstSelectFm* browser_;
    QComboBox* class_;
    QComboBox* community_;
    QSpinBox* address_;
    QCheckBox* group_;
    QRadioButton* get1_;
    QRadioButton* get2_;
    QRadioButton* set1_;
    QRadioButton* set2_;
    QRadioButton* snmp_;
    QRadioButton* dyn_obj_;
    QSpinBox* dyn_number_;
    QListWidget* objects_;
    QPushButton* edit_;
    QCheckBox* edit_byte_;
    QPushButton* send_;
};
