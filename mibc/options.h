// The compiler's thirteen on/off checks, each a letter and a bit, and the
// stack that #pushOpt and #popOpt keep.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace mibc {

enum Option : uint16_t {
    kTraceParser = 0x0001,          // X
    kIndexReadOnly = 0x0002,        // R
    kGratuitousSizes = 0x0004,      // W
    kMissingSizes = 0x0008,         // C
    kIndexBounds = 0x0010,          // B
    kIndexInSequence = 0x0020,      // 7
    kNoNamingWarnings = 0x0040,     // 6
    kSameSizeMatches = 0x0080,      // E
    kIndexOnLeaves = 0x0100,        // 3
    kNoUnusedWarnings = 0x0200,     // G
    kNoAccessChecks = 0x0400,       // 4
    kOptionalStatus = 0x0800,       // 5
    kCounterDefaults = 0x1000,      // J
};

struct Option_Letter {
    char letter;
    Option bit;
};

// In the order #printOpt lists them.
inline constexpr Option_Letter kOptionLetters[] = {
    {'X', kTraceParser},     {'R', kIndexReadOnly},     {'W', kGratuitousSizes}, {'C', kMissingSizes},
    {'B', kIndexBounds},     {'7', kIndexInSequence},   {'6', kNoNamingWarnings}, {'E', kSameSizeMatches},
    {'3', kIndexOnLeaves},   {'G', kNoUnusedWarnings},  {'4', kNoAccessChecks},  {'5', kOptionalStatus},
    {'J', kCounterDefaults},
};

inline constexpr size_t kOptionStackDepth = 4;

class Option_Set {
public:
    bool has(Option option) const { return (mask_ & option) != 0; }
    void set(Option option) { mask_ = static_cast<uint16_t>(mask_ | option); }
    void clear(Option option) { mask_ = static_cast<uint16_t>(mask_ & ~option); }
    uint16_t mask() const { return mask_; }

    // False when the stack is full or empty.
    bool push();
    bool pop();
    void clear_stack() { stack_.clear(); }

    // Sets or clears every letter of the text (blanks are skipped); returns
    // the letters that name no option.
    std::string add(std::string_view letters);
    std::string remove(std::string_view letters);

    // "options:" and " %c" per set option, or " **none set**", and a line feed.
    std::string listing() const;

private:
    std::string change(std::string_view letters, bool on);
    uint16_t mask_ = 0;
    std::vector<uint16_t> stack_;
};

}  // namespace mibc
