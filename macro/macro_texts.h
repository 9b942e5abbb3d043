// Every text the macro parser and interpreter write, once.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace macro_text {

// Lexical
inline constexpr const char* kBadRelationalOperator = "Error in input file bad relational operator\n";
inline constexpr const char* kCharacter = "Character ";
inline constexpr const char* kConsumed = " consumed\n";

// Parsing a script
inline constexpr const char* kParsed = "File parsed successfully\n";
inline constexpr const char* kTerminatedEarly = "Parsing terminated before end of file.\n";
inline constexpr const char* kInvalidFile = "Invalid input file\n";
inline constexpr const char* kCannotOpen = "Cannot open the macro file ";  // + name + "\n"

// Parse errors
inline constexpr const char* kCallNoOpen = "Missing open parenthesis in function call\n";
inline constexpr const char* kCallBadArguments = "Bad argument list\n";
inline constexpr const char* kCallNoClose = "Missing close parenthesis in function call\n";
inline constexpr const char* kIfNoOpen = "Missing open parenthesis in if statement\n";
inline constexpr const char* kIfBadCondition = "Bad logic expression in if statement.\n";
inline constexpr const char* kIfNoClose = "Missing close parenthesis in if statement.\n";
inline constexpr const char* kIfBadBlock = "Bad statement block in if statement\n";
inline constexpr const char* kWhileNoOpen = "Missing open parenthesis in while statement\n";
inline constexpr const char* kWhileBadCondition = "Bad logic expression in while statement.\n";
inline constexpr const char* kWhileNoClose = "Missing close parenthesis in while statement.\n";
inline constexpr const char* kWhileBadBlock = "Bad statement block in while statement\n";
inline constexpr const char* kBadGoto = "Badly formed goto statement\n";
inline constexpr const char* kBadLabel = "Badly formed label statement\n";
inline constexpr const char* kAssignNoOperator = "Missing operator in assignment.\n";
inline constexpr const char* kAssignBadExpression = "Bad expr in assignment.\n";
inline constexpr const char* kIntNoIdentifier = "Missing identifier for int declaration\n";
inline constexpr const char* kFloatNoIdentifier = "Missing identifier for float declaration\n";
inline constexpr const char* kStringNoIdentifier = "Missing identifier for string declaration\n";
inline constexpr const char* kStringNoOpen = "Missing open bracket for string declaration\n";
inline constexpr const char* kStringNoSize = "Missing size for string declaration\n";
inline constexpr const char* kStringNoClose = "Missing close bracket for string declaration\n";
inline constexpr const char* kBeginNoEnd = "Missing end for begin.\n";
inline constexpr const char* kCommaNoArguments = "Missing arglist following comma.\n";
inline constexpr const char* kFactorCallNoOpen = "Missing open parenthesis after function name.\n";
inline constexpr const char* kFactorCallBadArguments = "Bad argument list in function call.\n";
inline constexpr const char* kFactorCallNoClose = "Missing close parenthesis in function call.\n";
inline constexpr const char* kFactorNoExpression = "Missing expression after open parenthesis in factor.\n";
inline constexpr const char* kFactorNoClose = "Missing close parenthesis in factor.\n";
inline constexpr const char* kTooDeep = "Statements or expressions nested too deeply.\n";

// Running a script
inline constexpr const char* kRunning = "\nRunning macro";
inline constexpr const char* kAfterExecution = "\nAfter execution\n";
inline constexpr const char* kAlreadyRunning =
    "\nA macro is already running; this one is not started: ";  // + name + "\n"
inline constexpr const char* kHeapNotCreated = "Could Not Create Heap for Macro\n";
inline constexpr const char* kHeapExhausted = "The macro heap is used up; the macro stops.\n";
inline constexpr const char* kStopped = "The macro stops here.\n";  // after the reason
inline constexpr const char* kStationStopping = "The station is shutting down.\n";

