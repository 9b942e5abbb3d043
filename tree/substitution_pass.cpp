#include "tree/substitution_pass.h"

#include <algorithm>
#include <bitset>
#include <unordered_map>
#include <vector>

#include "tree/text_lines.h"

namespace {

struct Substitution {
    std::string old_text;
    std::string new_text;
};

// The words of a text: maximal runs of characters other than blank. The
// result tells whether the text is already written with single blanks: no
// blank at either end and no two together.
template <typename Visit>
bool for_each_word(std::string_view text, Visit visit) {
    const size_t size = text.size();
    bool single_blanked = size > 0 && text.front() != ' ' && text.back() != ' ';
    size_t pos = 0;
    while (pos < size) {
        if (text[pos] == ' ') {
            if (pos + 1 < size && text[pos + 1] == ' ') single_blanked = false;
            ++pos;
            continue;
        }
        const size_t start = pos;
        while (pos < size && text[pos] != ' ') ++pos;
        visit(text.substr(start, pos - start));
    }
    return single_blanked;
}

// Collects the substitutions in the order of their "+"; false on a "+" that
// is not followed by two words.
bool collect(std::string_view input, std::vector<Substitution>& out, const Pass_Reporter& report) {
    size_t pos = 0;
    while ((pos = input.find('+', pos)) != std::string_view::npos) {
        const size_t start = pos + 1;
        size_t end = input.find('\n', start);
        end = end == std::string_view::npos ? input.size() : end + 1;
        end = std::min(end, start + substitution::kMaxRestOfLine);
        const std::string_view rest = input.substr(start, end - start);
        pos = end;

        // Control characters (the line feed among them) separate words too.
        std::string line(rest);
        for (char& c : line) {
            const auto code = static_cast<unsigned char>(c);
            if (code < 0x20 || code == 0x7F) c = ' ';
        }
        // The old text is the first word; the new text is the rest of the
        // line, so that a convention keeps its range or SIZE clause.
        std::vector<std::string_view> words;
        for_each_word(line, [&](std::string_view word) { words.push_back(word); });
        if (words.size() < 2) {
            report(substitution::kBadFormat);
            return false;
        }
        Substitution item{std::string(words[0]), std::string(words[1])};
        for (size_t i = 2; i < words.size(); ++i) {
            item.new_text += ' ';
            item.new_text.append(words[i]);
        }
        // The tree knows DisplayString as a syntax of its own: text, not
        // octets. Objects and conventions defined through it keep its name.
        if (item.old_text == substitution::kKeptSyntax) continue;
        report("\nReplacing " + item.old_text + " with " + item.new_text);
        out.push_back(std::move(item));
    }
    return true;
}

// Applies the substitutions to the lines. Each substitution rewrites every
// line, but a line whose words match no later substitution and that is
// already written with single blanks comes out of the remaining ones
// unchanged; so each line only visits the substitutions that change it.
class Line_Rewriter {
public:
    explicit Line_Rewriter(const std::vector<Substitution>& steps) : steps_(steps) {
        for (size_t i = 0; i < steps_.size(); ++i) {
            const std::string& old_text = steps_[i].old_text;
            steps_of_word_[old_text].push_back(i);
            first_characters_.set(static_cast<unsigned char>(old_text.front()));
            lengths_.set(std::min(old_text.size(), lengths_.size() - 1));
        }
    }

    // Appends the line as every substitution leaves it; nothing when one drops it.
    void rewrite(std::string_view original, std::string& out) {
        if (original.size() <= 1) return;
        size_t next = next_change(original, 0);
        if (next == steps_.size()) {
            out += original;
            return;
        }
        // Each change is written straight to the end of the output and taken
        // back into the line buffer only when a later one follows.
        const size_t mark = out.size();
        apply(original, steps_[next], out);
        for (size_t step = next + 1; step < steps_.size();) {
            const std::string_view line = std::string_view(out).substr(mark);
            if (line.size() <= 1) {
                out.resize(mark);
                return;
            }
            next = next_change(line, step);
            if (next == steps_.size()) return;
            line_.assign(line);
            out.resize(mark);
            apply(line_, steps_[next], out);
            step = next + 1;
        }
    }

private:

    bool may_match(std::string_view word) const {
        return first_characters_.test(static_cast<unsigned char>(word.front())) &&
               lengths_.test(std::min(word.size(), lengths_.size() - 1));
    }

    // The first substitution from `from` on that changes the line: the very
    // next one when the line has blanks to even out, else the first whose
    // old text is one of its words.
    size_t next_change(std::string_view line, size_t from) const {
        size_t best = steps_.size();
        const bool single_blanked = for_each_word(line, [&](std::string_view word) {
            if (!may_match(word)) return;
            const auto found = steps_of_word_.find(word);
            if (found == steps_of_word_.end()) return;
            const auto& indexes = found->second;
            const auto it = std::lower_bound(indexes.begin(), indexes.end(), from);
            if (it != indexes.end()) best = std::min(best, *it);
        });
        return single_blanked ? best : from;
    }

    // Appends the line as one substitution writes it.
    static void apply(std::string_view line, const Substitution& step, std::string& out) {
        bool first = true;
        for_each_word(line, [&](std::string_view word) {
            if (!first) out += ' ';
            first = false;
            out += word == step.old_text ? std::string_view(step.new_text) : word;
        });
    }

    const std::vector<Substitution>& steps_;
    std::unordered_map<std::string_view, std::vector<size_t>> steps_of_word_;
    std::bitset<256> first_characters_;  // quick refusals before the map is asked
    std::bitset<256> lengths_;
    std::string line_;
};

}  // namespace

bool substitute_text(std::string_view input, std::string& output, const Pass_Reporter& report) {
    std::vector<Substitution> steps;
    if (!collect(input, steps, report)) return false;
    if (steps.empty()) {
        output.assign(input);
        return true;
    }
    Line_Rewriter rewriter(steps);
    output.clear();
    output.reserve(input.size());
    size_t pos = 0;
    while (pos < input.size()) {
        size_t end = input.find('\n', pos);
        end = end == std::string_view::npos ? input.size() : end + 1;
        rewriter.rewrite(input.substr(pos, end - pos), output);
        pos = end;
    }
    return true;
}

int substitution_pass(const std::string& input_file, const std::string& output_file,
                      const Pass_Reporter& report) {
    const auto input = read_whole_file(input_file);
    if (!input) return -1;
    std::string output;
    if (!substitute_text(*input, output, report)) return -1;
    return write_whole_file(output_file, output) ? 0 : -1;
}
