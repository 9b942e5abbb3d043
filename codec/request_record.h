// A request as the engine handles it, in owned texts: what a caller asks to
// send, or what a received request asked for.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Request_Object {
    std::string name;   // an instance name, or a raw identifier starting with 0x02
    std::string value;  // value text (or, in a decoded request, the received octets)
    uint8_t value_type = 0;
};

struct Request_Record {
    std::string protocol;    // "POLL", "SNMP" or "STMP"
    std::string class_name;  // "Class B" or other
    std::string community;
    int32_t request_id = 0;
    int32_t address = 0;
    int32_t group_address = 0;
    int32_t get = 0;
    int32_t get_next = 0;
    int32_t set = 0;
    int32_t type4 = 0;
    int32_t type5 = 0;
    int32_t dynamic_object = 0;
    int32_t normal_snmp = 0;
    int32_t dyn_obj_number = 0;
    int32_t reserved = 0;
    int32_t edit_byte_stream = 0;
    std::vector<Request_Object> objects;
};
