// The table configuration file "TreeCfg.ini": how many rows instance creation
// gives each index variable. Each line is "<index variable> = <count>"; a
// variable without a line gets the default, which is appended to the file.
// The file is read and appended to, never rewritten.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class Table_Config {
public:
    static constexpr uint32_t kDynObjNumberRows = 13;  // the thirteen STMP dynamic objects
    static constexpr uint32_t kDefaultRows = 1;

    explicit Table_Config(std::string file_name) : file_name_(std::move(file_name)) {}

    // The row count of the first line that contains the name anywhere in it
    // (its third field); a missing name gets its default appended. Raises
    // the tree error kTableConfigOpenFailed when the file cannot be opened
    // for reading and updating.
    uint32_t row_count(std::string_view index_variable);

private:
    void load();

    std::string file_name_;
    bool loaded_ = false;
    std::string text_;  // the file's content as read, plus what was appended
};
