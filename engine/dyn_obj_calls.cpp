// The dynamic-object calls of the engine.
#include <algorithm>
#include <cstring>
#include <string_view>

#include "engine/quorvan_engine.h"
#include "tree/instance_value.h"

namespace {

// Writes into a caller's buffer of QV_DYN_TEXT_SIZE bytes, cut to fit.
void copy_out(char* buffer, std::string_view text) {
    const size_t length = std::min(text.size(), size_t{QV_DYN_TEXT_SIZE} - 1);
    std::memcpy(buffer, text.data(), length);
    buffer[length] = '\0';
}

}  // namespace

int32_t Quorvan::GetDynObjList(int32_t number, char* names, char* owners, char* values, uint8_t* syntaxes,
                               int32_t* count) const {
    if (number < 1 || number > Dyn_Obj_Table::kCount || names == nullptr || owners == nullptr || values == nullptr ||
        syntaxes == nullptr || count == nullptr)
        return -1;
    auto hold = tree_.read_lock();
    const Dynamic_Object& object = dyn_obj_table_.get(static_cast<uint8_t>(number));
    const std::string all_names = object.variable_names(tree_);
    std::string owner_lines;
    std::string value_lines;
    std::string_view rest = all_names;
    int32_t entries = 0;
    for (size_t k = 1; k <= QV_MAX_DYN_ENTRIES && object.status_byte(k) == Dynamic_Object::kActive; ++k) {
        const size_t end = rest.find('\n');
        const std::string_view name = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        owner_lines += object.owner_text(k) + "\n";
        const ISO_Object* node = tree_.find_by_name(name);
        if (node == nullptr) return -1;
        Rendered_Value rendered;
        if (node->is(kind::kInstance)) rendered = render_value(static_cast<const Iso_Instance&>(*node));
        value_lines += rendered.text + "\n";
        syntaxes[k - 1] = rendered.type;
        ++entries;
    }
    copy_out(names, all_names);
    copy_out(owners, owner_lines);
    copy_out(values, value_lines);
    *count = entries;
    return entries;
}