// Assignment, arithmetic and comparison
inline constexpr const char* kNumericToString = "Cannot assign numeric to string.\n";
inline constexpr const char* kStringToNumeric = "Cannot assign string to numeric.\n";
inline constexpr const char* kNegateString = "Cannot negate a string value.\n";
inline constexpr const char* kDivisionByZero = "Division by zero - Results will be invalid.\n";
inline constexpr const char* kStringInTerm = "Strings not allowed in mathematical term.\n";
inline constexpr const char* kStringInExpression = "Strings not allowed in mathematical expression.\n";
inline constexpr const char* kCompareStringNumeric = "Cannot compare string and numeric.\n";
inline constexpr const char* kLookupMissing = "lookup:symbol table value does not exist\n";

// Built-ins
inline constexpr const char* kCannotOpenOutfile = "cannot open outfile\n";
inline constexpr const char* kCannotWriteOutfile = "Error writing to output file.\n";
inline constexpr const char* kCannotOpenInfile = "cannot open infile\n";

// Internal consistency (with the index)
inline constexpr const char* kNoStatementNext = "2Could not find statement index %d.\n";
inline constexpr const char* kNoStatementEnd = "3Could not find statement index %d.\n";
inline constexpr const char* kNoStatementJump = "4Could not find statement index %d.\n";
inline constexpr const char* kNoStatementType = "5Could not find statement index %d.\n";
inline constexpr const char* kNoStatementStart = "6Could not find statement index %d.\n";
inline constexpr const char* kNoSymbolSet = "set:symbol table value does not exist\n";
inline constexpr const char* kNoSymbolType = "get type:symbol table value does not exist\n";
inline constexpr const char* kNoSymbolInt = "get int:symbol table value does not exist\n";
inline constexpr const char* kNoSymbolFloat = "get float:symbol table value does not exist\n";
inline constexpr const char* kNoSymbolString = "get string:symbol table value does not exist\n";
inline constexpr const char* kNoSymbolOff = "get off:symbol table value does not exist\n";
inline constexpr const char* kNoSymbolId = "get id:symbol table value does not exist\n";

// The reasons a run stops, and the texts that name a value.
inline std::string never_declared(std::string_view name) {
    return "The variable " + std::string(name) + " was never declared.\n";
}
inline std::string no_such_label(std::string_view name) {
    return "goto " + std::string(name) + ": no label " + std::string(name) + " is defined.\n";
}
inline std::string not_a_label(std::string_view name) {
    return "goto " + std::string(name) + ": " + std::string(name) + " is a variable, not a label.\n";
}
inline std::string not_a_variable(std::string_view name) {
    return std::string(name) + " is a label, not a variable.\n";
}
inline std::string statement_changed(int32_t index) {
    return "Statement " + std::to_string(index) +
           " no longer reads as it did: the script file was changed while it ran.\n";
}
inline std::string step_budget_used(uint64_t budget) {
    return "The macro has run " + std::to_string(budget) + " statements, as many as it may.\n";
}
inline std::string argument_count(std::string_view function, size_t count, size_t given) {
    return std::string(function) + " takes " + std::to_string(count) + " argument" + (count == 1 ? "" : "s") +
           ", not " + std::to_string(given) + ".\n";
}
inline constexpr const char* kMustBeNumber = "must be a number";
inline constexpr const char* kMustBeText = "must be a text";
inline constexpr const char* kMustBeVariable = "must be the name of a variable";
// what: one of the three above
inline std::string argument_kind(size_t position, std::string_view function, std::string_view what) {
    return "Argument " + std::to_string(position) + " of " + std::string(function) + " " + std::string(what) + ".\n";
}
inline std::string index_outside(std::string_view function, int32_t index) {
    return std::string(function) + ": the index " + std::to_string(index) + " is outside 1 to 26.\n";
}
inline std::string random_below_one(int32_t n) {
    return "randomInt(" + std::to_string(n) + "): there is no number from 1 to " + std::to_string(n) +
           "; the result is 0.\n";
}
inline std::string verdict_line(std::string_view name, bool passed) {
    return "Verdict " + std::string(name) + (passed ? ": passed\n" : ": failed\n");
}

}  // namespace macro_text
