// The substitution pass: replaces every textual-convention name in an
// Extended Mosy file by the syntax it stands for.
//
// Each "+" in the input (anywhere in the text) starts a substitution: the
// first blank-separated word of the rest of that line is the old text, the
// words after it (joined by one blank) the new text, so that a convention
// keeps its range or SIZE clause. DisplayString is never replaced: the tree
// takes it as a syntax of its own (text). The substitutions are applied in order to every line of the
// file; each application rewrites every line: lines of one character or less
// are dropped, the words (runs of characters other than blank) are written
// with one blank between them, a word equal to the old text written as the
// new text. The line feed is part of the last word of its line. Running the
// pass again over its own output resolves a convention defined through
// another one level further.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace substitution {
inline constexpr const char* kBadFormat = "Bad Mibi file format, aborting";
// The convention that keeps its name.
inline constexpr const char* kKeptSyntax = "DisplayString";
// Longest rest of a line read after a "+".
inline constexpr size_t kMaxRestOfLine = 250;
}  // namespace substitution

// Receives the pass's messages for the standard output stream.
using Pass_Reporter = std::function<void(const std::string& text)>;

// Rewrites the text; false (after reporting kBadFormat) when a "+" is not
// followed by two words.
bool substitute_text(std::string_view input, std::string& output, const Pass_Reporter& report);

// The pass from file to file: 0, or -1 when the input cannot be read, the
// format is bad or the output cannot be written. An input without any
// substitution is copied unchanged.
int substitution_pass(const std::string& input_file, const std::string& output_file,
                      const Pass_Reporter& report);
