#include "mibc/mosy_writer.h"

#include <string>
#include <vector>

#include "mibc/diagnostics.h"
#include "mibc/messages.h"

namespace mibc {

namespace {

constexpr const char* kRootParent = "OID_tree_Root";

std::string text(std::string_view view) { return std::string(view); }
unsigned long ul(uint32_t value) { return value; }

std::string bounds_text(const Syntax& syntax, bool size_form_for_octets) {
    if (syntax.bound == Bound_Kind::size) {
        if (syntax.single) return format(" (SIZE (%u))", syntax.low.value);
        return format(" (SIZE (%u..%u))", syntax.low.value, syntax.high.value);
    }
    if (syntax.bound == Bound_Kind::range) {
        (void)size_form_for_octets;
        return format(" (%s%lu..%s%lu)", syntax.low.negative ? "-" : "", ul(syntax.low.value),
                      syntax.high.negative ? "-" : "", ul(syntax.high.value));
    }
    return {};
}

std::string syntax_text(const Syntax& syntax) {
    switch (syntax.kind) {
        case Syntax_Kind::not_used: return "**syntax not used**";
        case Syntax_Kind::bad: return "**syntax bad";
        case Syntax_Kind::integer: return "INTEGER" + bounds_text(syntax, false);
        case Syntax_Kind::octet_string: return "OctetString" + bounds_text(syntax, true);
        case Syntax_Kind::object_identifier: return "ObjectID";
        case Syntax_Kind::null: return "NULL";
        case Syntax_Kind::network_address: return "NetworkAddress";
        case Syntax_Kind::ip_address: return "IpAddress";
        case Syntax_Kind::counter: return "Counter";
        case Syntax_Kind::gauge: return "Gauge";
        case Syntax_Kind::time_ticks: return "TimeTicks";
        case Syntax_Kind::opaque: return "Opaque";
        case Syntax_Kind::enumerated: return "Enum";
        case Syntax_Kind::sequence_of: return "Table SEQUENCE_OF " + text(syntax.name);
        case Syntax_Kind::sequence: return "Row SEQUENCE " + text(syntax.name);
        case Syntax_Kind::convention: return text(syntax.name) + bounds_text(syntax, true);
        case Syntax_Kind::type_name: return "**unknown syntax**";
    }
    return "**unknown syntax**";
}

const char* access_text(Access access) {
    switch (access) {
        case Access::not_used: return "not used";
        case Access::read_only: return "read-only";
        case Access::read_write: return "read-write";
        case Access::write_only: return "write-only";
        case Access::not_accessible: return "not-accessible";
        case Access::bad: return "**bad**";
    }
    return "**bad**";
}

const char* status_text(Status status) {
    switch (status) {
        case Status::not_used: return "not used";
        case Status::mandatory: return "mandatory";
        case Status::optional: return "optional";
        case Status::deprecated: return "deprecated";
        case Status::obsolete: return "obsolete";
        case Status::bad: return "**bad**";
    }
    return "**unknown**";
}

std::string index_text(const Index_Item& entry) {
    const std::string prefix = entry.no_length ? "NOLENGTH " : "";
    const Syntax& bounds = entry.syntax;
    switch (entry.kind) {
        case Index_Kind::name: return prefix + text(entry.name);
        case Index_Kind::integer:
            if (bounds.bound == Bound_Kind::range)
                return prefix + format("INTEGER (%lu..%lu)", ul(bounds.low.value), ul(bounds.high.value));
            return prefix + "INTEGER";
        case Index_Kind::octet_string:
            if (bounds.bound == Bound_Kind::size && bounds.single)
                return prefix + format("OCTET STRING (SIZE (%lu))", ul(bounds.low.value));
            if (bounds.bound == Bound_Kind::size)
                return prefix + format("OCTET STRING (SIZE(%lu..%lu))", ul(bounds.low.value), ul(bounds.high.value));
            return prefix + "OCTET STRING";
        case Index_Kind::object_identifier: return prefix + "OBJECT IDENTIFIER";
        case Index_Kind::network_address: return prefix + "NetworkAddress";
        case Index_Kind::ip_address: return prefix + "IpAddress";
    }
    return "**BAD**";
}

class Writer {
public:
    Writer(const Mib_Model& model, std::ostream& stream) : model_(model), stream_(stream) {}

