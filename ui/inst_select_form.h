// The object browser: the tree of "isotree.txt", the details of the chosen
// node through GetNodeInfo, and (central role) the list of selected object
// instances with the values a Set carries, or (field role) Enter Value,
// which changes the value the emulated device serves.
#pragma once

#include <QDialog>
#include <QStringList>

class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

class TInstSelectFm : public QDialog {
    Q_OBJECT
public:
    enum class Mode { central, field };
    static constexpr int kMaxObjects = 26;  // the request record's slots

    explicit TInstSelectFm(Mode mode, QWidget* parent = nullptr);

    // Loads the tree from the file (once; later calls keep it).
    void load_tree(const QString& path);

    QStringList selected_objects() const;
    QStringList values() const { return values_; }
    void set_selected_objects(const QStringList& names);  // each with an empty value

public slots:
    void node_chosen();
    void add_clicked();
    void insert_clicked();
    void remove_clicked();
    void set_value_clicked();
    void enter_value_clicked();

private:
    // The instance name for the chosen tree node, or nothing (after telling
    // the user why); a column asks for its index values first and may turn
    // an Add into an Insert or back.
    bool choose(bool& insert, QString& name);
    void put(bool insert, const QString& name);
    void clear_details();

    Mode mode_;
    bool tree_loaded_ = false;
    QTreeWidget* tree_;
    QListWidget* list_ = nullptr;
    QStringList values_;
    QLineEdit* syntax_;
    QLineEdit* access_;
    QLineEdit* status_;
    QLineEdit* oid_;
    QLineEdit* object_name_;
    QLineEdit* value_;
    QComboBox* display_mode_;
};

// Fills a tree with the tree file the engine writes ("isotree.txt": one node
// a line, a tab per level); false when the file cannot be read.
bool load_tree_file(QTreeWidget& tree, const QString& path);

// Asks for the index values of a table column (its tree text ends in ".X"):
// the instance name, and whether the user chose Insert; false when the
// engine knows no index or the user cancelled (after telling why).
bool choose_column_instance(QWidget* parent, const QString& column, QString& name, bool& insert);

// Chooses the index values of a table column: Add or Insert.
class TIndexFm : public QDialog {
    Q_OBJECT
public:
    static constexpr int kShownIndexes = 4;
    TIndexFm(const QStringList& index_names, QWidget* parent = nullptr);
    QString instance_suffix() const;  // ".1.2" ...
    bool insert_chosen() const { return insert_; }

private:
    QStringList suffix_values() const;
    QList<class QSpinBox*> fields_;
    bool insert_ = false;
};

// Names the value a selected object will carry in a Set.
class TSetValueFm : public QDialog {
    Q_OBJECT
public:
    TSetValueFm(const QString& object_name, const QString& value, QWidget* parent = nullptr);
    QString value() const;

private:
    QLineEdit* value_;
};
