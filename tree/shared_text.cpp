#include "tree/shared_text.h"

#include <mutex>
#include <unordered_set>

namespace {

// The set's nodes keep their place, so the pointers handed out stay valid.
struct Text_Pool {
    std::mutex mutex;
    std::unordered_set<std::string> texts;
};

Text_Pool& pool() {
    static Text_Pool texts;
    return texts;
}

const std::string* kept(std::string_view text) {
    Text_Pool& p = pool();
    std::lock_guard hold(p.mutex);
    return &*p.texts.emplace(text).first;
}

}  // namespace

Shared_Text::Shared_Text() : text_(kept("")) {}

Shared_Text::Shared_Text(std::string_view text) : text_(kept(text)) {}
