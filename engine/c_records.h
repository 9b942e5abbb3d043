// The C records of quorvan.h and the engine's own values: the only place
// where the fixed-size records are read or written.
#pragma once

#include "codec/request_record.h"
#include "datalink/pmpp.h"
#include "quorvan.h"

// Reads a caller's request: null texts read as empty; at most QV_MAX_OBJECTS
// objects, however many object_count claims.
Request_Record record_from(const Message_Request& request);

// Copies a sent frame and its field positions into a frame record; throws
// InvalidLengthException, writing nothing, when the frame is longer than the
// record's frame area.
void store_sent_frame(const Sent_Frame& frame, Encoded_Frame& record);