    void run(std::string_view identification) {
        out_ += "\nOID tree\n";
        walk(&Writer::node_line);
        out_ += "**end of oid tree**\n";
        traps();
        out_ += "\n-- Extended Mosy format from\n--   ";
        out_ += identification;
        out_ += "\n\n";
        enumerations();
        conventions();
        sequences();
        out_ += "\n-- Extended Mosy OID tree\n";
        walk(&Writer::extended_line);
        out_ += "\n-- **end of Extended Mosy OID tree**\n";
        flush();
    }

private:
    using Line = void (Writer::*)(const Item&, const std::string& dotted);

    static constexpr size_t kFlushSize = 1 << 16;

    void flush() {
        stream_.write(out_.data(), static_cast<std::streamsize>(out_.size()));
        out_.clear();
    }

    // Depth first, a node before its children; stops at kMaxOidDepth.
    void walk(Line line) {
        struct Step {
            int item;
            size_t next_child;
            std::string dotted;
        };
        std::vector<Step> path;
        for (const int root : model_.roots) {
            path.push_back({root, 0, std::to_string(model_.items[static_cast<size_t>(root)].number)});
            (this->*line)(model_.items[static_cast<size_t>(root)], path.back().dotted);
            while (!path.empty()) {
                Step& step = path.back();
                const Item& item = model_.items[static_cast<size_t>(step.item)];
                if (step.next_child >= item.children.size()) {
                    path.pop_back();
                    continue;
                }
                const int child = item.children[step.next_child++];
                if (path.size() >= kMaxOidDepth) {
                    out_ += msg::kNestedTooDeep;
                    return;
                }
                const Item& child_item = model_.items[static_cast<size_t>(child)];
                std::string dotted = step.dotted + "." + std::to_string(child_item.number);
                (this->*line)(child_item, dotted);
                if (out_.size() > kFlushSize) flush();
                path.push_back({child, 0, std::move(dotted)});
            }
        }
    }

    std::string_view parent_name(const Item& item) const {
        return item.parent == kNone ? std::string_view(kRootParent) : model_.items[static_cast<size_t>(item.parent)].name;
    }

    void node_line(const Item& item, const std::string& dotted) {
        out_ += dotted + ' ' + text(item.name) + ' ' + text(parent_name(item)) + ' ';
        if (item.parent == kNone)
            out_ += "Root";
        else if (item.kind == Item_Kind::oid_item)
            out_ += "Node";
        else if (item.kind == Item_Kind::object)
            out_ += syntax_text(item.syntax) + ' ' + access_text(item.access) + ' ' + status_text(item.status);
        else
            out_ += "**unknown or bad**";
        out_ += '\n';
    }

    void extended_line(const Item& item, const std::string&) {
        out_ += format("%-20s ", text(item.name).c_str());
        if (item.parent == kNone) {
            out_ += format("%lu Root\n", ul(item.number));
            return;
        }
        const std::string reference = text(parent_name(item)) + '.' + std::to_string(item.number);
        if (item.kind == Item_Kind::oid_item) {
            out_ += reference + " Node\n";
            return;
        }
        out_ += format("%-16s ", reference.c_str());
        if (item.kind != Item_Kind::object) {
            out_ += "** unknown or bad type\n";
            return;
        }
        if (item.syntax.kind == Syntax_Kind::sequence && item.has_index) {
            out_ += "seq " + text(item.syntax.name) + ' ' + std::to_string(item.index.size()) + " (";
            for (const Index_Item& entry : item.index) out_ += ' ' + index_text(entry);
            out_ += std::string(" ) ") + access_text(item.access) + ' ' + status_text(item.status) + '\n';
            return;
        }
        out_ += format("%-15s %-15s %s\n", syntax_text(item.syntax).c_str(), access_text(item.access),
                       status_text(item.status));
    }

