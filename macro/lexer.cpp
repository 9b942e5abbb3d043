#include "macro/lexer.h"

#include <array>
#include <string>

#include "macro/builtin_names.h"
#include "macro/macro_texts.h"

namespace {

bool is_space(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }

Tok single_token(char c) {
    switch (c) {
        case ';': return Tok::semicolon;
        case '[': return Tok::open_bracket;
        case ']': return Tok::close_bracket;
        case '(': return Tok::open_paren;
        case ')': return Tok::close_paren;
        case ',': return Tok::comma;
        case '+': return Tok::plus;
        case '-': return Tok::minus;
        case '*': return Tok::star;
        case '/': return Tok::slash;
        case '.': return Tok::dot;
        case '"': return Tok::quote;
        default: return Tok::end;
    }
}

bool is_operator_start(char c) { return c == '=' || c == '>' || c == '<' || c == '!' || c == '&' || c == '|'; }

constexpr std::array<std::string_view, 9> kReserved = {"begin", "end", "if", "while", "goto",
                                                        "label", "int", "float", "string"};

}  // namespace

bool is_separator(char c) { return is_space(c) || single_token(c) != Tok::end || is_operator_start(c); }

Token Lexer::next() {
    while (pos_ < text_.size() && is_space(text_[pos_])) ++pos_;
    Token token;
    token.start = pos_;
    if (pos_ >= text_.size()) return token;
    const char c = text_[pos_];
    if (const Tok single = single_token(c); single != Tok::end) {
        token.kind = single;
        token.text = text_.substr(pos_++, 1);
        return token;
    }
    if (is_operator_start(c)) {
        const bool doubled = pos_ + 1 < text_.size() && text_[pos_ + 1] == (c == '&' || c == '|' ? c : '=');
        if ((c == '&' || c == '|') && !doubled) {
            // A lone & or | is no operator: reported, consumed, and read as nothing.
            ++pos_;
            if (sink_ != nullptr && *sink_) {
                (*sink_)(macro_text::kBadRelationalOperator);
                (*sink_)(std::string(macro_text::kCharacter) + c + macro_text::kConsumed);
            }
            token.kind = Tok::end;
            return token;
        }
        const size_t length = doubled ? 2 : 1;
        token.text = text_.substr(pos_, length);
        pos_ += length;
        switch (c) {
            case '=': token.kind = doubled ? Tok::equal : Tok::assign; break;
            case '>': token.kind = doubled ? Tok::greater_equal : Tok::greater; break;
            case '<': token.kind = doubled ? Tok::less_equal : Tok::less; break;
            case '!': token.kind = doubled ? Tok::not_equal : Tok::bang; break;
            case '&': token.kind = Tok::and_and; break;
            default: token.kind = Tok::or_or; break;
        }
        return token;
    }
    size_t end = pos_;
    while (end < text_.size() && end - pos_ < kLongestToken && !is_separator(text_[end])) ++end;
    token.kind = Tok::word;
    token.text = text_.substr(pos_, end - pos_);
    pos_ = end;
    return token;
}

bool Lexer::read_string_body(std::string_view& raw) {
    for (size_t i = pos_; i < text_.size(); ++i) {
        if (text_[i] == '"' && (i == pos_ || text_[i - 1] != '\\')) {
            raw = text_.substr(pos_, i - pos_);
            pos_ = i + 1;
            return true;
        }
    }
    return false;
}

bool is_integer_literal(std::string_view word) {
    if (word.empty()) return false;
    for (char c : word)
        if (c < '0' || c > '9') return false;
    return true;
}

bool is_reserved(std::string_view word) {
    for (std::string_view reserved : kReserved)
        if (word == reserved) return true;
    return false;
}

bool is_identifier(std::string_view word) {
    if (word.empty()) return false;
    const char first = word.front();
    if (!((first >= 'A' && first <= 'Z') || (first >= 'a' && first <= 'z'))) return false;
    return !is_reserved(word) && !builtin_named(word);
}
