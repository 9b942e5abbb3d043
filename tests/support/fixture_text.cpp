#include "tests/support/fixture_text.h"

#include <cstdlib>
#include <fstream>

#include "tests/support/sample.h"

std::string compare_with_fixture(const std::string& text, const std::string& fixture) {
    const std::string path = "tests/fixtures/" + fixture;
    if (const char* update = std::getenv("QUORVAN_UPDATE_FIXTURES"); update != nullptr && update[0] == '1') {
        std::ofstream(source_file(path), std::ios::binary | std::ios::trunc) << text;
        return "";
    }
    std::string expected;
    try {
        expected = read_source_file(path);
    } catch (const std::exception&) {
        return "no fixture " + path;
    }
    if (expected == text) return "";
    size_t at = 0;
    while (at < expected.size() && at < text.size() && expected[at] == text[at]) ++at;
    const size_t line_start = text.rfind('\n', at == 0 ? 0 : at - 1);
    const size_t from = line_start == std::string::npos ? 0 : line_start + 1;
    return "differs from " + path + " at character " + std::to_string(at) + ":\n  got:      [" +
           text.substr(from, 120) + "]\n  expected: [" + expected.substr(std::min(from, expected.size()), 120) + "]";
}
