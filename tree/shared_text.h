// A text that a great many records hold alike, such as an object type's
// access and status: each distinct text is kept once for the process and the
// records hold a pointer to it. The texts are never dropped: a MIB brings a
// handful of distinct ones, and a reload brings the same again.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

class Shared_Text {
public:
    Shared_Text();
    Shared_Text(std::string_view text);  // NOLINT: a text converts as it stands
    Shared_Text& operator=(std::string_view text) { return *this = Shared_Text(text); }

    const std::string& str() const { return *text_; }
    operator const std::string&() const { return *text_; }  // NOLINT
    const char* c_str() const { return text_->c_str(); }
    const char* data() const { return text_->data(); }
    size_t size() const { return text_->size(); }
    bool empty() const { return text_->empty(); }

    friend bool operator==(const Shared_Text& text, std::string_view other) { return *text.text_ == other; }

private:
    const std::string* text_;
};
