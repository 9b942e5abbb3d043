// The faults that act on the octets of a message itself (one added, one
// taken out, one changed), whatever carries it: a PMPP frame's information
// field, or a UDP datagram.
#pragma once

#include "base/bytes.h"
#include "datalink/frame_faults.h"

class Random_Source;

// Puts the armed octet faults into the message, drawing the random choices
// in the order extra or remove, then change.
void inject_information_errors(const Frame_Faults& faults, Bytes& information, Random_Source& random);
