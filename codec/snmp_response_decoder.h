// The central role's decoder of SNMP responses: checks every element of the
// message, fills the received message, records the response's error status
// and index, and hands the result to validation.
#pragma once

#include "base/bytes.h"

class Activity_Log;
class Byte_Reader;
class Error_State_List;
class ISO_Tree;
class Message_Content;

// The first byte has been traced by the caller. The caller holds the tree's
// lock exclusively.
void decode_snmp_response(const Bytes& pdu, Message_Content& received, const Message_Content& request,
                          Activity_Log& log, Error_State_List* errors, ISO_Tree& tree);
