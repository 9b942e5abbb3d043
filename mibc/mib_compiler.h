// The MIB compiler: reads SNMPv1 MIB modules (with "#" directives), checks
// them, reports every finding in the error file and, when there is no error,
// writes the Extended Mosy file that the tree loader reads.
//
// One compiler lives as long as its owner: the options set by directives in
// one compile stay set for the next (option 5 is set again at every start);
// the error and warning counts start at 0 for each compile. Compiles on one
// compiler are serialised.
#pragma once

#include <cstdint>
#include <mutex>
#include <string>

#include "mibc/options.h"

namespace mibc {

enum class Compile_Result : int32_t {
    success = 0,             // the output file was written
    input_not_opened = 10,
    output_not_created = 2,
    errors_not_created = 3,
    scanner_failed = 4,
    parser_gave_up = 5,      // also: a token or the compiler's memory could not be held
    errors_found = 6,
};

// The compiler's identification in the output header.
inline constexpr const char* kIdentification = "Quorvan MIB compiler 1.0";

class Mib_Compiler {
public:
    Compile_Result compile(const std::string& input_file, const std::string& output_file,
                           const std::string& error_file);

    // The options as directives left them.
    uint16_t option_mask() const;

private:
    mutable std::mutex mutex_;
    Option_Set options_;
};

}  // namespace mibc
