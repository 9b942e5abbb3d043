// Errors of the serial port. Each kind carries the text the station reports.
#pragma once

#include "base/throwable.h"

class SP_Exception : public RecoverException {
public:
    using RecoverException::RecoverException;
};

#define QUORVAN_SP_EXCEPTION(Name)        \
    class Name : public SP_Exception {    \
    public:                               \
        using SP_Exception::SP_Exception; \
    }

QUORVAN_SP_EXCEPTION(InvalidHandleException);    // a setting on a closed port
QUORVAN_SP_EXCEPTION(InvalidSettingException);   // a value outside the accepted ones
QUORVAN_SP_EXCEPTION(CommBlockException);        // the line settings could not be read or applied
QUORVAN_SP_EXCEPTION(CommOpenException);         // open of a port that is open
QUORVAN_SP_EXCEPTION(OpeningPortException);      // the device could not be opened
QUORVAN_SP_EXCEPTION(SettingTimeoutException);   // the time-outs could not be set
QUORVAN_SP_EXCEPTION(OverlappedEventException);  // waiting on a write failed
QUORVAN_SP_EXCEPTION(WritingPortException);      // the write was refused
QUORVAN_SP_EXCEPTION(PendingWriteException);     // the write outlasted its time budget
QUORVAN_SP_EXCEPTION(ReadingPortException);      // wait-and-read on a closed port

#undef QUORVAN_SP_EXCEPTION

namespace sp_error {
inline constexpr const char* kInvalidHandle = "Invalid Serial Port Handle!";
inline constexpr const char* kInvalidBaudRate = "Invalid baud rate.\n";
inline constexpr const char* kInvalidDataBits = "Invalid number of data bits.\n";
inline constexpr const char* kInvalidParity = "Invalid parity value.";
inline constexpr const char* kInvalidStopBits = "Invalid number of stop bits.";
inline constexpr const char* kCannotGetState = "Could not get comm port state.";
inline constexpr const char* kCannotSetState = "Could not set comm port state.";
inline constexpr const char* kErrorOpening = "Error Opening Port!";
inline constexpr const char* kCannotSetTimeouts = "Could not set Port Timeouts!";
inline constexpr const char* kOverlappedEvent = "Could not set overlapped event!";
inline constexpr const char* kErrorWriting = "Error Writing to the Port!";
inline constexpr const char* kPendingWrite = "Pending Write Error!";
inline constexpr const char* kErrorReading = "Error Reading Port!";
}  // namespace sp_error
