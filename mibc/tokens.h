// The tokens of the MIB grammar, with the numbers and names that the parser
// trace prints. The bison grammar declares the same numbers; mib_grammar.y
// checks that they agree.
#pragma once

#include <cstdint>
#include <string_view>

namespace mibc {

enum class Token : int {
    end_of_input = 0,
    dirADDOPT = 257,
    dirALIASMODULE,
    dirALIASSYMBOL,
    dirHELP,
    dirINCLUDE,
    dirPOPOPT,
    dirPRINTOPT,
    dirPUSHOPT,
    dirREMOVEOPT,
    kwACCESS,
    kwBEGIN,
    kwCOUNTER,
    kwDEFINITIONS,
    kwDEFVAL,
    kwDEPRECATED,
    kwDESCRIPTION,
    kwEND,
    kwENTERPRISE,
    kwFROM,
    kwGAUGE,
    kwIDENTIFIER,
    kwIMPLIED,
    kwIMPORTS,
    kwINDEX,
    kwINTEGER,
    kwIPADDRESS,
    kwMANDATORY,
    kwNETWORKADDRESS,
    kwNOLENGTH,
    kwNOT_ACCESSIBLE,
    kwNULL,
    kwOBJECT,
    kwOBJECT_TYPE,
    kwOBSOLETE,
    kwOCTET,
    kwOF,
    kwOPAQUE,
    kwOPTIONAL,
    kwREAD_ONLY,
    kwREAD_WRITE,
    kwREFERENCE,
    kwSEQUENCE,
    kwSIZE,
    kwSMI,
    kwSTATUS,
    kwSTRING,
    kwSYNTAX,
    kwTIMETICKS,
    kwTRAP_TYPE,
    kwVARIABLES,
    kwWRITE_ONLY,
    chLCB,
    chRCB,
    chLPR,
    chRPR,
    chSEMI,
    chCOMMA,
    chMINUS,
    chDOT,
    chOTHER,
    tokDOTDOT,
    tokBADDOTDOT,
    tokIS,
    tokBADIS,
    tokBADSTR,
    tokNAME,
    tokSTRING,
    tokNUMBER,
    tokBSTR,
    tokHSTR,
    tokIP,
};

static_assert(static_cast<int>(Token::kwACCESS) == 266);
static_assert(static_cast<int>(Token::chLCB) == 308);
static_assert(static_cast<int>(Token::tokIP) == 327);

// The name the trace prints for a token ("end of input" for 0).
std::string_view token_name(Token token);

// One keyword: its text in the MIB and its token.
struct Keyword {
    std::string_view text;
    Token token;
};

// The keywords, sorted by byte value.
inline constexpr Keyword kKeywords[] = {
    {"ACCESS", Token::kwACCESS},
    {"BEGIN", Token::kwBEGIN},
    {"Counter", Token::kwCOUNTER},
    {"DEFINITIONS", Token::kwDEFINITIONS},
    {"DEFVAL", Token::kwDEFVAL},
    {"DESCRIPTION", Token::kwDESCRIPTION},
    {"END", Token::kwEND},
    {"ENTERPRISE", Token::kwENTERPRISE},
    {"FROM", Token::kwFROM},
    {"Gauge", Token::kwGAUGE},
    {"IDENTIFIER", Token::kwIDENTIFIER},
    {"IMPLIED", Token::kwIMPLIED},
    {"IMPORTS", Token::kwIMPORTS},
    {"INDEX", Token::kwINDEX},
    {"INTEGER", Token::kwINTEGER},
    {"IpAddress", Token::kwIPADDRESS},
    {"NOLENGTH", Token::kwNOLENGTH},
    {"NULL", Token::kwNULL},
    {"NetworkAddress", Token::kwNETWORKADDRESS},
    {"OBJECT", Token::kwOBJECT},
    {"OBJECT-TYPE", Token::kwOBJECT_TYPE},
    {"OCTET", Token::kwOCTET},
    {"OF", Token::kwOF},
    {"Opaque", Token::kwOPAQUE},
    {"REFERENCE", Token::kwREFERENCE},
    {"SEQUENCE", Token::kwSEQUENCE},
    {"SIZE", Token::kwSIZE},
    {"SMI", Token::kwSMI},
    {"STATUS", Token::kwSTATUS},
    {"STRING", Token::kwSTRING},
    {"SYNTAX", Token::kwSYNTAX},
    {"TRAP-TYPE", Token::kwTRAP_TYPE},
    {"TimeTicks", Token::kwTIMETICKS},
    {"VARIABLES", Token::kwVARIABLES},
    {"deprecated", Token::kwDEPRECATED},
    {"mandatory", Token::kwMANDATORY},
    {"not-accessible", Token::kwNOT_ACCESSIBLE},
    {"obsolete", Token::kwOBSOLETE},
    {"optional", Token::kwOPTIONAL},
    {"read-only", Token::kwREAD_ONLY},
    {"read-write", Token::kwREAD_WRITE},
    {"write-only", Token::kwWRITE_ONLY},
};

// The directives that follow "#".
inline constexpr Keyword kDirectives[] = {
    {"include", Token::dirINCLUDE},     {"aliasModule", Token::dirALIASMODULE}, {"aliasSymbol", Token::dirALIASSYMBOL},
    {"popOpt", Token::dirPOPOPT},       {"pushOpt", Token::dirPUSHOPT},         {"addOpt", Token::dirADDOPT},
    {"removeOpt", Token::dirREMOVEOPT}, {"printOpt", Token::dirPRINTOPT},       {"help", Token::dirHELP},
};

}  // namespace mibc
