#include "cli/macro_command.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <mutex>
#include <optional>
#include <sstream>

#include "cli/display_sink.h"
#include "cli/line_commands.h"
#include "quorvan.h"

namespace {

constexpr int kExitSuccess = 0;
constexpr int kExitFailure = 1;
constexpr const char* kRanToEnd = "the script ran to its end";

// Answers to the script's prompts: the lines of --input in turn, or the terminal.
std::ifstream answers_file;
bool answers_from_file = false;

int32_t answer_prompt(char** answer, const char* prompt) {
    if (answer == nullptr) return 0;
    *answer = nullptr;
    std::string line;
    show_macro_output(prompt != nullptr ? prompt : "");
    show_macro_output(" ");
    const bool got = answers_from_file ? static_cast<bool>(std::getline(answers_file, line))
                                       : static_cast<bool>(std::getline(std::cin, line));
    if (answers_from_file) show_macro_output((got ? line + "\n" : std::string("\n")).c_str());
    if (!got) return 0;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    *answer = strdup(line.c_str());
    return 0;
}

std::string xml_escaped(const std::string& text) {
    std::string escaped;
    for (char c : text) {
        switch (c) {
            case '&': escaped += "&amp;"; break;
            case '<': escaped += "&lt;"; break;
            case '>': escaped += "&gt;"; break;
            case '"': escaped += "&quot;"; break;
            case '\'': escaped += "&apos;"; break;
            default:
                // XML 1.0 has no place for the other control characters.
                if (static_cast<unsigned char>(c) < 0x20 && c != '\t') escaped += ' ';
                else escaped += c;
        }
    }
    return escaped;
}

std::vector<Script_Verdict> verdicts_of(const char* lines) {
    std::vector<Script_Verdict> verdicts;
    std::istringstream in(lines != nullptr ? lines : "");
    std::string line;
    while (std::getline(in, line))
        if (line.size() >= 2) verdicts.push_back({line.substr(2), line[0] == '1'});
    return verdicts;
}

}  // namespace

std::string junit_report(const std::string& script, bool ran_to_end, const std::vector<Script_Verdict>& verdicts) {
    size_t failures = 0;
    for (const Script_Verdict& v : verdicts)
        if (!v.passed) ++failures;
    const size_t tests = verdicts.size() + 1;
    const std::string suite = xml_escaped(script);
    std::ostringstream xml;
    xml << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    xml << "<testsuites name=\"quorvan-macro\" tests=\"" << tests << "\" failures=\"" << failures << "\" errors=\""
        << (ran_to_end ? 0 : 1) << "\">\n";
    xml << "  <testsuite name=\"" << suite << "\" tests=\"" << tests << "\" failures=\"" << failures
        << "\" errors=\"" << (ran_to_end ? 0 : 1) << "\">\n";
    for (const Script_Verdict& v : verdicts) {
        xml << "    <testcase classname=\"" << suite << "\" name=\"" << xml_escaped(v.name) << "\"";
        if (v.passed)
            xml << "/>\n";
        else
            xml << ">\n      <failure message=\"verdict failed\"/>\n    </testcase>\n";
    }
    xml << "    <testcase classname=\"" << suite << "\" name=\"" << kRanToEnd << "\"";
    if (ran_to_end)
        xml << "/>\n";
    else
        xml << ">\n      <error message=\"the script did not parse or stopped on an error\"/>\n    </testcase>\n";
    xml << "  </testsuite>\n</testsuites>\n";
    return xml.str();
}

int run_macro(const Cli_Options& options) {
    if (!options.input.empty()) {
        answers_file.open(options.input);
        if (!answers_file) {
            std::fprintf(stderr, "quorvan-cli: cannot read the answers in %s\n", options.input.c_str());
            return kExitFailure;
        }
        answers_from_file = true;
    }
    const auto finish = [](int status) {
        Shutdown();
        return status;
    };
    if (!start_station(options, QV_ROLE_CENTRAL)) return finish(kExitFailure);
    StartReceiverThread(show_line_activity, nullptr);

    const std::string& script = options.arguments.front();
    // The run's texts go where the line activity goes, each on lines of its own.
    if (Macro(script.c_str(), show_line_activity, answer_prompt, nullptr) != 0) return finish(kExitFailure);
    char* verdict_lines = nullptr;
    const int32_t outcome = WaitForMacro(GetMacroHandle(), &verdict_lines);
    const std::vector<Script_Verdict> verdicts = verdicts_of(verdict_lines);
    std::free(verdict_lines);

    int status = outcome == 0 ? kExitSuccess : kExitFailure;
    size_t failed = 0;
    for (const Script_Verdict& v : verdicts)
        if (!v.passed) ++failed;
    if (failed > 0) status = kExitFailure;
    std::printf("\nverdicts: %zu passed, %zu failed; the script %s\n", verdicts.size() - failed, failed,
                outcome == 0 ? "ran to its end" : "did not run to its end");
    std::fflush(stdout);
    if (!options.report.empty()) {
        std::ofstream report(options.report, std::ios::trunc);
        report << junit_report(std::filesystem::path(script).stem().string(), outcome == 0, verdicts);
        if (!report) {
            std::fprintf(stderr, "quorvan-cli: cannot write the report %s\n", options.report.c_str());
            status = kExitFailure;
        }
    }
    return finish(status);
}
