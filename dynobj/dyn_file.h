// The dynamic object file (".dyn"): the saved definitions of dynamic objects
// 1 to 13, plain text, one field per line, every line ended by CR LF. Each
// record, in ascending order of number and at most 13, is
//   number (1..13)
//   owner text, or "!Owner" when it was left empty      (at most 49 characters)
//   community name, or "!CommName" when left empty      (at most 49 characters)
//   address (drop number); 0 with group addressing
//   "1" for group addressing, else "0"
//   "1" when the byte stream is edited before it is sent, else "0"
//   number N of variables (at most 26)
//   N lines: the tree names of the variables            (at most 31 characters)
// followed by one empty line. Reading stops at a record whose first line is
// empty or missing.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "base/throwable.h"

struct Dyn_Obj_Record {
    int number = 0;
    std::string owner;      // as written: "!Owner" stands for an empty owner
    std::string community;  // as written: "!CommName" is sent as it stands
    int32_t address = 0;
    bool group = false;
    bool edit = false;
    std::vector<std::string> names;

    bool operator==(const Dyn_Obj_Record&) const = default;
};

// The saved definitions, by number.
using Dyn_Obj_Records = std::map<int, Dyn_Obj_Record>;

// A file or record the format refuses; the message says where and why.
class Dyn_File_Exception : public RecoverException {
public:
    using RecoverException::RecoverException;
};

namespace dyn_file {
inline constexpr const char* kNoOwner = "!Owner";
inline constexpr const char* kNoCommunity = "!CommName";
inline constexpr size_t kMostText = 49;
inline constexpr size_t kMostName = 31;
inline constexpr size_t kMostNames = 26;
inline constexpr int kMostRecords = 13;
inline constexpr const char* kLineEnd = "\r\n";
}  // namespace dyn_file

// The file's text; Dyn_File_Exception for a record past the limits.
std::string write_dyn_file(const Dyn_Obj_Records& records);
// The records of a file's text, in file order; Dyn_File_Exception for one
// the format refuses (nothing of the file is taken then).
std::vector<Dyn_Obj_Record> read_dyn_file(const std::string& text);

// Whole files; Dyn_File_Exception when the file cannot be read or written.
std::vector<Dyn_Obj_Record> load_dyn_file(const std::string& path);
void save_dyn_file(const std::string& path, const Dyn_Obj_Records& records);
