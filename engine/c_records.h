// The C records of quorvan.h and the engine's own values: the only place
// where the fixed-size records are read or written.
#pragma once

#include "codec/request_record.h"
#include "datalink/pmpp.h"
#include "engine/mib.h"
#include "quorvan.h"

// Reads a caller's request: null texts read as empty; at most QV_MAX_OBJECTS
// objects, however many object_count claims.
Request_Record record_from(const Message_Request& request);

// Copies a sent frame and its field positions into a frame record; throws
// InvalidLengthException, writing nothing, when the frame is longer than the
// record's frame area.
void store_sent_frame(const Sent_Frame& frame, Encoded_Frame& record);

// Fills a caller's record of a node: every text newly allocated, all or
// nothing (on a failed allocation the record is left as it was); the
// instance text cut to the record's field.
void fill_node_info(const Node_Facts& facts, Node_Info& info);

// Appends each index variable's name and "\n" to the text in the caller's
// buffer of QV_INDEX_NAMES_SIZE bytes, never past it, and stores the count
// and the instance counts per level.
void fill_column_index(const Column_Index& index, uint8_t& count, char* names, uint16_t* counts);

// Copies the listing into the caller's three text buffers of
// QV_DYN_TEXT_SIZE bytes (each cut to fit) and the value types array.
void fill_dyn_obj_list(const Dyn_Obj_Listing& listing, char* names, char* owners, char* values, uint8_t* syntaxes);
