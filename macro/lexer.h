// The tokens of a macro script, read from its text at a position.
//
// Whitespace (space, tab, LF, CR) separates tokens; there are no comments.
// The single-character tokens are ; [ ] ( ) , + - * / . and the double
// quote; the operators are = == > >= < <= ! != && ||. Any other run of
// characters up to whitespace or one of those is a word, at most 255
// characters. A lone & or | is reported and read as an empty token, the same
// as the end of the text.
#pragma once

#include <cstddef>
#include <functional>
#include <string_view>

enum class Tok : unsigned char {
    end, word, semicolon, open_bracket, close_bracket, open_paren, close_paren, comma, plus, minus, star,
    slash, dot, quote, assign, equal, greater, greater_equal, less, less_equal, bang, not_equal, and_and, or_or,
};

struct Token {
    Tok kind = Tok::end;
    size_t start = 0;  // where the token's first character is
    std::string_view text;
};

using Message_Sink = std::function<void(std::string_view)>;

class Lexer {
public:
    static constexpr size_t kLongestToken = 255;

    // sink may be empty: then nothing is reported.
    Lexer(std::string_view text, const Message_Sink* sink) : text_(text), sink_(sink) {}

    Token next();
    size_t position() const { return pos_; }
    void seek(size_t pos) { pos_ = pos; }
    std::string_view text() const { return text_; }

    // Reads a string literal's characters after its opening quote, up to
    // the closing quote that no backslash precedes; false (position
    // unchanged) when the text ends first. raw receives the characters
    // between the quotes, escapes unresolved.
    bool read_string_body(std::string_view& raw);

private:
    std::string_view text_;
    const Message_Sink* sink_;
    size_t pos_ = 0;
};

bool is_separator(char c);
bool is_integer_literal(std::string_view word);
// A word that begins with a letter and is neither reserved nor a function name.
bool is_identifier(std::string_view word);
bool is_reserved(std::string_view word);
