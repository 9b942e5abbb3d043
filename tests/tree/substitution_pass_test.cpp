#include "tree/substitution_pass.h"

#include <gtest/gtest.h>

#include <random>
#include <sstream>
#include <vector>

#include "tests/support/sample.h"
#include "tests/support/temp_dir.h"

namespace {

// The pass as it reads when done the slow way: a whole rewrite of the text
// for every "+", word by word.
std::optional<std::string> reference_pass(const std::string& input) {
    std::vector<std::pair<std::string, std::string>> steps;
    for (size_t pos = input.find('+'); pos != std::string::npos;) {
        size_t end = input.find('\n', pos + 1);
        end = end == std::string::npos ? input.size() : end + 1;
        end = std::min(end, pos + 1 + substitution::kMaxRestOfLine);
        std::vector<std::string> words;
        std::string word;
        for (char c : input.substr(pos + 1, end - pos - 1) + " ") {
            if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = ' ';
            if (c != ' ') {
                word += c;
            } else if (!word.empty()) {
                words.push_back(word);
                word.clear();
            }
        }
        if (words.size() < 2) return std::nullopt;
        std::string new_text = words[1];
        for (size_t i = 2; i < words.size(); ++i) new_text += " " + words[i];
        if (words[0] != "DisplayString") steps.emplace_back(words[0], new_text);
        pos = input.find('+', end);
    }
    if (steps.empty()) return input;

    std::string text = input;
    for (const auto& step : steps) {
        const std::string& old_text = step.first;
        const std::string& new_text = step.second;
        std::string out;
        size_t pos = 0;
        while (pos < text.size()) {
            size_t end = text.find('\n', pos);
            end = end == std::string::npos ? text.size() : end + 1;
            const std::string line = text.substr(pos, end - pos);
            pos = end;
            if (line.size() <= 1) continue;
            std::string written;
            std::string word;
            auto flush = [&] {
                if (word.empty()) return;
                written += (word == old_text ? new_text : word) + " ";
                word.clear();
            };
            for (char c : line) {
                if (c == ' ')
                    flush();
                else
                    word += c;
            }
            flush();
            if (!written.empty()) written.pop_back();  // the line's last blank
            out += written;
        }
        text = out;
    }
    return text;
}

std::string run(const std::string& input, std::string* messages = nullptr) {
    std::string output;
    const bool ok = substitute_text(input, output, [&](const std::string& text) {
        if (messages != nullptr) *messages += text;
    });
    EXPECT_TRUE(ok);
    return output;
}

TEST(SubstitutionPass, ReplacesWordsAndRewritesEveryLine) {
    // The empty line goes; ")" and its line feed make two characters and stay.
    const std::string input =
        "x  demoLabel  demoScalars  DemoLabel read-write\n"
        ")\n"
        "\n"
        "+DemoLabel           DisplayString (SIZE (0..16))\n"
        "DemoLabels are not DemoLabel\n";
    std::string messages;
    EXPECT_EQ(run(input, &messages),
              "x demoLabel demoScalars DisplayString (SIZE (0..16)) read-write\n"
              ")\n"
              "+DemoLabel DisplayString (SIZE (0..16))\n"
              "DemoLabels are not DemoLabel\n");
    EXPECT_EQ(messages, "\nReplacing DemoLabel with DisplayString (SIZE (0..16))");
}

TEST(SubstitutionPass, AConventionKeepsItsRangeOrSize) {
    const std::string input =
        "1.12 demoPercent demoScalars DemoPercent read-write mandatory\n"
        "1.13 demoLabel demoScalars DemoLabel read-write mandatory\n"
        "+DemoPercent          INTEGER (0..100)\n"
        "+DemoLabel            DemoText (SIZE (0..16))\n"
        "+DemoText             OctetString\n";
    const std::string twice = run(run(input));
    EXPECT_NE(twice.find("1.12 demoPercent demoScalars INTEGER (0..100) read-write mandatory\n"), std::string::npos)
        << twice;
    EXPECT_NE(twice.find("1.13 demoLabel demoScalars OctetString (SIZE (0..16)) read-write mandatory\n"),
              std::string::npos)
        << twice;
}

TEST(SubstitutionPass, DisplayStringKeepsItsName) {
    // The tree takes DisplayString as text; a convention made from it keeps
    // the name too, and the conventions in between are resolved.
    const std::string input =
        "1.1 owner parent OwnerString read-write mandatory\n"
        "1.2 label parent DemoLabel read-write mandatory\n"
        "+DisplayString        OctetString\n"
        "+OwnerString          DisplayString\n"
        "+DemoLabel            DisplayString (SIZE (0..16))\n";
    std::string messages;
    const std::string twice = run(run(input), &messages);
    EXPECT_NE(twice.find("1.1 owner parent DisplayString read-write mandatory\n"), std::string::npos) << twice;
    EXPECT_NE(twice.find("1.2 label parent DisplayString (SIZE (0..16)) read-write mandatory\n"), std::string::npos)
        << twice;
    EXPECT_EQ(messages.find("Replacing DisplayString"), std::string::npos) << messages;
}

TEST(SubstitutionPass, APlusAnywhereStartsASubstitution) {
    const std::string input = "-- a comment with +foo bar in it\nfoo foo x\nfoo\n";
    // The last word of a line carries its line feed and so is never equal.
    EXPECT_EQ(run(input), "-- a comment with +foo bar in it\nbar in it bar in it x\nfoo\n");
}

TEST(SubstitutionPass, AnInputWithoutSubstitutionsIsCopiedUnchanged) {
    const std::string input = "a   b\n)\n\n  c\n";
    EXPECT_EQ(run(input), input);
}

TEST(SubstitutionPass, APlusWithoutTwoWordsIsABadFormat) {
    for (const std::string input : {"+only\nx\n", "+\n", "x +"}) {
        std::string output;
        std::string messages;
        EXPECT_FALSE(substitute_text(input, output, [&](const std::string& text) { messages += text; }));
        EXPECT_EQ(messages, substitution::kBadFormat);
    }
}

TEST(SubstitutionPass, MatchesTheWholeRewriteOnRandomText) {
    std::mt19937 random(12345);
    const char* words[] = {"A", "B", "C", "AB", "x", "+A", "+B", "+C", "(1..2)"};
    const char* gaps[] = {" ", "  ", "\n", " \n", "\t", "", "\n\n", "\x01"};
    for (int round = 0; round < 3000; ++round) {
        std::string input;
        const int pieces = static_cast<int>(random() % 24);
        for (int i = 0; i < pieces; ++i) {
            input += words[random() % std::size(words)];
            input += gaps[random() % std::size(gaps)];
        }
        const auto expected = reference_pass(input);
        std::string output;
        const bool ok = substitute_text(input, output, [](const std::string&) {});
        ASSERT_EQ(ok, expected.has_value()) << input;
        if (ok) {
            ASSERT_EQ(output, *expected) << "input: [" << input << "]";
        }
    }
}

TEST(SubstitutionPass, TheSampleFileMatchesTheWholeRewriteTwice) {
    const std::string sample = read_source_file("mibs/demo.out");
    const std::string once = run(sample);
    EXPECT_EQ(once, reference_pass(sample).value());
    EXPECT_EQ(run(once), reference_pass(once).value());
}

TEST(SubstitutionPass, FromFileToFile) {
    Temp_Dir dir;
    dir.write("in.out", "+T INTEGER (0..9)\nv T x\n");
    std::string messages;
    const auto report = [&](const std::string& text) { messages += text; };
    EXPECT_EQ(substitution_pass(dir.file("in.out"), dir.file("out.out"), report), 0);
    EXPECT_EQ(dir.read("out.out"), "+T INTEGER (0..9)\nv INTEGER (0..9) x\n");
    EXPECT_EQ(messages, "\nReplacing T with INTEGER (0..9)");

    // A later run without substitutions copies its own input, nothing older.
    dir.write("plain.out", "no conventions here\n");
    EXPECT_EQ(substitution_pass(dir.file("plain.out"), dir.file("out.out"), report), 0);
    EXPECT_EQ(dir.read("out.out"), "no conventions here\n");

    EXPECT_EQ(substitution_pass(dir.file("missing.out"), dir.file("out.out"), report), -1);
    dir.write("bad.out", "+alone\n");
    EXPECT_EQ(substitution_pass(dir.file("bad.out"), dir.file("bad-result.out"), report), -1);
    EXPECT_FALSE(dir.exists("bad-result.out"));
}

}  // namespace
