// Writes a compiled MIB as Extended Mosy text: the OID tree, the traps, the
// header with the compiler's identification, the enumerations, textual
// conventions and sequences, and the extended OID tree that the tree loader
// reads.
#pragma once

#include <ostream>
#include <string_view>

#include "mibc/model.h"

namespace mibc {

// Chains of parents this deep stop the listings.
inline constexpr size_t kMaxOidDepth = 64;

// Writes as it goes, so that a large MIB's output is never held whole.
void write_mosy(const Mib_Model& model, std::string_view identification, std::ostream& out);

}  // namespace mibc
