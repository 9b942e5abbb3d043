// The function names a script may call, in the order the parser knows them.
// The last one, verdict, records a named check of the script as passed or
// failed for the test report.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

enum class Builtin : uint8_t {
    outfile, out, infile, inuser, invar, randomInt, randomFloat, sleep, getError, intToFloat, intToString,
    stringToInt, floatToString, floor, ceiling, compare, copy, concat, beep, getResponseValue, calcCRC,
    getNodeInfo, getNodeObjects, getInstance, getNextInstance, getNodeName, getNodeSyntax, getNodeAccess,
    getNodeStatus, getNodeDescription, getNodeOID, getNodeValue, getNodeMin, getNodeMax, getNodeTimestamp,
    setNodeAsn1Syntax, clearErrorState, setF, setField_pdu, setField_classtype, setField_community,
    setField_AddressDrop, setField_GroupAddress, setField_SizeOfTheArray, setField_arraylist,
    setField_valuelist, setField_asn1syntax, getF, getField_pdu, getField_classtype, getField_community,
    getField_AddressDrop, getField_GroupAddress, getField_SizeOfTheArray, getField_arraylist,
    getField_valuelist, getField_asn1syntax, send, sendGet, sendGetNext, sendSetDec, sendSetNoDec, sendSetAsc,
    sendSetNoAsc, check, checkProtocolMismatch, checkInvalidResponse, checkNoResponse, checkEncodingStyle,
    checkNoInstance, checkObjectMismatch, checkInvalidSequence, checkInvalidLength, checkScrambled,
    checkInvalidAddress, checkInvalidControl, checkInvalidCRC, checkInvalidIPI, verdict,
};

std::optional<Builtin> builtin_named(std::string_view word);
std::string_view builtin_name(Builtin function);

// Whether argument `position` (from 0) is passed as a variable rather than a value.
bool is_reference_argument(Builtin function, size_t position);