    // The dotted OID of a registered item, or nothing when its chain is too deep.
    bool dotted_oid(int index, std::string& dotted) const {
        std::vector<uint32_t> numbers;
        for (int at = index; at != kNone; at = model_.items[static_cast<size_t>(at)].parent) {
            if (numbers.size() >= kMaxOidDepth) return false;
            numbers.push_back(model_.items[static_cast<size_t>(at)].number);
        }
        dotted = std::to_string(numbers.back());
        for (size_t i = numbers.size() - 1; i-- > 0;) {
            dotted += '.';
            dotted += std::to_string(numbers[i]);
        }
        return true;
    }

    void traps() {
        out_ += "\nTraps\n";
        std::vector<std::string_view> enterprises;
        for (const Item& item : model_.items) {
            if (item.kind != Item_Kind::trap) continue;
            bool seen = false;
            for (const auto e : enterprises) seen = seen || e == item.enterprise;
            if (!seen) enterprises.push_back(item.enterprise);
        }
        if (enterprises.empty()) out_ += "  --None Defined\n";
        for (const auto enterprise : enterprises) {
            int index = kNone;
            std::string dotted = "0";
            for (size_t i = 0; i < model_.items.size() && index == kNone; ++i) {
                const Item& item = model_.items[i];
                if (item.name == enterprise && item.registered) index = static_cast<int>(i);
            }
            if (index != kNone && !dotted_oid(index, dotted)) {
                out_ += msg::kNestedTooDeep;
                return;
            }
            // "name  first" then ".next" for each further component.
            const size_t dot = dotted.find('.');
            out_ += "  enterprise: " + text(enterprise) + "  " + dotted.substr(0, dot);
            if (dot != std::string::npos) out_ += dotted.substr(dot);
            out_ += '\n';
            for (const Item& item : model_.items) {
                if (item.kind == Item_Kind::trap && item.enterprise == enterprise)
                    out_ += format("    trap: %s, value %lu\n", text(item.name).c_str(), ul(item.number));
            }
        }
        out_ += "**end of TRAPs**\n";
    }

    void enumerations() {
        bool heading = false;
        for (const Item& item : model_.items) {
            if ((item.kind != Item_Kind::object && item.kind != Item_Kind::convention) ||
                item.syntax.kind != Syntax_Kind::enumerated || item.syntax.enumeration == kNone)
                continue;
            if (!heading) out_ += "\n-- Enumerations\n";
            heading = true;
            const auto& values = model_.enumerations[static_cast<size_t>(item.syntax.enumeration)];
            out_ += format("*%s %u (\n", text(item.name).c_str(), static_cast<unsigned>(values.size()));
            for (const Enum_Item& value : values)
                out_ += format("    %-20s %lu\n", text(value.label).c_str(), ul(value.value));
            out_ += ")\n";
            if (out_.size() > kFlushSize) flush();
        }
        if (heading) out_ += '\n';
    }

    void conventions() {
        bool heading = false;
        for (const Item& item : model_.items) {
            if (item.kind != Item_Kind::convention) continue;
            if (!heading) out_ += "\n-- Textual Conventions\n";
            heading = true;
            out_ += format("+%-20s %s\n", text(item.name).c_str(), syntax_text(item.syntax).c_str());
        }
        if (heading) out_ += '\n';
    }

    void sequences() {
        bool heading = false;
        for (const Item& item : model_.items) {
            if (item.kind != Item_Kind::sequence) continue;
            if (!heading) out_ += "-- Sequences\n";
            heading = true;
            out_ += format("$%s %u {\n", text(item.name).c_str(), static_cast<unsigned>(item.members.size()));
            for (const Member& member : item.members) out_ += "    " + text(member.name) + '\n';
            out_ += "}\n";
            if (out_.size() > kFlushSize) flush();
        }
    }

    const Mib_Model& model_;
    std::ostream& stream_;
    std::string out_;  // written out in pieces of about kFlushSize
};

}  // namespace

void write_mosy(const Mib_Model& model, std::string_view identification, std::ostream& out) {
    Writer(model, out).run(identification);
}

}  // namespace mibc
