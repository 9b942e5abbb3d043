// The text kept beside an instance's value: "0" until a setter passes one.
// One pointer wide; the text is allocated only once a setter has given one.
#pragma once

#include <memory>
#include <string>
#include <string_view>

class Instance_Text {
public:
    static constexpr std::string_view kInitial = "0";

    Instance_Text& operator=(std::string_view text) {
        if (text == kInitial) {
            text_.reset();
        } else if (text_) {
            text_->assign(text);
        } else {
            text_ = std::make_unique<std::string>(text);
        }
        return *this;
    }
    Instance_Text& operator=(const std::string& text) { return *this = std::string_view(text); }

    std::string_view view() const { return text_ ? std::string_view(*text_) : kInitial; }
    operator std::string_view() const { return view(); }
    const char* data() const { return view().data(); }
    size_t size() const { return view().size(); }

    friend bool operator==(const Instance_Text& text, std::string_view other) { return text.view() == other; }

private:
    std::unique_ptr<std::string> text_;
};
