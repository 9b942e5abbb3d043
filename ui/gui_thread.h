// The engine calls the windows' callbacks from the receiver thread and from
// macro threads; widgets may only be touched on the GUI thread. These run a
// piece of work there: queued (the caller goes on) or waited for (the
// caller needs the result, as a macro waits for the user's answer).
#pragma once

#include <functional>

void run_on_gui_thread(std::function<void()> work);
void run_on_gui_thread_and_wait(const std::function<void()>& work);

// From now on waited-for work is dropped: the event loop is ending, and a
// thread waiting for it would never be answered.
void stop_waiting_for_gui_thread();
