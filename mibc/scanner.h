// The MIB scanner: turns the bytes of the main file and its include files
// into the grammar's tokens, and reports what it cannot read.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "mibc/diagnostics.h"
#include "mibc/string_space.h"
#include "mibc/tokens.h"

namespace mibc {

// Saved files of the include stack, besides the one being read.
inline constexpr size_t kIncludeDepth = 3;

// What a token carries.
struct Token_Value {
    std::string_view text;  // names, keywords, strings (without quotes), binary and hex digits
    uint32_t number = 0;    // numbers
};

class Scanner {
public:
    Scanner(Diagnostics& diagnostics, String_Space& space, std::string main_name, std::string main_text);

    Token next(Token_Value& value);

    // Where the last token began.
    Source_Position position() const { return token_start_; }

    // Pushes the named file; reports and returns false when it cannot. The
    // scanner does this itself for the quoted name after #include, so that
    // the next token comes from the included file.
    bool include(std::string_view file_name);

    // A token the scanner cannot hold ended the input: the compile cannot go on.
    bool stopped() const { return stopped_; }

private:
    struct Source {
        const std::string* name;  // kept in file_names_
        std::string_view text;  // kept in texts_
        size_t at = 0;
        uint32_t line = 1;
        uint32_t column = 0;
    };

    int peek(size_t ahead = 0) const;
    void advance();
    bool at_end() const;
    Token scan(Token_Value& value);
    Token scan_word(Token_Value& value);
    Token scan_text(Token_Value& value);
    Token scan_quoted(Token_Value& value);
    Token scan_colon();
    Token scan_directive(Token_Value& value);
    bool keep(std::string_view text, std::string_view& stored);
    void error(std::string_view text) { diagnostics_.error(token_start_, text); }
    Source_Position here() const;

    Diagnostics& diagnostics_;
    String_Space& space_;
    std::deque<std::string> file_names_;  // every file read, for positions that outlive it
    std::deque<std::string> texts_;       // their contents, which token texts point into
    std::vector<Source> sources_;  // the last one is being read
    Source_Position token_start_;
    bool stopped_ = false;
    bool after_include_ = false;  // the last token was #include
};

}  // namespace mibc
