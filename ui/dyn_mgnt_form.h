// The browse window of the dynamic objects: the object tree and, for the
// chosen node, what the engine knows of it.
#pragma once

#include <QDialog>

class QLineEdit;
class QTreeWidget;

class TDynMgntFm : public QDialog {
    Q_OBJECT
public:
    explicit TDynMgntFm(QWidget* parent = nullptr);

public slots:
    void node_chosen();

private:
    QTreeWidget* tree_;
    QLineEdit* syntax_;
    QLineEdit* access_;
    QLineEdit* status_;
    QLineEdit* oid_;
    QLineEdit* value_;
    QLineEdit* time_stamp_;
};
