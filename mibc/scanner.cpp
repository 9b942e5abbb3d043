#include "mibc/scanner.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "mibc/messages.h"

namespace mibc {

namespace {

constexpr int kEnd = -1;
constexpr int kCtrlZ = 26;
constexpr uint64_t kLargestNumber = 4294967295u;
constexpr size_t kLongestNumber = 10;

bool is_blank(int c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r'; }
bool is_space(int c) { return is_blank(c) || c == '\n'; }
bool is_letter(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool is_digit(int c) { return c >= '0' && c <= '9'; }
bool is_name_char(int c) { return is_letter(c) || is_digit(c) || c == '-' || c == '_'; }
bool is_hex(int c) { return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'); }

// Only regular files: a name such as /dev/zero or a pipe must not keep the
// compiler reading for ever.
bool read_file(const std::string& name, std::string& text) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(name, error)) return false;
    const auto size = std::filesystem::file_size(name, error);
    std::ifstream in(name, std::ios::binary);
    if (error || !in) return false;
    text.assign(static_cast<size_t>(size), '\0');
    in.read(text.data(), static_cast<std::streamsize>(size));
    text.resize(static_cast<size_t>(in.gcount()));
    return true;
}

}  // namespace

Scanner::Scanner(Diagnostics& diagnostics, String_Space& space, std::string main_name, std::string main_text)
    : diagnostics_(diagnostics), space_(space) {
    file_names_.push_back(std::move(main_name));
    texts_.push_back(std::move(main_text));
    sources_.push_back(Source{&file_names_.back(), texts_.back()});
    token_start_ = here();
}

Source_Position Scanner::here() const {
    const Source& source = sources_.back();
    return Source_Position{source.name, source.line, source.column};
}

int Scanner::peek(size_t ahead) const {
    const Source& source = sources_.back();
    if (source.at + ahead >= source.text.size()) return kEnd;
    const int c = static_cast<unsigned char>(source.text[source.at + ahead]);
    return c == kCtrlZ ? kEnd : c;
}

bool Scanner::at_end() const { return peek() == kEnd; }

void Scanner::advance() {
    Source& source = sources_.back();
    if (source.text[source.at] == '\n') {
        ++source.line;
        source.column = 0;
    } else {
        ++source.column;
    }
    ++source.at;
}

bool Scanner::include(std::string_view file_name) {
    if (sources_.size() > kIncludeDepth) {
        diagnostics_.error(token_start_, msg::kIncludeTooDeep);
        return false;
    }
    std::string name(file_name);
    std::string text;
    bool opened = read_file(name, text);
    if (!opened) {
        // A name relative to the including file's folder.
        const auto folder = std::filesystem::path(*sources_.back().name).parent_path();
        if (!folder.empty() && std::filesystem::path(name).is_relative()) {
            const std::string beside = (folder / name).string();
            opened = read_file(beside, text);
        }
    }
    if (!opened) {
        diagnostics_.error(token_start_, format(msg::kIncludeOpen, name.c_str()));
        return false;
    }
    file_names_.push_back(std::move(name));
    texts_.push_back(std::move(text));
    sources_.push_back(Source{&file_names_.back(), texts_.back()});
    return true;
}

bool Scanner::keep(std::string_view text, std::string_view& stored) {
    const auto outcome = space_.hold(text);
    stored = text;
    if (outcome == String_Space::Outcome::stored) return true;
    diagnostics_.error(token_start_,
                       outcome == String_Space::Outcome::token_too_big ? msg::kTokenTooBig : msg::kOutOfStringSpace);
    diagnostics_.plain(msg::kUnrecoverable);
    stopped_ = true;
    return false;
}

Token Scanner::next(Token_Value& value) {
    value = Token_Value{};
    if (stopped_) return Token::end_of_input;
    for (;;) {
        const Token token = scan(value);
        if (stopped_) return Token::end_of_input;
        const bool include_name = after_include_ && token == Token::tokSTRING;
        after_include_ = token == Token::dirINCLUDE;
        if (include_name) include(value.text);
        if (token != Token::end_of_input) return token;
        if (sources_.size() == 1) return token;
        sources_.pop_back();  // back in the including file
    }
}

Token Scanner::scan(Token_Value& value) {
    for (;;) {
        while (is_space(peek())) advance();
        token_start_ = here();
        const int c = peek();
        if (c == kEnd) return Token::end_of_input;
        if (c == '-' && peek(1) == '-') {
            // A comment runs to the end of the line, whatever it holds.
            while (peek() != '\n' && peek() != kEnd) advance();
            if (peek() == kEnd) {
                error(msg::kEofInComment);
                return Token::end_of_input;
            }
            continue;
        }
        if (is_letter(c) || is_digit(c) || c == '_') return scan_word(value);
        advance();
        switch (c) {
            case '{': return Token::chLCB;
            case '}': return Token::chRCB;
            case '(': return Token::chLPR;
            case ')': return Token::chRPR;
            case ';': return Token::chSEMI;
            case ',': return Token::chCOMMA;
            case '-': return Token::chMINUS;
            case '.': {
                size_t dots = 1;
                while (peek() == '.') advance(), ++dots;
                return dots == 1 ? Token::chDOT : dots == 2 ? Token::tokDOTDOT : Token::tokBADDOTDOT;
            }
            case ':': return scan_colon();
            case '=': return Token::tokBADIS;
            case '"': return scan_text(value);
            case '\'': return scan_quoted(value);
            case '#': {
                if (is_name_char(peek())) {
                    const Token directive = scan_directive(value);
                    if (directive == Token::end_of_input) continue;  // unknown, already reported
                    return directive;
                }
                return Token::chOTHER;
            }
            default: return Token::chOTHER;
        }
    }
}

Token Scanner::scan_word(Token_Value& value) {
    const Source& source = sources_.back();
    const size_t begin = source.at;
    bool digits = true;
    while (is_name_char(peek()) && !(peek() == '-' && peek(1) == '-')) {
        digits = digits && is_digit(peek());
        advance();
    }
    const std::string_view word(source.text.data() + begin, source.at - begin);
    if (digits) {
        uint64_t number = 0;
        bool too_big = word.size() > kLongestNumber;
        for (size_t i = 0; !too_big && i < word.size(); ++i) {
            number = number * 10 + static_cast<uint64_t>(word[i] - '0');
            too_big = number > kLargestNumber;
        }
        if (too_big) {
            diagnostics_.error(token_start_, msg::kNumberTooBig);
            number = 1;
        }
        value.number = static_cast<uint32_t>(number);
        return Token::tokNUMBER;
    }
    const auto keyword = std::lower_bound(std::begin(kKeywords), std::end(kKeywords), word,
                                          [](const Keyword& k, std::string_view w) { return k.text < w; });
    if (keyword != std::end(kKeywords) && keyword->text == word) {
        value.text = keyword->text;
        return keyword->token;
    }
    if (!keep(word, value.text)) return Token::end_of_input;
    return Token::tokNAME;
}

Token Scanner::scan_text(Token_Value& value) {
    const Source& source = sources_.back();
    const size_t begin = source.at;
    while (peek() != '"' && peek() != kEnd) advance();
    if (peek() == kEnd) {
        error(msg::kEofInString);
        return Token::end_of_input;
    }
    const std::string_view text(source.text.data() + begin, source.at - begin);
    advance();
    if (!keep(text, value.text)) return Token::end_of_input;
    return Token::tokSTRING;
}

Token Scanner::scan_quoted(Token_Value& value) {
    const Source& source = sources_.back();
    const size_t begin = source.at;
    while (peek() != '\'' && peek() != '\n' && peek() != kEnd) advance();
    if (peek() == kEnd) {
        error(msg::kEofInString);
        return Token::end_of_input;
    }
    if (peek() == '\n') {
        error(msg::kEolInString);
        return Token::tokBADSTR;
    }
    const std::string_view digits(source.text.data() + begin, source.at - begin);
    advance();
    const int kind = peek();
    if (kind == 'B' || kind == 'b') {
        advance();
        if (!std::all_of(digits.begin(), digits.end(), [](char d) { return d == '0' || d == '1'; })) {
            error(msg::kBadBinary);
            return Token::tokBADSTR;
        }
        if (!keep(digits, value.text)) return Token::end_of_input;
        return Token::tokBSTR;
    }
    if (kind == 'H' || kind == 'h') {
        advance();
        if (!std::all_of(digits.begin(), digits.end(), [](char d) { return is_hex(static_cast<unsigned char>(d)); })) {
            error(msg::kBadHex);
            return Token::tokBADSTR;
        }
        if (!keep(digits, value.text)) return Token::end_of_input;
        return Token::tokHSTR;
    }
    error(msg::kNeedsBOrH);
    return Token::tokBADSTR;
}

// "::=" is the assignment; ":: =", ": :=", ": : =", "::" and ":=" are the
// bad assignment that the grammar reports; a lone ":" is a token of its own.
Token Scanner::scan_colon() {
    size_t ahead = 0;
    bool blank = false;
    while (is_blank(peek(ahead))) ++ahead, blank = true;
    if (peek(ahead) == '=') {
        for (size_t i = 0; i <= ahead; ++i) advance();
        return Token::tokBADIS;
    }
    if (peek(ahead) != ':') return Token::chOTHER;
    size_t after = ahead + 1;
    while (is_blank(peek(after))) ++after;
    if (peek(after) == '=') {
        blank = blank || after > ahead + 1;
        for (size_t i = 0; i <= after; ++i) advance();
        return blank ? Token::tokBADIS : Token::tokIS;
    }
    for (size_t i = 0; i <= ahead; ++i) advance();
    return Token::tokBADIS;
}

Token Scanner::scan_directive(Token_Value& value) {
    const Source& source = sources_.back();
    const size_t begin = source.at;
    while (is_name_char(peek())) advance();
    const std::string_view word(source.text.data() + begin, source.at - begin);
    for (const auto& directive : kDirectives) {
        if (directive.text == word) {
            value.text = directive.text;
            return directive.token;
        }
    }
    diagnostics_.error(token_start_, format(msg::kUnknownDirective, std::string(word).c_str()));
    return Token::end_of_input;
}

std::string_view token_name(Token token) {
    static constexpr std::string_view kNames[] = {
        "dirADDOPT",   "dirALIASMODULE", "dirALIASSYMBOL", "dirHELP",          "dirINCLUDE",  "dirPOPOPT",
        "dirPRINTOPT", "dirPUSHOPT",     "dirREMOVEOPT",   "kwACCESS",         "kwBEGIN",     "kwCOUNTER",
        "kwDEFINITIONS", "kwDEFVAL",     "kwDEPRECATED",   "kwDESCRIPTION",    "kwEND",       "kwENTERPRISE",
        "kwFROM",      "kwGAUGE",        "kwIDENTIFIER",   "kwIMPLIED",        "kwIMPORTS",   "kwINDEX",
        "kwINTEGER",   "kwIPADDRESS",    "kwMANDATORY",    "kwNETWORKADDRESS", "kwNOLENGTH",  "kwNOT_ACCESSIBLE",
        "kwNULL",      "kwOBJECT",       "kwOBJECT_TYPE",  "kwOBSOLETE",       "kwOCTET",     "kwOF",
        "kwOPAQUE",    "kwOPTIONAL",     "kwREAD_ONLY",    "kwREAD_WRITE",     "kwREFERENCE", "kwSEQUENCE",
        "kwSIZE",      "kwSMI",          "kwSTATUS",       "kwSTRING",         "kwSYNTAX",    "kwTIMETICKS",
        "kwTRAP_TYPE", "kwVARIABLES",    "kwWRITE_ONLY",   "chLCB",            "chRCB",       "chLPR",
        "chRPR",       "chSEMI",         "chCOMMA",        "chMINUS",          "chDOT",       "chOTHER",
        "tokDOTDOT",   "tokBADDOTDOT",   "tokIS",          "tokBADIS",         "tokBADSTR",   "tokNAME",
        "tokSTRING",   "tokNUMBER",      "tokBSTR",        "tokHSTR",          "tokIP",
    };
    static_assert(std::size(kNames) == static_cast<size_t>(Token::tokIP) - static_cast<size_t>(Token::dirADDOPT) + 1);
    const int number = static_cast<int>(token);
    if (number >= static_cast<int>(Token::dirADDOPT) && number <= static_cast<int>(Token::tokIP))
        return kNames[number - static_cast<int>(Token::dirADDOPT)];
    return "end of input";
}

}  // namespace mibc
