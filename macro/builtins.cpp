// The built-in functions of the macro language.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "macro/interpreter.h"
#include "macro/macro_stop.h"
#include "macro/macro_texts.h"
#include "macro/text_rules.h"

namespace {

// The error flag each check built-in tests.
uint32_t flag_of(Builtin function) {
    switch (function) {
        case Builtin::checkProtocolMismatch: return 0x1;
        case Builtin::checkInvalidResponse: return 0x2;
        case Builtin::checkNoResponse: return 0x10;
        case Builtin::checkEncodingStyle: return 0x20;
        case Builtin::checkNoInstance: return 0x40;
        case Builtin::checkObjectMismatch: return 0x80;
        case Builtin::checkInvalidSequence: return 0x400;
        case Builtin::checkInvalidLength: return 0x800;
        case Builtin::checkScrambled: return 0x1000;
        case Builtin::checkInvalidAddress: return 0x2000;
        case Builtin::checkInvalidControl: return 0x4000;
        case Builtin::checkInvalidCRC: return 0x8000;
        case Builtin::checkInvalidIPI: return 0x10000;
        default: return 0;
    }
}

std::string_view trimmed(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// "AB" as "41 42".
std::string hex_pairs(std::string_view text) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    for (size_t i = 0; i < text.size(); ++i) {
        if (i > 0) hex += ' ';
        const auto byte = static_cast<unsigned char>(text[i]);
        hex += kDigits[byte >> 4];
        hex += kDigits[byte & 0xF];
    }
    return hex;
}

int hex_digit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::string line_of(const std::string& list, int32_t k) {
    if (k < 0) return {};
    size_t start = 0;
    for (int32_t i = 0; i < k; ++i) {
        const size_t newline = list.find('\n', start);
        if (newline == std::string::npos) return {};
        start = newline + 1;
    }
    const size_t end = list.find('\n', start);
    return list.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

}  // namespace

// The arguments of one call, evaluated, with the checks of their number and kinds.
class Builtins {
public:
    Builtins(Interpreter& in, const Expr& e) : in_(in), function_(e.function), name_(builtin_name(e.function)) {
        for (int32_t i = 0; i < e.count; ++i) {
            const Argument& a = in.program_.pool.arguments[static_cast<size_t>(e.first + i)];
            Slot slot{Value(in.heap_), -1};
            if (is_reference_argument(function_, static_cast<size_t>(i))) {
                const Expr* ref = a.expr >= 0 ? &in.program_.pool.exprs[static_cast<size_t>(a.expr)] : nullptr;
                if (ref == nullptr || ref->kind != Expr_Kind::variable)
                    refuse(static_cast<size_t>(i), macro_text::kMustBeVariable);
                slot.symbol = in.variable_index(ref->name);
            } else if (a.text >= 0) {
                slot.value.kind = Kind::text;
                slot.value.text = in.program_.pool.texts[static_cast<size_t>(a.text)];
            } else {
                slot.value = in.evaluate(a.expr);
            }
            slots_.push_back(std::move(slot));
        }
    }

    void need(size_t count) const {
        if (slots_.size() != count)
            throw Macro_Stop(macro_text::argument_count(name_, count, slots_.size()));
    }
    int32_t integer(size_t i) const {
        const Value& v = slots_[i].value;
        if (v.kind == Kind::text) refuse(i, macro_text::kMustBeNumber);
        return v.kind == Kind::real ? truncate_to_int(v.real) : v.integer;
    }
    float real(size_t i) const {
        const Value& v = slots_[i].value;
        if (v.kind == Kind::text) refuse(i, macro_text::kMustBeNumber);
        return v.kind == Kind::real ? v.real : static_cast<float>(v.integer);
    }
    std::string text(size_t i) const {
        const Value& v = slots_[i].value;
        if (v.kind != Kind::text) refuse(i, macro_text::kMustBeText);
        return std::string(v.text);
    }
    Symbol& variable(size_t i) const { return in_.symbols_.at(slots_[i].symbol, macro_text::kNoSymbolId); }

private:
    [[noreturn]] void refuse(size_t i, const char* what) const {
        throw Macro_Stop(macro_text::argument_kind(i + 1, name_, what));
    }

