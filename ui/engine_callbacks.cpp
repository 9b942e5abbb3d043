#include "ui/engine_callbacks.h"

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <cstdlib>
#include <cstring>

#include "ui/edit_byte_form.h"
#include "ui/gui_thread.h"
#include "ui/main_form.h"
#include "ui/user_input_form.h"

namespace engine_callbacks {
namespace {
QPointer<TMainForm>& main_form() {
    static QPointer<TMainForm> form;
    return form;
}
}  // namespace

void attach(TMainForm* form) { main_form() = form; }

int32_t display(const char* text) {
    if (text == nullptr) return 0;
    // The engine's texts are 8-bit; copied now, the engine's buffer is gone later.
    QString copy = QString::fromLatin1(text);
    run_on_gui_thread([copy = std::move(copy)] {
        if (TMainForm* form = main_form()) form->show_activity(copy);
    });
    return 0;
}

void status(int32_t connection_type, int32_t connection_state, int32_t link_state, int32_t link_phase,
            const char* text, int32_t, int32_t, int32_t, int32_t seconds_remaining) {
    QString name = text == nullptr ? QString() : QString::fromLatin1(text);
    run_on_gui_thread([=] {
        if (TMainForm* form = main_form())
            form->show_status(connection_type, connection_state, link_state, link_phase, name, seconds_remaining);
    });
}

void edit(Encoded_Frame* frame, const char*, const char*) {
    if (frame == nullptr) return;
    run_on_gui_thread_and_wait([frame] {
        TEditByteStrmFm editor(main_form());
        editor.edit(*frame);
    });
}

int32_t user_input(char** answer, const char* prompt) {
    if (answer == nullptr) return 0;
    *answer = nullptr;
    const QString question = prompt == nullptr ? QString() : QString::fromLatin1(prompt);
    QString reply;
    bool given = false;
    run_on_gui_thread_and_wait([&] {
        TUserInputFm form(main_form());
        given = form.ask(question, reply);
    });
    if (!given) return 0;
    const QByteArray bytes = reply.toLatin1();
    char* copy = static_cast<char*>(std::malloc(static_cast<size_t>(bytes.size()) + 1));
    if (copy == nullptr) return 0;
    std::memcpy(copy, bytes.constData(), static_cast<size_t>(bytes.size()) + 1);
    *answer = copy;
    return 0;
}
int32_t modem_notice(const char* title, const char* text) {
    const QString caption = title == nullptr ? QString() : QString::fromLatin1(title);
    const QString message = text == nullptr ? QString() : QString::fromLatin1(text);
    run_on_gui_thread_and_wait([&] {
        QMessageBox box(QMessageBox::Information, caption, message, QMessageBox::Ok, main_form());
        box.setObjectName("ModemNoticeBox");
        box.exec();
    });
    return 0;
}
}  // namespace engine_callbacks
