#include "field/carry_out.h"

#include <optional>

#include "codec/activity_log.h"
#include "codec/received_value.h"
#include "codec/snmp_format.h"
#include "field/field_device_settings.h"
#include "tree/instance_value.h"
#include "tree/iso_tree.h"
#include "tree/oid.h"

namespace {

Iso_Instance* as_instance(ISO_Object* node) {
    return node != nullptr && node->is(kind::kInstance) ? static_cast<Iso_Instance*>(node) : nullptr;
}

void fail(Field_Answer& answer, uint32_t status, size_t position) {
    answer.error_status = status;
    answer.error_index = static_cast<uint32_t>(position + 1);
}

// The value an answer carries for an instance, as the station shows it.
void read_value(Request_Object& slot, const Iso_Instance& instance) {
    Rendered_Value rendered = render_value(instance);
    slot.name = instance.name;
    slot.value = std::move(rendered.text);
    slot.value_type = rendered.type;
}

// The identifier a Get-next starts from: as it came in an SNMP request,
// else (STMP) the node's own.
std::optional<Oid_Numbers> start_of(const Received_Binding& binding) {
    if (!binding.oid.empty()) {
        const auto tree_form = tree_from_standard(binding.oid);
        return tree_form ? decode_subidentifiers(*tree_form) : std::nullopt;
    }
    if (binding.node != nullptr) return ISO_Tree::oid_numbers(binding.node);
    return std::nullopt;
}

}  // namespace

std::vector<std::string> Carry_Out::communities() const {
    std::vector<std::string> names;
    for (size_t i = 0; i < settings_.count(); ++i) names.push_back(settings_.name(i));
    return names;
}

void Carry_Out::carry_out(Field_Answer& answer, Activity_Log& log, ISO_Tree& tree) const {
    if (!answer.stmp && answer.kind != Answer_Kind::none && !settings_.accepts(answer.record.community)) {
        log.text(carry_out_text::kDiscarded);
        answer.kind = Answer_Kind::none;
        return;
    }
    if (answer.refused || answer.kind == Answer_Kind::none || answer.error_status != 0) return;
    if (answer.kind == Answer_Kind::set)
        return answer.stmp ? set_all_or_nothing(answer, log) : set_checked_first(answer, log);
    if (answer.stmp) answer.record.objects.resize(answer.bindings.size());
    for (size_t i = 0; i < answer.bindings.size() && i < answer.record.objects.size(); ++i) {
        Request_Object& slot = answer.record.objects[i];
        const Received_Binding& binding = answer.bindings[i];
        if (answer.kind == Answer_Kind::get) {
            Iso_Instance* instance = as_instance(binding.node);
            log.text("Getting value for instance ");
            if (instance == nullptr) {
                log.text("object unknown\n");
                return fail(answer, code_of(Snmp_Error_Status::noSuchName), i);
            }
            log.text(instance->name + "\n");
            answer.bindings[i].answered = instance;
            read_value(slot, *instance);
        } else {
            log.text("\nGetting next object past ");
            const auto start = start_of(binding);
            log.text(binding.node != nullptr ? binding.node->name
                     : start                 ? join_dotted(*start)
                                             : std::string("object unknown"));
            const ISO_Object* next = start ? tree.instance_after(*start) : nullptr;
            if (next == nullptr) {
                log.text(": Could not find next object!\n");
                return fail(answer, code_of(Snmp_Error_Status::noSuchName), i);
            }
            log.text(": " + next->name + "\n");
            answer.bindings[i].answered = const_cast<ISO_Object*>(next);
            read_value(slot, static_cast<const Iso_Instance&>(*next));
        }
    }
}

// An SNMP Set checks every binding before it stores any: a refused value
// leaves the whole tree as it was (RFC 1157: all or none of the bindings).
void Carry_Out::set_checked_first(Field_Answer& answer, Activity_Log& log) const {
    std::vector<Checked_Value> checked(answer.bindings.size());
    for (size_t i = 0; i < answer.bindings.size(); ++i) {
        const Received_Binding& binding = answer.bindings[i];
        const Iso_Instance* instance = as_instance(binding.node);
        log.text("Setting value for instance ");
        if (instance == nullptr) {
            log.text("object unknown\n");
            return fail(answer, code_of(Snmp_Error_Status::noSuchName), i);
        }
        log.text(instance->name + "\n");
        checked[i] = check_received_value(*instance, binding.value_tag, binding.value);
        if (checked[i].result != set_result::kStored) {
            if (i > 0) log.text("No value was changed.\n");
            return fail(answer, static_cast<uint32_t>(checked[i].result), i);
        }
    }
    for (size_t i = 0; i < answer.bindings.size() && i < answer.record.objects.size(); ++i) {
        Iso_Instance& instance = *as_instance(answer.bindings[i].node);
        instance.value = std::move(checked[i].octets);
        answer.bindings[i].answered = &instance;
        read_value(answer.record.objects[i], instance);
    }
}

// An STMP Set stores every value or none: the first value refused puts the
// ones already stored back as they were.
void Carry_Out::set_all_or_nothing(Field_Answer& answer, Activity_Log& log) const {
    std::vector<std::pair<Iso_Instance*, Bytes>> before;
    for (size_t i = 0; i < answer.bindings.size(); ++i) {
        Received_Binding& binding = answer.bindings[i];
        Iso_Instance* instance = as_instance(binding.node);
        log.text("Setting value for instance ");
        if (instance == nullptr) {
            log.text("object unknown\n");
            fail(answer, code_of(Snmp_Error_Status::noSuchName), i);
            break;
        }
        log.text(instance->name + "\n");
        before.emplace_back(instance, instance->value);
        const int result = store_received_value(*instance, binding.value_tag, binding.value);
        if (result != set_result::kStored) {
            fail(answer, static_cast<uint32_t>(result), i);
            break;
        }
        binding.answered = instance;
    }
    if (answer.error_status == 0) return;
    for (auto it = before.rbegin(); it != before.rend(); ++it) it->first->value = std::move(it->second);
    if (!before.empty()) log.text("No value was changed.\n");
}