    struct Slot {
        Value value;
        int32_t symbol;
    };
    Interpreter& in_;
    Builtin function_;
    std::string_view name_;
    std::vector<Slot> slots_;
};

Value Interpreter::call(const Expr& e) {
    const Builtins a(*this, e);
    const Builtin f = e.function;
    const auto infile_symbol = static_cast<int32_t>(program_.labels.size());
    const int32_t outfile_symbol = infile_symbol + 1;
    const auto request_slot = [&](int32_t i) {
        if (i < 1 || i > QV_MAX_OBJECTS)
            throw Macro_Stop(macro_text::index_outside(builtin_name(f), i));
        return static_cast<size_t>(i - 1);
    };
    const auto read_back_slot = [](int32_t i) { return i >= 1 && i <= QV_MAX_OBJECTS; };

    switch (f) {
        case Builtin::outfile: {
            a.need(1);
            const std::string name = a.text(0);
            assign(symbols_.at(outfile_symbol, macro_text::kNoSymbolSet), make_text(name));
            if (!engine_.create_file(name)) say(macro_text::kCannotOpenOutfile);
            return make();
        }
        case Builtin::out: {
            a.need(1);
            const std::string text = a.text(0);
            const std::string name(symbols_.at(outfile_symbol, macro_text::kNoSymbolString).text);
            if (!engine_.append_file(name, text)) say(macro_text::kCannotWriteOutfile);
            return make();
        }
        case Builtin::infile: {
            a.need(1);
            const std::string name = a.text(0);
            assign(symbols_.at(infile_symbol, macro_text::kNoSymbolSet), make_text(name));
            const std::optional<std::string> contents = engine_.read_file(name);
            if (!contents) {
                say(macro_text::kCannotOpenInfile);
                return make();
            }
            std::istringstream file(*contents);
            std::string line;
            while (std::getline(file, line)) {
                const std::string_view whole = trimmed(line);
                const size_t colon = whole.find(':');
                if (colon == std::string_view::npos) continue;
                const int32_t index = symbols_.find(trimmed(whole.substr(0, colon)));
                if (index < 0) continue;
                Symbol& s = symbols_.at(index, macro_text::kNoSymbolId);
                if (!s.invar) continue;
                const std::string_view value = trimmed(whole.substr(colon + 1));
                if (s.kind == Kind::integer)
                    s.integer = leading_number(value);
                else if (s.kind == Kind::real)
                    s.real = leading_float(value);
                else if (s.kind == Kind::text)
                    assign(s, make_text(value.size() >= 2 ? value.substr(1, value.size() - 2) : std::string_view()));
            }
            return make();
        }
        case Builtin::inuser: {
            a.need(1);
            return make_text(engine_.user_input(a.text(0)).value_or(std::string()));
        }
        case Builtin::invar:
            a.need(1);
            a.variable(0).invar = true;
            return make();
        case Builtin::randomInt: {
            a.need(1);
            const int32_t n = a.integer(0);
            if (n < 1) {
                say(macro_text::random_below_one(n));
                return make_int(0);
            }
            return make_int(static_cast<int32_t>((random_() & 0x7FFFFFFF) % static_cast<uint32_t>(n)) + 1);
        }
        case Builtin::randomFloat:
            a.need(0);
            return make_float(static_cast<float>((random_() & 0x7FFFFFFF) % 6384) / 6384.0f);
        case Builtin::sleep:
            a.need(1);
            engine_.sleep(std::max(a.integer(0), 0));
            return make();
        case Builtin::getError: {
            a.need(4);
            std::string message;
            int32_t status = 0;
            int32_t index = 0;
            Symbol& text = a.variable(0);
            Symbol& status_var = a.variable(2);
            Symbol& index_var = a.variable(3);
            const int32_t result = engine_.get_error(a.integer(1), message, status, index);
            assign(text, make_text(message));
            assign(status_var, make_int(status));
            assign(index_var, make_int(index));
            return make_int(result);
        }
        case Builtin::intToFloat:
            a.need(1);
            return make_float(static_cast<float>(a.integer(0)));
        case Builtin::intToString:
            a.need(1);
            return make_text(int_text(a.integer(0)));
        case Builtin::stringToInt:
            a.need(1);
            return make_int(leading_number(a.text(0)));
        case Builtin::floatToString:
            a.need(1);
            return make_text(float_text(a.real(0)));
        case Builtin::floor:
            a.need(1);
            return make_int(truncate_to_int(std::floor(static_cast<long double>(a.real(0)))));
        case Builtin::ceiling:
            a.need(1);
            return make_int(truncate_to_int(std::ceil(static_cast<long double>(a.real(0)))));
        case Builtin::compare: {
            a.need(2);
            const int order = a.text(0).compare(a.text(1));
            return make_int(order < 0 ? -1 : order > 0 ? 1 : 0);
        }
        case Builtin::copy:
            a.need(2);
            assign(a.variable(0), make_text(a.text(1)));
            return make();
        case Builtin::concat: {
            a.need(2);
            Symbol& s = a.variable(0);
            if (s.kind != Kind::text) {
                say(macro_text::kStringToNumeric);
                return make();
            }
            Value joined = make_text(s.text);
            joined.text += a.text(1);
            assign(s, joined);
            return make();
        }
        case Builtin::beep:
            a.need(2);
            engine_.beep(a.integer(0), a.integer(1));
            return make();
        case Builtin::getResponseValue: {
            a.need(2);
            Symbol& s = a.variable(1);
            std::string value;
            if (engine_.get_response_value(a.integer(0), value) != 0) value.clear();
            assign(s, make_text(value));
            return make();
        }
        case Builtin::calcCRC: {
            a.need(1);
            const std::string hex = a.text(0);
            std::vector<uint8_t> bytes;
            for (size_t i = 0; i + 1 < hex.size() && bytes.size() < 0xFFFF; i += 2) {
                const int high = hex_digit(hex[i]);
                const int low = hex_digit(hex[i + 1]);
                if (high < 0 || low < 0) break;
                bytes.push_back(static_cast<uint8_t>(high * 16 + low));
            }
            uint16_t crc = 0;
            engine_.calc_crc(bytes, crc);
            char text[8];
            std::snprintf(text, sizeof text, "%04X", static_cast<unsigned>(crc));
            return make_text(text);
        }
        case Builtin::getNodeInfo:
            a.need(1);
            node_name_ = a.text(0);
            node_ = Node_Record{};
            return make_int(engine_.get_node_info(node_name_, node_));
        case Builtin::getNodeObjects: {
            a.need(1);
            const auto list = engine_.get_node_objects(a.text(0));
            object_list_ = list.value_or(std::string());
            if (!list) return make_int(0);
            return make_int(static_cast<int32_t>(std::count(list->begin(), list->end(), '\n')) + 1);
        }
        case Builtin::getInstance:
            a.need(1);
            return make_text(line_of(object_list_, a.integer(0)));
        case Builtin::getNextInstance:
            a.need(1);
            return make_text(engine_.get_next_instance(a.text(0)).value_or(std::string()));
        case Builtin::getNodeName: a.need(0); return make_text(node_.name);
        case Builtin::getNodeSyntax: a.need(0); return make_text(node_.syntax);
        case Builtin::getNodeAccess: a.need(0); return make_text(node_.access);
        case Builtin::getNodeStatus: a.need(0); return make_text(node_.status);
        case Builtin::getNodeDescription: a.need(0); return make_text(node_.description);
        case Builtin::getNodeOID: a.need(0); return make_text(node_.oid);
        case Builtin::getNodeValue: a.need(0); return make_int(leading_number(node_.value));
        case Builtin::getNodeMin: a.need(0); return make_int(node_.neg_lower != 0 ? node_.neg_lower : node_.lower);
        case Builtin::getNodeMax: a.need(0); return make_int(node_.neg_upper != 0 ? node_.neg_upper : node_.upper);
        case Builtin::getNodeTimestamp: a.need(0); return make_text(node_.timestamp);
        case Builtin::setNodeAsn1Syntax:
            a.need(1);
            node_.value_type = static_cast<uint8_t>(a.integer(0) & 0xFF);
            return make();
        case Builtin::clearErrorState:
            a.need(1);
            engine_.clear_error_state(a.integer(0));
            return make();
        case Builtin::setField_pdu: a.need(1); request_.protocol = a.text(0); return make();
        case Builtin::setField_classtype: a.need(1); request_.class_name = a.text(0); return make();
        case Builtin::setField_community: a.need(1); request_.community = a.text(0); return make();
        case Builtin::setField_AddressDrop: a.need(1); request_.address = a.integer(0); return make();
        case Builtin::setField_GroupAddress: a.need(1); request_.group_address = a.integer(0); return make();
        case Builtin::setField_SizeOfTheArray: a.need(1); request_.object_count = a.integer(0); return make();
        case Builtin::setField_arraylist:
            a.need(2);
            request_.names[request_slot(a.integer(1))] = a.text(0);
            return make();
        case Builtin::setField_valuelist:
            a.need(2);
            request_.values[request_slot(a.integer(1))] = a.text(0);
            return make();
        case Builtin::setField_asn1syntax:
            a.need(2);
            request_.value_types[request_slot(a.integer(1))] = static_cast<uint8_t>(a.integer(0) & 0xFF);
            return make();
        case Builtin::getField_pdu: a.need(0); return make_text(read_back_.protocol);
        case Builtin::getField_classtype: a.need(0); return make_text(read_back_.class_name);
        case Builtin::getField_community: a.need(0); return make_text(read_back_.community);
        case Builtin::getField_AddressDrop: a.need(0); return make_int(read_back_.address);
        case Builtin::getField_GroupAddress: a.need(0); return make_int(read_back_.group_address);
        case Builtin::getField_SizeOfTheArray: a.need(0); return make_int(read_back_.object_count);
        case Builtin::getField_arraylist: {
            a.need(1);
            const int32_t i = a.integer(0);
            return make_text(read_back_slot(i) ? read_back_.names[i - 1] : std::string());
        }
        case Builtin::getField_valuelist: {
            a.need(1);
            const int32_t i = a.integer(0);
            return make_text(read_back_slot(i) ? read_back_.values[i - 1] : std::string());
        }
        case Builtin::getField_asn1syntax: {
            a.need(1);
            const int32_t i = a.integer(0);
            return make_int(read_back_slot(i) ? read_back_.value_types[i - 1] : 0);
        }
        case Builtin::sendGet:
        case Builtin::sendGetNext:
        case Builtin::sendSetDec:
        case Builtin::sendSetNoDec:
        case Builtin::sendSetAsc:
        case Builtin::sendSetNoAsc: {
            a.need(0);
            const int32_t count = std::clamp<int32_t>(request_.object_count, 0, QV_MAX_OBJECTS);
            if (f == Builtin::sendSetAsc)
                for (int32_t i = 0; i < count; ++i) request_.values[i] = hex_pairs(request_.values[i]);
            Message_Request r{};
            r.protocol = request_.protocol.data();
            r.class_name = request_.class_name.data();
            r.community = request_.community.data();
            r.address = request_.address;
            r.group_address = request_.group_address;
            r.get = f == Builtin::sendGet;
            r.get_next = f == Builtin::sendGetNext;
            r.set = f == Builtin::sendSetDec || f == Builtin::sendSetAsc;
            r.type5 = f == Builtin::sendSetNoDec || f == Builtin::sendSetNoAsc;
            r.reserved = 1;
            r.object_count = request_.object_count;
            for (size_t i = 0; i < QV_MAX_OBJECTS; ++i) {
                r.object_names[i] = request_.names[i].data();
                r.values[i] = request_.values[i].data();
                r.value_types[i] = request_.value_types[i];
            }
            const int32_t id = engine_.send_data(r);
            if (id != -1) engine_.wait_for_outcome(id);
            return make_int(id);
        }
        case Builtin::checkProtocolMismatch:
        case Builtin::checkInvalidResponse:
        case Builtin::checkNoResponse:
        case Builtin::checkEncodingStyle:
        case Builtin::checkNoInstance:
        case Builtin::checkObjectMismatch:
        case Builtin::checkInvalidSequence:
        case Builtin::checkInvalidLength:
        case Builtin::checkScrambled:
        case Builtin::checkInvalidAddress:
        case Builtin::checkInvalidControl:
        case Builtin::checkInvalidCRC:
        case Builtin::checkInvalidIPI:
            a.need(1);
            return make_int((static_cast<uint32_t>(a.integer(0)) & flag_of(f)) != 0 ? 1 : 0);
        case Builtin::verdict: {
            a.need(2);
            const std::string name = a.text(0);
            const bool passed = a.integer(1) != 0;
            report_.verdicts.push_back({name, passed});
            say(macro_text::verdict_line(name, passed));
            return make();
        }
        case Builtin::setF:
        case Builtin::getF:
        case Builtin::send:
        case Builtin::check:
            return make();
    }
    return make();
}
