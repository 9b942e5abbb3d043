// The faults a framer puts into a frame it sends, so that a central station's
// handling of damaged frames can be tested. The data link only knows what
// each fault does to the octets; the field device decides which are wanted.
#pragma once

struct Frame_Faults {
    // A frame under test: even to the bare-frame address it carries its
    // control, IPI and information fields.
    bool armed = false;
    bool extra_byte = false;       // one octet added to the information field
    bool remove_byte = false;      // a random octet taken out (not with extra_byte)
    bool change_byte = false;      // a random octet increased by one
    bool invalid_crc = false;      // the FCS offset by a random amount
    bool invalid_control = false;  // a random control octet other than the one sent normally
    bool invalid_address = false;  // a random station address other than the real one

    bool operator==(const Frame_Faults&) const = default;
};
