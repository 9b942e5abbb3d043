// The process-wide locks that order the threads' work in the engine. Where
// the link lock and the display lock are both needed, the link lock is taken
// first.
#pragma once

#include <mutex>

// Held around every delivery of text to a display callback or to the
// standard output stream.
std::mutex& display_lock();
// Held around every use of the data link (framing, decoding, octet assembly).
std::mutex& link_lock();
// Held by the receiver around reads of a connected modem (and PPP's CHAP step).
std::mutex& port_lock();
// Held around every call of the status callback.
std::mutex& status_lock();
