// Compiles MIB texts in a fresh working directory and hands back what the
// compiler wrote: its result, the error file and the output file.
#pragma once

#include <string>
#include <vector>

#include "mibc/mib_compiler.h"
#include "tests/support/temp_dir.h"

struct Compiled {
    mibc::Compile_Result result;
    std::string errors;  // the error file, CR LF as written
    std::string output;  // the Extended Mosy file
};

class Compile_Fixture {
public:
    // Writes the files (name, text) and compiles the first one.
    Compiled compile(const std::vector<std::pair<std::string, std::string>>& files);
    Compiled compile(const std::string& main_text) { return compile({{"main.mib", main_text}}); }

    Temp_Dir dir;
    mibc::Mib_Compiler compiler;
};

// The error file's lines without the CR LF that ends each finding; plain
// texts stay as written (they may span several lines or none).
std::vector<std::string> finding_lines(const std::string& errors);

// A small module set: the SMI module "P" with the top of a tree, and module
// "M" that imports from it, holds an OID item "d" and the given definitions.
std::string module_text(const std::string& definitions,
                        const std::string& imports = "IMPORTS enterprises, OBJECT-TYPE FROM P;\n");
