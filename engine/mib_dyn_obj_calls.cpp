// The dynamic-object calls of the MIB.
#include <string_view>

#include "engine/mib.h"
#include "tree/instance_value.h"

std::optional<Dyn_Obj_Listing> Mib::dyn_obj_list(int32_t number, size_t most_rows) const {
    if (number < 1 || number > Dyn_Obj_Table::kCount || !dyn_obj_table_.present()) return std::nullopt;
    auto hold = tree_.read_lock();
    const Dynamic_Object& object = dyn_obj_table_.get(static_cast<uint8_t>(number));
    Dyn_Obj_Listing listing;
    listing.names = object.variable_names(tree_);
    std::string_view rest = listing.names;
    for (size_t k = 1; k <= most_rows && object.status_byte(k) == Dynamic_Object::kActive; ++k) {
        const size_t end = rest.find('\n');
        const std::string_view name = rest.substr(0, end);
        rest = end == std::string_view::npos ? std::string_view() : rest.substr(end + 1);
        listing.owners += object.owner_text(k) + "\n";
        const ISO_Object* node = tree_.find_by_name(name);
        if (node == nullptr) return std::nullopt;
        Rendered_Value rendered;
        if (node->is(kind::kInstance)) rendered = render_value(static_cast<const Iso_Instance&>(*node));
        listing.values += rendered.text + "\n";
        listing.value_types.push_back(rendered.type);
    }
    return listing;
}
