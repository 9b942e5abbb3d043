// "PPP Configure Options": the LCP option set this side offers in its
// Configure-Request. A ticked box offers its option with the value typed
// beside it (numbers in decimal); an unticked one leaves it out.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QRadioButton;

class TpppConfigureOptionsDialog : public QDialog {
    Q_OBJECT
public:
    explicit TpppConfigureOptionsDialog(QWidget* parent = nullptr);

    // Shows the engine's current option set.
    void load();

public slots:
    // Builds the option set from the boxes and gives it to the engine;
    // false, with the reason shown and nothing given, for a number that is
    // not one.
    bool UseClick();

private:
    QCheckBox* reserved_;
    QCheckBox* mru_box_;
    QCheckBox* map_box_;
    QCheckBox* auth_box_;
    QCheckBox* magic_box_;
    QCheckBox* quality_box_;
    QCheckBox* acfc_box_;
    QCheckBox* pfc_box_;
    QCheckBox* fcs_box_;
    QCheckBox* pad_box_;
    QCheckBox* callback_box_;
    QCheckBox* numbered_box_;
    QLineEdit* mru_;
    QLineEdit* map_;
    QLineEdit* magic_;
    QLineEdit* quality_;
    QLineEdit* fcs_;
    QLineEdit* other_auth_;
    QRadioButton* pap_;
    QRadioButton* chap_;
    QRadioButton* other_;
};
