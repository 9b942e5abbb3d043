// The text of the failure an operation throws, for comparing with the text
// expected: the message when it throws Kind, a note otherwise.
#pragma once

#include <exception>
#include <string>

template <typename Kind, typename Operation>
std::string thrown_text(Operation&& operation) {
    try {
        operation();
    } catch (const Kind& e) {
        return e.what();
    } catch (const std::exception& e) {
        return std::string("(another kind: ") + e.what() + ")";
    }
    return "(nothing thrown)";
}
