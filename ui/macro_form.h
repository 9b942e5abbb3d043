// "MacroFm": names a macro script and runs it on the engine's macro thread.
#pragma once

#include <QDialog>

class QLineEdit;

class TMacroFm : public QDialog {
    Q_OBJECT
public:
    explicit TMacroFm(QWidget* parent = nullptr);

public slots:
    void run_clicked();

private:
    QLineEdit* macro_name_;
};
