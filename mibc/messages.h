// Every text the MIB compiler writes to its error file, once.
#pragma once

namespace mibc::msg {

// The compile entry.
inline constexpr const char* kUnsuccessful = "Unsuccessful parsing\n";
inline constexpr const char* kParsedWithErrors = "\n*** %s parsed with %u error%s and %u warning%s\n";
inline constexpr const char* kParsedSuccessfully = "%s parsed successfully\n";

// Scanner.
inline constexpr const char* kNumberTooBig = "number too big, using value of one instead";
inline constexpr const char* kEofInComment = "EOF inside a comment";
inline constexpr const char* kEofInString = "EOF inside a string";
inline constexpr const char* kBadBinary = "bad binary string";
inline constexpr const char* kBadHex = "bad hex string";
inline constexpr const char* kNeedsBOrH = "string needs to be followed by 'B' or 'H'";
inline constexpr const char* kEolInString = "End of line inside string";
inline constexpr const char* kUnknownDirective = "unknown directive \"%s\"";
inline constexpr const char* kTokenTooBig = "Token too big";
inline constexpr const char* kUnrecoverable = "Unrecoveralble error - program terminating\n";
inline constexpr const char* kIncludeTooDeep = "Include file nested too deeply";
inline constexpr const char* kIncludeOpen = "Error opening Include file \"%s\"";

// Directives.
inline constexpr const char* kOptionStackFull = "Option stack already at max depth";
inline constexpr const char* kOptionStackEmpty = "Option stack empty";
inline constexpr const char* kUnknownOption = "unknown option '%c' in \"%s\"";
inline constexpr const char* kHelpText[] = {
    "Directives\n",
    "  #help -- print this list\n",
    "  #include \"<fileName>\" -- process include file\n",
    "  #aliasModule <module> <alias> -- alias a module\n",
    "  #aliasSymbol <module> <object> <alias> -- alias an object\n",
    "  #pushOpt -- push options\n",
    "  #popOpt -- pop options\n",
    "  #addOpt \"<options>\" -- add one or more options\n",
    "  #removeOpt \"<options>\" -- remove one or more options\n",
    "  #printOpt -- print options\n",
};
inline constexpr const char* kAliasNoModule = "module \"%s\" not defined - ignoring module alias";
inline constexpr const char* kAliasModuleUsed = "alias \"%s\" for module \"%s\" is already used - ignoring module alias";
inline constexpr const char* kSymAliasNoModule = "module \"%s\" not defined - ignoring symbol alias";
inline constexpr const char* kSymAliasNoItem = "Item \"%s\" not defined in module \"%s\" - ignoring symbol alias";
inline constexpr const char* kSymAliasImported = "Item \"%s\" from module \"%s\" is imported - ignoring symbol alias";
inline constexpr const char* kSymAliasSequence = "Item \"%s\" from module \"%s\" is a sequence - ignoring symbol alias";
inline constexpr const char* kSymAliasSmi = "Item \"%s\" from module \"%s\" is an SMI item - ignoring symbol alias";

// Grammar.
inline constexpr const char* kNoModule = "One or more MIB modules must be defined";
inline constexpr const char* kItemSkipped = "Start of MIB module or Compiler directives expected - item skipped";
inline constexpr const char* kIncludeName = "quoted file name expected for \"#include\" directive";
inline constexpr const char* kAliasModuleArgs = "Module name and alias name expected for \"#aliasModule\" directive";
inline constexpr const char* kAliasSymbolArgs =
    "Module name, object name, and its alias name expected for \"#aliasSymbol\" directive";
inline constexpr const char* kAddOptArgs = "Quoted option string expected for \"#addOpt\" directive";
inline constexpr const char* kRemoveOptArgs = "Quoted option string expected for \"#removeOpt\" directive";
inline constexpr const char* kNoDefinitions = "Module must contain definitions - terminating";
inline constexpr const char* kUnrecognizableItem = "Unrecognizable item in module - skipping to end";
inline constexpr const char* kHeaderSyntax =
    "Syntax for module header is\n  <moduleName> [<oidValue>] \"DEFINITIONS\" \"::=\" \"BEGIN\"";
inline constexpr const char* kMustUseIs = "Must use \"::=\"";
inline constexpr const char* kHeaderOidSyntax =
    "Syntax for <oidValue> is\n  \"{\" { {<name>[\"(\"<number>\")\"]} | <number> }...\"}\"";
inline constexpr const char* kImportsSyntax =
    "Syntax for IMPORTS is\n  \"IMPORTS\" {<itemList> \"FROM\" <moduleName>}... \";\"";
inline constexpr const char* kImportsSemicolon = "Missing semicolon at end of IMPORTs - terminating";
inline constexpr const char* kImportListSyntax =
    "Problem with IMPORT item list, syntax is\n  <item>[\",\" <item>]... \"FROM\" <moduleName>";
inline constexpr const char* kExtraCommaAfterModule = "Extra comma after module name";
inline constexpr const char* kMissingImportComma = "Missing comma between imported items";
inline constexpr const char* kImportsNotFirst = "IMPORTS must be at the very start of a module - terminating";
inline constexpr const char* kDirectiveInModule = "Compiler directives not allowed in module definition - terminating";
inline constexpr const char* kUnrecognizedDefinition = "Unrecognized definition type - item skipped";
inline constexpr const char* kSmiName = "Name of SMI item expected";
inline constexpr const char* kOidSyntax = "Syntax for OID is\n  <oidName> \"OBJECT\" \"IDENTIFIER\" \"::=\" <oidValid>";
inline constexpr const char* kOidValueSyntax = "Syntax for <oidValue> is\n  { <OIDname> <number> } | <number>";
inline constexpr const char* kOidValueShort = "Syntax for <oidValue> is  <oidName> <number>";
inline constexpr const char* kObjectTypeSyntax =
    "Syntax is\n  <objName> \"OBJECT-TYPE\" <syntax> <access> <status> <optDesc> <optRefer> <optIndex> "
    "<optDefval> \"::=\" <oidVal>";
inline constexpr const char* kMissingSyntax = "Missing SYNTAX clause";
inline constexpr const char* kSyntaxClause = "Problem with SYNTAX clause";
inline constexpr const char* kAccessClause = "Problem with ACCESS";
inline constexpr const char* kStatusClause = "Problem with STATUS";
inline constexpr const char* kUnknownAccess = "Unknown ACCESS type \"%s\"";
inline constexpr const char* kUnknownStatus = "Unknown STATUS type \"%s\"";
inline constexpr const char* kSeqTrailingComma = "Extra comma at end of sequence item list";
inline constexpr const char* kSeqListSyntax =
    "Problem with sequence item list, syntax is\n  <seqName> \"::=\" \"SEQUENCE\" \"{\" <seqItem> [\",\"<seqItem>]... \"}\"";
inline constexpr const char* kSeqSyntax = "Syntax is\n  <seqName> \"::=\" \"SEQUENCE\" \"{\" <seqItems> \"}\"";
inline constexpr const char* kSeqMissingComma = "Missing comma between sequence items";
inline constexpr const char* kExtraComma = "Extra comma";
inline constexpr const char* kSeqItemSyntax = "Problem with sequence item syntax";
inline constexpr const char* kTcSyntax = "Problem with textual convention, syntax is\n  <tcName> \"::=\" <simpleSyntax>";
inline constexpr const char* kTrapSyntax =
    "Syntax is\n  <trapName> \"TRAP-TYPE\" <enterprise> <optVars> <optDesc> <optRefer> \"::=\" <value>";
inline constexpr const char* kMissingEnterprise = "Missing ENTERPRISE clause";
inline constexpr const char* kEnterpriseSyntax = "Syntax is \"ENTERPRISE\" <oidName>";
inline constexpr const char* kVariablesSyntax = "Syntax is\n  \"VARIABLES\" \"{\" <variable> [\",\"<variable>]... \"}\"";
inline constexpr const char* kVarsTrailingComma = "Extra comma at end of trap variable list";
inline constexpr const char* kVarsMissingComma = "Missing comma between trap variables";
inline constexpr const char* kDescriptionSyntax = "Syntax is  \"DESCRIPTION\" <quotedString>";
inline constexpr const char* kReferenceSyntax = "Syntax is  \"REFERENCE\" <quotedString>";
inline constexpr const char* kSeqOfQualified = "A sequence name can not be qualified with a size or range";
inline constexpr const char* kSeqOfSyntax = "Syntax is \"SEQUENCE\" \"OF\" <sequenceName>";
inline constexpr const char* kEnumTrailingComma = "Extra comma at end of enumerated value list";
inline constexpr const char* kEnumListSyntax =
    "Problem with enumerated list, syntax is\n  <enumName>\"(\"<number>\")\" [\",\" <enumName>\"(\"<number>\")\"]...";
inline constexpr const char* kEnumMissingComma = "Missing comma between enumerated items";
inline constexpr const char* kEnumNegative = "Negative numbers are not valid enumerated values";
inline constexpr const char* kEnumNotNumber = "Enumerated value must be a number";
inline constexpr const char* kEnumValueSyntax = "Problem with enumerated value, syntax is\n  <enumName>\"(\"<number>\")\"";
inline constexpr const char* kEnumZero = "Value for enumerated item \"%s\" should not be zero";
inline constexpr const char* kIndexTrailingComma = "Extra comma at end of index item list";
inline constexpr const char* kIndexListSyntax =
    "Problem with index item list, syntax is\n  \"INDEX\" \"{\" <indexItem> [\",\"<indexItem>]... \"}\"";
inline constexpr const char* kIndexMissingComma = "Missing comma between index items";
inline constexpr const char* kNolengthOnly = "\"NOLENGTH\" qualifier is only valid with varying length OCTET STRINGs";
inline constexpr const char* kMissingDotDot = "Missing \"..\"";
inline constexpr const char* kMustUseDotDot = "Must use \"..\"";
inline constexpr const char* kDefvalValue = "Problem with value for DEFVAL clause";
inline constexpr const char* kDefvalSyntax = "Problem with DEFVAL clause, syntax is\n  \"DEFVAL\" \"{\" <value> \"}\"";
inline constexpr const char* kSizeSyntax =
    "Problem with size clause, syntax is\n  <syntaxType> \"(\" \"SIZE\" \"(\" <small> [\"..\" <large>] \")\" \")\"";
inline constexpr const char* kRangeSyntax = "Problem with range clause, syntax is\n  <syntaxType> \"(\" <low> \"..\" <high> \")\"";
inline constexpr const char* kOctetString = "Syntax name is \"OCTET\" \"STRING\"";
inline constexpr const char* kObjectIdentifier = "Syntax name is \"OBJECT\" \"IDENTIFER\"";
inline constexpr const char* kSyntaxError = "syntax error";
inline constexpr const char* kStackOverflow = "yacc stack overflow";
inline constexpr const char* kOutOfMemory = "out of memory";

// Parser trace (option X).
inline constexpr const char* kTraceState = "State %d, token ";
inline constexpr const char* kTraceReceived = "Received token ";
inline constexpr const char* kTracePops = "Error recovery pops state %d, uncovers state %d\n";
inline constexpr const char* kTraceDiscards = "Error recovery discards ";
inline constexpr const char* kTraceReduce = "Reduce by (%d) \"%s\"\n";

// Memory.
inline constexpr const char* kOutOfStringSpace = "allocStrSp: Out of string space";

// Modules and imports.
inline constexpr const char* kDuplicateModule = "duplicate definition of module \"%s\"";
inline constexpr const char* kModuleUppercase = "Name of Module \"%s\" must start with uppercase letter";
inline constexpr const char* kModuleOid = "Extraneous OID definition for module ignored";
inline constexpr const char* kModuleNotDefined = "module \"%s\" not defined";
inline constexpr const char* kImportSelf = "module \"%s\" can not be IMPORTed in itself";
inline constexpr const char* kImportNotInModule = "Item \"%s\" not defined in module \"%s\"";
inline constexpr const char* kSameAsImported =
    "Item \"%s\" from module \"%s\" has the same name as object IMPORTed from another module";
inline constexpr const char* kImportOfImport = "Item \"%s\" from module \"%s\" is imported";
inline constexpr const char* kImportOfSequence = "Item \"%s\" from module \"%s\" is a sequence";
inline constexpr const char* kImportedNotUsed = "\"%s\" imported but not used";
inline constexpr const char* kDuplicateImport = "duplicate name \"%s\" in IMPORTS";
inline constexpr const char* kNotSmiItem = "Item \"%s\" is not defined in SMI";
inline constexpr const char* kSmiAlreadyDefined = "Item \"%s\" is already defined";
inline constexpr const char* kInObjectType = "\"%s\" is defined in OBJECT-TYPE macro";
inline constexpr const char* kInTrapType = "\"%s\" is defined in TRAP-TYPE macro";
inline constexpr const char* kAlreadyInModule = "\"%s\" already defined in current module";
inline constexpr const char* kDefinedNotUsed = "\"%s\" defined but not used";

// OID registration.
inline constexpr const char* kDefinesItself = "OID \"%s\" can not be used to define itself\n";
inline constexpr const char* kComponentUndefined = "component \"%s\" is not defined";
inline constexpr const char* kComponentUndefinedHere = "component \"%s\" is not defined in the current module";
inline constexpr const char* kParentNotOid = "parent \"%s\" of \"%s\" must be OID object";
inline constexpr const char* kOtherParent = "\"%s\" already defined with parent \"%s\" and not \"%s\"";
inline constexpr const char* kOtherParentModule = "\"%s\" already defined with parent \"%s\" from module \"%s\" and not \"%s\"";
inline constexpr const char* kComponentRenumbered = "component \"%s\" already assigned value %lu, and can not be changed to %lu";
inline constexpr const char* kCircular = "\"%s\" is circular defined";
inline constexpr const char* kSameRegistration = "\"%s\" and \"%s\" have same registration value";
inline constexpr const char* kSameRegistrationFrom = "\"%s\" and \"%s\" from \"%s\" have same registration value";
inline constexpr const char* kSiblingSameName = "Item \"%s\" has sibling in OID tree from module \"%s\" with the same name";
inline constexpr const char* kReferencedUndefined = "\"%s\" referenced but not defined";
inline constexpr const char* kOidLowercase = "Name of OID object \"%s\" must start with lowercase letter";
inline constexpr const char* kOidUnderOid = "Object identifier \"%s\" should be registered under an object identifier";

// Tables.
inline constexpr const char* kTableUnderOid = "Table \"%s\" should be registered under an object identifier";
inline constexpr const char* kTableName = "Name of table \"%s\" should end with Table";
inline constexpr const char* kTableNoRow = "Table \"%s\" does not have a row defined";
inline constexpr const char* kTableAccess = "Table \"%s\" must have access of \"not-accessible\"";
inline constexpr const char* kTableStatus = "Table \"%s\" must have status of \"mandatory\", \"deprecated\", or \"obsolete\"";
inline constexpr const char* kTableIndex = "Table \"%s\" can have not INDEX items specified";
inline constexpr const char* kTableDefval = "Table \"%s\" can have not a DEFAULT value specified";

// Rows.
inline constexpr const char* kRowName = "Name of row \"%s\" should end with Entry";
inline constexpr const char* kRowNoTable = "Row \"%s\" does not have a containing table defined";
inline constexpr const char* kRowPrefix = "Table \"%s\" and Row \"%s\" should have same name prefix";
inline constexpr const char* kRowSequenceName = "Sequence \"%s\" and Row \"%s\" should have related names";
inline constexpr const char* kRowTableSequence = "Row \"%s\" and Table \"%s\" must use the same sequence";
inline constexpr const char* kRowSequenceUsed = "Row \"%s\" uses sequences \"%s\" which is already used by row \"%s\"";
inline constexpr const char* kRowAccess = "Row \"%s\" must have access of \"not-accessible\"";
inline constexpr const char* kRowStatus = "Row \"%s\" must have status of \"mandatory\", \"deprecated\", or \"obsolete\"";
inline constexpr const char* kRowNoIndex = "Row \"%s\" must have INDEX items specified";
inline constexpr const char* kRowDefval = "Row \"%s\" can have not a DEFAULT value specified";

// Index items.
inline constexpr const char* kRowNolengthOctets = "Row \"%s\" has index item NOLENGTH OCTET STRING which is not the last item";
inline constexpr const char* kRowNolengthOid = "Row \"%s\" has index item NOLENGTH OBJECT IDENTIFIER which is not the last item";
inline constexpr const char* kIndexNotObject = "Row \"%s\" has index item \"%s\" not defined as an object";
inline constexpr const char* kIndexNotInSequence = "Row \"%s\" has index item \"%s\" which is not defined in sequence";
inline constexpr const char* kIndexReadOnly = "Row \"%s\" has index item \"%s\" whose access must be \"read-only\"";
inline constexpr const char* kIndexDefval = "Row \"%s\" has index item \"%s\" which must not have a DEFAULT value";
inline constexpr const char* kIndexRange = "Row \"%s\" has index item \"%s\" which must have a non-negative range specified";
inline constexpr const char* kIndexSize = "Row \"%s\" has index item \"%s\" which must have a size specified";
inline constexpr const char* kIndexNolengthType =
    "Row \"%s\" has index item \"%s\" with NOLENGTH specified, but is not OCTET STRING or OBJECT IDENTIFIER";
inline constexpr const char* kIndexNolengthLast = "Row \"%s\" has index item \"%s\" which NOLENGTH specifed which is not last item";
inline constexpr const char* kDuplicateIndex = "duplicate name \"%s\" in INDEX list";
inline constexpr const char* kIndexType = "\"%s\" is not valid type for index item";
inline constexpr const char* kNolengthIgnored = "Invalid NOLENGTH qualifier for \"%s\" ignored";
inline constexpr const char* kIndexRangeOrder = "Invalid range given, low %lu greater than high %lu";
inline constexpr const char* kIndexSizeOrder = "Invalid size given, low %lu greater than high %lu";

// Leaves.
inline constexpr const char* kLeafSyntax = "Object \"%s\" has invalid syntax";
inline constexpr const char* kLeafRegistration = "Object \"%s\" must be registered under a row or an object identifier";
inline constexpr const char* kLeafNotInSequence = "Object \"%s\" is not in sequence for Row \"%s\"";
inline constexpr const char* kShouldHaveSize = "\"%s\" should have SIZE specified";
inline constexpr const char* kShouldHaveRange = "\"%s\" should have range specified";
inline constexpr const char* kLeafAccess = "\"%s\" must have access of \"read-only\" or \"read-write\"";
inline constexpr const char* kLeafStatus = "\"%s\" must have status of \"mandatory\", \"deprecated\", or \"obsolete\"";
inline constexpr const char* kLeafIndex = "\"%s\" can not have INDEX items specified";
inline constexpr const char* kLeafIndexInSequence = "\"%s\" can not have INDEX items specified and be in a sequence";
inline constexpr const char* kLeafIndexObject = "\"%s\" has index item \"%s\" which is an object and not a syntax type";
inline constexpr const char* kLeafNolengthOctets = "\"%s\" has index item NOLENGTH OCTET STRING which is not the last item";
inline constexpr const char* kLeafNolengthOid = "\"%s\" has index item NOLENGTH OBJECT IDENTIFIER which is not the last item";

// Default values.
inline constexpr const char* kDefvalType = "\"%s\" has invalid type for default value";
inline constexpr const char* kDefvalInvalid = "\"%s\" has invalid default value";
inline constexpr const char* kDefvalNotOid = "\"%s\" doesn't name OID object in current module";
inline constexpr const char* kDefvalGratuitous = "\"%s\" has gratuitous default value";
inline constexpr const char* kDefvalShouldNot = "\"%s\" should not have a default value specified";
inline constexpr const char* kDefvalMustNot = "\"%s\" must not have default value specified";

// Syntaxes, sizes and ranges.
inline constexpr const char* kSyntaxUnknown = "Syntax \"%s\" not known in current module";
inline constexpr const char* kObjectAsSyntax = "Object \"%s\" specified where a syntax should be";
inline constexpr const char* kNotSequenceName = "Object \"%s\" should be the name of a sequence";
inline constexpr const char* kSizeOnSequence = "size/range must not be specified with sequence \"%s\"";
inline constexpr const char* kSizeOnSizedTc = "size/range can not be specified since \"%s\" already has this specified";
inline constexpr const char* kOctetNeedsSize = "An OCTET STRING must have SIZE, not range specified";
inline constexpr const char* kIntegerNeedsRange = "An INTEGER must have range, not SIZE specified";
inline constexpr const char* kOpaqueNeedsSize = "An Opaque must have SIZE, not range specified";
inline constexpr const char* kNoSizeAllowed = "Given syntax type may not have SIZE or range specified";
inline constexpr const char* kSizeOrder = "Invalid size values specifed, smallest greater than largest";
inline constexpr const char* kSizeZero = "Invalid size values specifed, both sizes cannot tbe zero";
inline constexpr const char* kRangeOrder = "Invalid range values specified, smallest greater than largest";
inline constexpr const char* kEmptyBinary = "size/range should not be expressed as zero length binary string";
inline constexpr const char* kEmptyHex = "size/range should not be expressed as zero length hex string";
inline constexpr const char* kLongBinary = "Binary value for size/range is too long";
inline constexpr const char* kLongHex = "Hex value for size/range is too long";

// Sequences.
inline constexpr const char* kSequenceUppercase = "Name of sequence \"%s\" must start with uppercase letter";
inline constexpr const char* kSequenceUndefined = "Sequence \"%s\" referenced but not defined";
inline constexpr const char* kSequenceUnreferenced = "Sequence \"%s\" defined but not referenced";
inline constexpr const char* kSequenceNoRow = "Sequence \"%s\" not used to define a row";
inline constexpr const char* kMemberNotObject = "Item \"%s\" in sequence \"%s\" is not an object";
inline constexpr const char* kMemberNotColumn = "Item \"%s\" in sequence \"%s\" is not a column for a row of a table";
inline constexpr const char* kMemberSyntax = "Item \"%s\" in sequence \"%s\" has conflicting syntax specified";
inline constexpr const char* kMemberSize = "Item \"%s\" in sequence \"%s\" has incompatible size specified";
inline constexpr const char* kMemberRange = "Item \"%s\" in sequence \"%s\" has incompatible range specified";
inline constexpr const char* kMemberGratuitousSize = "Item \"%s\" in sequence \"%s\" has gratuitous size specified";
inline constexpr const char* kMemberGratuitousRange = "Item \"%s\" in sequence \"%s\" has gratuitous range specified";
inline constexpr const char* kMemberOtherRow =
    "Sequence \"%s\" for row \"%s\" contains item \"%s\" defined in row \"%s\" where indexes don't match";
inline constexpr const char* kMemberOtherSequence =
    "Sequence \"%s\" for row \"%s\" contains item \"%s\" used in sequence \"%s\" where indexes don't match";
inline constexpr const char* kMemberType = "\"%s\" is not valid type for sequence member";
inline constexpr const char* kDuplicateMember = "duplicate name \"%s\" in SEQUENCE";

// Textual conventions and enumerations.
inline constexpr const char* kTcUppercase = "Name of Textual Convention \"%s\" must start with uppercase letter";
inline constexpr const char* kDuplicateEnumName = "duplicate name \"%s\" in ENUMERATION";
inline constexpr const char* kDuplicateEnumValue = "duplicate value of %lu for \"%s\" and \"%s\" in ENUMERATION";
inline constexpr const char* kEnumLowercase = "Name of enumerated value \"%s\" must start with a lowercase letter";

// Traps.
inline constexpr const char* kTrapLowercase = "Name of trap \"%s\" must start with lowercase letter";
inline constexpr const char* kTrapEnterprise = "\"%s\" is not valid type for enterprise of trap";
inline constexpr const char* kTrapDefined = "Trap \"%s\" has already been defined";
inline constexpr const char* kTrapDefinedValue = "Trap \"%s\" has already been defined, but with value %lu";
inline constexpr const char* kTrapDuplicateValue = "Traps \"%s\" and \"%s\" have duplicate values";
inline constexpr const char* kTrapVarNotObject = "Variable \"%s\" in trap \"%s\" is not an object";
inline constexpr const char* kTrapVarType = "\"%s\" is not valid type for trap variable";
inline constexpr const char* kDuplicateTrapVar = "duplicate name \"%s\" in VARIABLES list";

// Output.
inline constexpr const char* kNestedTooDeep = "***OIDs nested too deep***\n";

}  // namespace mibc::msg
