// Comparing a whole text with a fixture file in tests/fixtures. With
// QUORVAN_UPDATE_FIXTURES=1 in the environment the file is written instead,
// for a developer to read over before it is committed.
#pragma once

#include <string>

// Empty when the text matches, else what differs.
std::string compare_with_fixture(const std::string& text, const std::string& fixture);
