// The small windows of the main window: properties, about, the MIB error
// window, and the plain editor the logs are viewed in.
#pragma once

#include <QDialog>
#include <QMainWindow>

class QTextEdit;

class TPropertiesFm : public QDialog {
    Q_OBJECT
public:
    explicit TPropertiesFm(QWidget* parent = nullptr);
};

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);
};

class TMibErrorFm : public QDialog {
    Q_OBJECT
public:
    explicit TMibErrorFm(QWidget* parent = nullptr);
};

class TEditorFm : public QMainWindow {
    Q_OBJECT
public:
    explicit TEditorFm(QWidget* parent = nullptr);
    // Loads a file; the caption names it.
    bool open_file(const QString& path);

private:
    bool save_to(const QString& path);
    QTextEdit* text_;
    QString path_;
};
