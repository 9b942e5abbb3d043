// The start-up window: the station runs as a central station or as an
// emulated field device.
#pragma once

#include <QDialog>

class TStartupFm : public QDialog {
    Q_OBJECT
public:
    explicit TStartupFm(QWidget* parent = nullptr);
    int32_t role() const { return role_; }  // QV_ROLE_CENTRAL or QV_ROLE_FIELD

private:
    int32_t role_;
};
