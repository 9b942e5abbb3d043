// The dynamic object definition window: the variables of one dynamic object
// chosen from the object tree, its owner, and the community and address OK
// programs it into the device with (DynObjSync), keeping the definition as
// the saved one of its number.
#pragma once

#include <QDialog>
#include <QStringList>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QSpinBox;
class QTreeWidget;

class TDynTableFm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxObjects = 26;  // the request record's slots

    explicit TDynTableFm(int number, QWidget* parent = nullptr);

    QStringList selected_objects() const;

public slots:
    void show_number(int number);
    void add_clicked();
    void insert_clicked();
    void remove_clicked();
    void delete_clicked();
    void set_value_clicked();
    void ok_clicked();

private:
    void add_or_insert(bool insert);

    QSpinBox* number_;
    QLineEdit* owner_;
    QTreeWidget* tree_;
    QListWidget* list_;
    QLineEdit* community_;
    QSpinBox* address_;
    QCheckBox* group_;
    QCheckBox* edit_;
};
