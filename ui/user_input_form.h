// "UserInput": a macro script's inuser prompt, answered by the user.
#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;

class TUserInputFm : public QDialog {
    Q_OBJECT
public:
    explicit TUserInputFm(QWidget* parent = nullptr);

    // Shows the prompt modally; true and the answer when OK was chosen.
    bool ask(const QString& prompt, QString& answer);

private:
    QLabel* instruction_;
    QLineEdit* input_;
};
