// Answers the next modal window the code under test opens, as a user would:
// a timer watches for it while the window's own event loop runs.
#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <memory>

// Runs act on the next modal widget of type W (objectName name, when given).
template <typename W>
void when_modal(std::function<void(W*)> act, const QString& name = QString()) {
    auto* timer = new QTimer;
    timer->setInterval(20);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, [timer, act, name, tries] {
        W* widget = qobject_cast<W*>(QApplication::activeModalWidget());
        if (widget == nullptr || (!name.isEmpty() && widget->objectName() != name)) {
            if (++*tries > 500) timer->deleteLater();  // ten seconds: nothing came
            return;
        }
        timer->stop();
        timer->deleteLater();
        act(widget);
    });
    timer->start();
}

// What a message box said, and the button that answered it.
struct Box_Seen {
    QString title;
    QString text;
};

inline std::shared_ptr<Box_Seen> answer_box(QMessageBox::StandardButton button) {
    auto seen = std::make_shared<Box_Seen>();
    when_modal<QMessageBox>([seen, button](QMessageBox* box) {
        seen->title = box->windowTitle();
        seen->text = box->text();
        QAbstractButton* chosen = box->button(button);
        if (chosen == nullptr) chosen = box->buttons().value(0);
        chosen->click();
    });
    return seen;
}
