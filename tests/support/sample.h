// The bundled sample MIB output and table configuration, as a working
// directory starts from them.
#pragma once

#include <string>

class Temp_Dir;

std::string source_file(const std::string& relative_path);
std::string read_source_file(const std::string& relative_path);

// Copies mibs/demo.out in as "Mibi.out" and mibs/TreeCfg.ini beside it.
void copy_sample_into(const Temp_Dir& dir);
