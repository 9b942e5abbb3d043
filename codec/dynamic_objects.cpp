#include "codec/dynamic_objects.h"

#include "codec/stmf_exception.h"
#include "dynobj/dyn_obj_table.h"

Object_List Dyn_Obj_Table_Objects::object_list(uint8_t number, const ISO_Tree& tree) const {
    std::vector<Dyn_Obj_Row> rows;
    try {
        rows = table_.get(number).rows_in_use(tree);
    } catch (const Dyn_Obj_Exception& refused) {
        throw InvalidReferenceException(refused.message());
    }
    Object_List list;
    list.reserve(rows.size());
    for (const Dyn_Obj_Row& row : rows) {
        Object_Entry entry = Object_Entry::reference(const_cast<ISO_Object*>(row.object));
        entry.name = row.owner;
        entry.flag = row.status;
        list.push_back(std::move(entry));
    }
    return list;
}
