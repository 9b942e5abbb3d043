// The callbacks the windows give the engine. Each hands its work to the GUI
// thread: texts and status queued, in order; frames to edit and questions
// for the user waited for, since the engine needs the answer.
#pragma once

#include "quorvan.h"

class TMainForm;

namespace engine_callbacks {
// The window that receives the texts and the status (none: they are dropped).
void attach(TMainForm* main_form);

int32_t display(const char* text);
void status(int32_t connection_type, int32_t connection_state, int32_t link_state, int32_t link_phase,
            const char* text, int32_t value1, int32_t value2, int32_t value3, int32_t seconds_remaining);
void edit(Encoded_Frame* frame, const char* text1, const char* text2);
int32_t user_input(char** answer, const char* prompt);
// The modem's messages: a failure, or a "Dialing Paused" prompt the dial
// waits on until the user answers it.
int32_t modem_notice(const char* title, const char* text);
}  // namespace engine_callbacks
