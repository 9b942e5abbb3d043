// Start-up of the station behind the main window: the engine, the MIB, the
// browsers' tree files and the receiver thread.
#pragma once

#include <QString>

class TMainForm;

struct Station_Options {
    QString port;  // empty: the configured port
    int baud = 0;
};

// Runs the start-up sequence, writing what it asks of the engine to the call
// log. A port that cannot be opened leads to choosing another; a failed MIB
// load shows why and marks the window to close. Returns false when the
// station cannot run.
bool start_station(TMainForm& main_form, const Station_Options& options);
