// The bison parser over one compile's scanner and builder.
#pragma once

namespace mibc {

class Compile_Context;

// False when the parser gave up (its stack overflowed or ran out of memory).
bool run_parser(Compile_Context& ctx);

}  // namespace mibc
