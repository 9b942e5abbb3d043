#include "tests/mibc/compile_fixture.h"

Compiled Compile_Fixture::compile(const std::vector<std::pair<std::string, std::string>>& files) {
    for (const auto& [name, text] : files) dir.write(name, text);
    Working_Directory here(dir.path());
    const auto result = compiler.compile(files.front().first, "out", "err");
    return Compiled{result, dir.exists("err") ? dir.read("err") : "", dir.exists("out") ? dir.read("out") : ""};
}

std::vector<std::string> finding_lines(const std::string& errors) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = errors.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(errors.substr(start, end - start));
    if (start < errors.size()) lines.push_back(errors.substr(start));
    return lines;
}

std::string module_text(const std::string& definitions, const std::string& imports) {
    return "P DEFINITIONS ::= BEGIN\n"
           "SMI OBJECT-TYPE\n"
           "SMI Counter\n"
           "SMI TRAP-TYPE\n"
           "SMI IpAddress\n"
           "iso OBJECT IDENTIFIER ::= { 1 }\n"
           "enterprises OBJECT IDENTIFIER ::= { iso 4 }\n"
           "END\n"
           "M DEFINITIONS ::= BEGIN\n" +
           imports + "d OBJECT IDENTIFIER ::= { enterprises 1 }\n" + definitions + "END\n";
}
