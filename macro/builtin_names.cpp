#include "macro/builtin_names.h"

#include <array>

namespace {

constexpr std::array<std::string_view, static_cast<size_t>(Builtin::verdict) + 1> kNames = {
    "outfile", "out", "infile", "inuser", "invar", "randomInt", "randomFloat", "sleep", "getError", "intToFloat",
    "intToString", "stringToInt", "floatToString", "floor", "ceiling", "compare", "copy", "concat", "beep",
    "getResponseValue", "calcCRC", "getNodeInfo", "getNodeObjects", "getInstance", "getNextInstance",
    "getNodeName", "getNodeSyntax", "getNodeAccess", "getNodeStatus", "getNodeDescription", "getNodeOID",
    "getNodeValue", "getNodeMin", "getNodeMax", "getNodeTimestamp", "setNodeAsn1Syntax", "clearErrorState",
    "setF", "setField_pdu", "setField_classtype", "setField_community", "setField_AddressDrop",
    "setField_GroupAddress", "setField_SizeOfTheArray", "setField_arraylist", "setField_valuelist",
    "setField_asn1syntax", "getF", "getField_pdu", "getField_classtype", "getField_community",
    "getField_AddressDrop", "getField_GroupAddress", "getField_SizeOfTheArray", "getField_arraylist",
    "getField_valuelist", "getField_asn1syntax", "send", "sendGet", "sendGetNext", "sendSetDec",
    "sendSetNoDec", "sendSetAsc", "sendSetNoAsc", "check", "checkProtocolMismatch", "checkInvalidResponse",
    "checkNoResponse", "checkEncodingStyle", "checkNoInstance", "checkObjectMismatch", "checkInvalidSequence",
    "checkInvalidLength", "checkScrambled", "checkInvalidAddress", "checkInvalidControl", "checkInvalidCRC",
    "checkInvalidIPI", "verdict",
};

}  // namespace

std::optional<Builtin> builtin_named(std::string_view word) {
    for (size_t i = 0; i < kNames.size(); ++i)
        if (kNames[i] == word) return static_cast<Builtin>(i);
    return std::nullopt;
}

std::string_view builtin_name(Builtin function) { return kNames[static_cast<size_t>(function)]; }

bool is_reference_argument(Builtin function, size_t position) {
    switch (function) {
        case Builtin::copy:
        case Builtin::concat:
        case Builtin::invar:
            return position == 0;
        case Builtin::getError:
            return position == 0 || position == 2 || position == 3;
        case Builtin::getResponseValue:
            return position == 1;
        default:
            return false;
    }
}
