// Where the station's MIB comes from: the sources ("Mibi", which includes
// the modules) when the working directory has them, else an Extended Mosy
// file compiled earlier ("Mibi.out").
#pragma once

#include <cstdint>
#include <string>

inline constexpr const char* kMibSource = "Mibi";
inline constexpr const char* kMibOutput = "Mibi.out";
inline constexpr const char* kMibErrors = "Errors.out";

// CompileMIB's compile flag for the working directory: 1 when "Mibi" is there.
int32_t mib_compile_flag();

// The text of a file, or nothing when it cannot be read.
std::string file_text(const std::string& name);
