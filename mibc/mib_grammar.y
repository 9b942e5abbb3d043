/* The MIB grammar: SNMPv1 SMI modules with the compiler's directives, as an
 * LALR(1) parser. The error productions report what is wrong with a
 * definition and let the parse go on with the next one. */

%define api.pure full
%define api.value.type {mibc::Parse_Value}
%define parse.trace
// After an error production, tokens that cannot follow it are discarded
// rather than taken as the start of the next item.
%define lr.default-reduction accepting
%param {mibc::Compile_Context& ctx}

%code requires {
#include "mibc/compile_context.h"
}

%code {
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <mutex>

#include "mibc/grammar.h"
#include "mibc/messages.h"

namespace {
int yylex(YYSTYPE* value, mibc::Compile_Context& ctx);
void yyerror(mibc::Compile_Context& ctx, const char* text);
}

// The trace of option X is written from bison's own trace calls.
void mibc_parser_trace(FILE* stream, const char* format, ...);
#define YYFPRINTF mibc_parser_trace

// No parse can need a deeper stack than this; a deeper one is reported.
#define YYMAXDEPTH 10000
}

%token dirADDOPT 257 dirALIASMODULE 258 dirALIASSYMBOL 259 dirHELP 260 dirINCLUDE 261
%token dirPOPOPT 262 dirPRINTOPT 263 dirPUSHOPT 264 dirREMOVEOPT 265
%token kwACCESS 266 kwBEGIN 267 kwCOUNTER 268 kwDEFINITIONS 269 kwDEFVAL 270 kwDEPRECATED 271
%token kwDESCRIPTION 272 kwEND 273 kwENTERPRISE 274 kwFROM 275 kwGAUGE 276 kwIDENTIFIER 277
%token kwIMPLIED 278 kwIMPORTS 279 kwINDEX 280 kwINTEGER 281 kwIPADDRESS 282 kwMANDATORY 283
%token kwNETWORKADDRESS 284 kwNOLENGTH 285 kwNOT_ACCESSIBLE 286 kwNULL 287 kwOBJECT 288
%token kwOBJECT_TYPE 289 kwOBSOLETE 290 kwOCTET 291 kwOF 292 kwOPAQUE 293 kwOPTIONAL 294
%token kwREAD_ONLY 295 kwREAD_WRITE 296 kwREFERENCE 297 kwSEQUENCE 298 kwSIZE 299 kwSMI 300
%token kwSTATUS 301 kwSTRING 302 kwSYNTAX 303 kwTIMETICKS 304 kwTRAP_TYPE 305 kwVARIABLES 306
%token kwWRITE_ONLY 307 chLCB 308 chRCB 309 chLPR 310 chRPR 311 chSEMI 312 chCOMMA 313
%token chMINUS 314 chDOT 315 chOTHER 316 tokDOTDOT 317 tokBADDOTDOT 318 tokIS 319 tokBADIS 320
%token tokBADSTR 321 tokNAME 322 tokSTRING 323 tokNUMBER 324 tokBSTR 325 tokHSTR 326 tokIP 327

%expect 2

%%

mibDef
    : %empty
    | mibItems
    ;

mibItems
    : mibItem
    | mibItems mibItem
    ;

mibItem
    : module { ctx.skipping = false; }
    | directive { ctx.skipping = false; }
    | error { if (!ctx.skipping) ctx.error(mibc::msg::kItemSkipped); ctx.skipping = true; }
    ;

directive
    : dirINCLUDE tokSTRING  /* the scanner has opened the file */
    | dirINCLUDE badArgument { ctx.error(mibc::msg::kIncludeName); }
    | dirINCLUDE error { ctx.error(mibc::msg::kIncludeName); }
    | dirHELP { ctx.help(); }
    | dirALIASMODULE tokNAME tokNAME { ctx.alias_module($2.text, $3.text); }
    | dirALIASMODULE error { ctx.error(mibc::msg::kAliasModuleArgs); }
    | dirALIASSYMBOL tokNAME tokNAME tokNAME { ctx.alias_symbol($2.text, $3.text, $4.text); }
    | dirALIASSYMBOL tokNAME smiKeyword tokNAME { ctx.alias_symbol($2.text, $3.text, $4.text); }
    | dirALIASSYMBOL error { ctx.error(mibc::msg::kAliasSymbolArgs); }
    | dirPUSHOPT { ctx.push_options(); }
    | dirPOPOPT { ctx.pop_options(); }
    | dirPRINTOPT { ctx.print_options(); }
    | dirADDOPT tokSTRING { ctx.add_options($2.text, true); }
    | dirADDOPT badArgument { ctx.error(mibc::msg::kAddOptArgs); }
    | dirADDOPT error { ctx.error(mibc::msg::kAddOptArgs); }
    | dirREMOVEOPT tokSTRING { ctx.add_options($2.text, false); }
    | dirREMOVEOPT badArgument { ctx.error(mibc::msg::kRemoveOptArgs); }
    | dirREMOVEOPT error { ctx.error(mibc::msg::kRemoveOptArgs); }
    ;

badArgument
    : tokNAME
    | tokNUMBER
    ;

module
    : moduleHeader moduleRest
    /* A token right after BEGIN that starts neither IMPORTS nor a definition
       is found before the header is reduced; without this the recovery would
       search for another BEGIN and give the whole input up. */
    | tokNAME optModuleOid kwDEFINITIONS isToken kwBEGIN error kwEND
        {
            ctx.begin_module($1.text, $1.at, $2.number != 0);
            ctx.error(mibc::msg::kUnrecognizableItem);
            ctx.end_module();
        }
    ;

moduleHeader
    : tokNAME optModuleOid kwDEFINITIONS isToken kwBEGIN { ctx.begin_module($1.text, $1.at, $2.number != 0); }
    | tokNAME error kwBEGIN { ctx.error(mibc::msg::kHeaderSyntax); ctx.begin_module($1.text, $1.at, false); }
    ;

optModuleOid
    : %empty { $$.number = 0; }
    | chLCB headerOid chRCB { $$.number = 1; }
    | chLCB error chRCB { ctx.error(mibc::msg::kHeaderOidSyntax); $$.number = 0; }
    ;

headerOid
    : headerOidItem
    | headerOid headerOidItem
    ;

headerOidItem
    : tokNAME
    | tokNAME chLPR tokNUMBER chRPR
    | tokNUMBER
    ;

isToken
    : tokIS
    | tokBADIS { ctx.error(mibc::msg::kMustUseIs); }
    ;

moduleRest
    : optImports definitions kwEND { ctx.end_module(); }
    | optImports kwEND { ctx.error(mibc::msg::kNoDefinitions); ctx.end_module(); ctx.terminated = true; YYACCEPT; }
    | optImports definitions error kwEND { ctx.error(mibc::msg::kUnrecognizableItem); ctx.end_module(); }
    | optImports error kwEND { ctx.error(mibc::msg::kUnrecognizableItem); ctx.end_module(); }
    ;

optImports
    : %empty
    | kwIMPORTS importGroups chSEMI
    | kwIMPORTS importGroups error
        { ctx.error(mibc::msg::kImportsSemicolon); ctx.end_module(); ctx.terminated = true; YYACCEPT; }
    | kwIMPORTS error chSEMI { ctx.error(mibc::msg::kImportsSyntax); ctx.pending_imports.clear(); }
    ;

importGroups
    : importGroup
    | importGroups importGroup
    ;

importGroup
    : importItems kwFROM tokNAME { ctx.import_group($3.text, $3.at); }
    | importItems kwFROM tokNAME chCOMMA { ctx.import_group($3.text, $3.at); ctx.error(mibc::msg::kExtraCommaAfterModule); }
    | error kwFROM tokNAME { ctx.error(mibc::msg::kImportListSyntax); ctx.pending_imports.clear(); }
    ;

importItems
    : importItem
    | importItems chCOMMA importItem
    | importItems importItem { ctx.error(mibc::msg::kMissingImportComma); }
    ;

importItem
    : tokNAME { ctx.pending_imports.emplace_back($1.text, $1.at); }
    | smiKeyword { ctx.pending_imports.emplace_back($1.text, $1.at); }
    ;

smiKeyword
    : kwCOUNTER | kwGAUGE | kwIPADDRESS | kwNETWORKADDRESS | kwOPAQUE | kwTIMETICKS | kwOBJECT_TYPE | kwTRAP_TYPE
    ;

definitions
    : definition
    | definitions definition
    | definitions kwIMPORTS { ctx.error(mibc::msg::kImportsNotFirst); ctx.end_module(); ctx.terminated = true; YYACCEPT; }
    ;

definition
    : goodDefinition { ctx.skipping = false; ctx.release_syntaxes(); }
    | directiveToken { ctx.error(mibc::msg::kDirectiveInModule); ctx.end_module(); ctx.terminated = true; YYACCEPT; }
    /* the quoted argument is looked at before the directive alone is reduced */
    | directiveToken tokSTRING { ctx.error(mibc::msg::kDirectiveInModule); ctx.end_module(); ctx.terminated = true; YYACCEPT; }
    | tokNAME error { if (!ctx.skipping) ctx.error(mibc::msg::kUnrecognizedDefinition); ctx.skipping = true; ctx.release_syntaxes(); }
    ;

goodDefinition
    : smiDefinition
    | oidDefinition
    | objectTypeDefinition
    | sequenceDefinition
    | trapDefinition
    | conventionDefinition
    ;

directiveToken
    : dirADDOPT | dirALIASMODULE | dirALIASSYMBOL | dirHELP | dirINCLUDE | dirPOPOPT | dirPRINTOPT | dirPUSHOPT
    | dirREMOVEOPT
    ;

smiDefinition
    : kwSMI tokNAME { ctx.smi_item($2.text, $2.at); }
    | kwSMI smiKeyword { ctx.smi_item($2.text, $2.at); }
    | kwSMI error { ctx.error(mibc::msg::kSmiName); }
    ;

oidDefinition
    : tokNAME kwOBJECT kwIDENTIFIER isToken oidValue { ctx.oid_item($1.text, $1.at, $5.text, $5.number); }
    | tokNAME kwOBJECT kwIDENTIFIER error { ctx.error(mibc::msg::kOidSyntax); }
    ;

oidValue
    : chLCB tokNAME tokNUMBER chRCB { $$.text = $2.text; $$.number = $3.number; }
    | chLCB tokNUMBER chRCB { $$.text = {}; $$.number = $2.number; }
    // No closing brace here: a stray token after a good value must not make
    // the parser look for one through the rest of the input.
    | chLCB error { ctx.error(mibc::msg::kOidValueSyntax); $$.text = {}; $$.number = 0; $$.status = mibc::Status::bad; }
    ;

objectTypeDefinition
    : tokNAME kwOBJECT_TYPE syntaxClause accessClause statusClause optDescription optReference optIndex optDefval
      isToken objectOid
        {
            if ($11.status != mibc::Status::bad)
                ctx.object_type($1.text, $1.at, ctx.syn($3), $4.access, $5.status, $11.text, $11.number);
            ctx.pending_index.clear();
            ctx.pending_default = {};
            ctx.pending_has_index = false;
        }
    | tokNAME kwOBJECT_TYPE error
        {
            ctx.error(mibc::msg::kObjectTypeSyntax);
            ctx.pending_index.clear();
            ctx.pending_default = {};
            ctx.pending_has_index = false;
        }
    ;

objectOid
    : chLCB tokNAME tokNUMBER chRCB { $$.text = $2.text; $$.number = $3.number; $$.status = mibc::Status::mandatory; }
    | chLCB error { ctx.error(mibc::msg::kOidValueShort); $$.status = mibc::Status::bad; }
    ;

syntaxClause
    : kwSYNTAX syntax { $$.syntax = $2.syntax; }
    | %empty { ctx.error(mibc::msg::kMissingSyntax); ctx.fresh($$); ctx.syn($$).kind = mibc::Syntax_Kind::bad; }
    | kwSYNTAX error { ctx.error(mibc::msg::kSyntaxClause); ctx.fresh($$); ctx.syn($$).kind = mibc::Syntax_Kind::bad; }
    ;

accessClause
    : kwACCESS access { $$.access = $2.access; }
    | kwACCESS error { ctx.error(mibc::msg::kAccessClause); $$.access = mibc::Access::bad; }
    ;

access
    : kwREAD_ONLY { $$.access = mibc::Access::read_only; }
    | kwREAD_WRITE { $$.access = mibc::Access::read_write; }
    | kwWRITE_ONLY { $$.access = mibc::Access::write_only; }
    | kwNOT_ACCESSIBLE { $$.access = mibc::Access::not_accessible; }
    | tokNAME { ctx.error(mibc::format(mibc::msg::kUnknownAccess, std::string($1.text).c_str())); $$.access = mibc::Access::bad; }
    ;

statusClause
    : kwSTATUS status { $$.status = $2.status; }
    | kwSTATUS error { ctx.error(mibc::msg::kStatusClause); $$.status = mibc::Status::bad; }
    ;

status
    : kwMANDATORY { $$.status = mibc::Status::mandatory; }
    | kwOPTIONAL { $$.status = mibc::Status::optional; }
    | kwDEPRECATED { $$.status = mibc::Status::deprecated; }
    | kwOBSOLETE { $$.status = mibc::Status::obsolete; }
    | tokNAME { ctx.error(mibc::format(mibc::msg::kUnknownStatus, std::string($1.text).c_str())); $$.status = mibc::Status::bad; }
    ;

optDescription
    : %empty
    | kwDESCRIPTION tokSTRING
    | kwDESCRIPTION error { ctx.error(mibc::msg::kDescriptionSyntax); }
    ;

optReference
    : %empty
    | kwREFERENCE tokSTRING
    | kwREFERENCE error { ctx.error(mibc::msg::kReferenceSyntax); }
    ;

optIndex
    : %empty
    | kwINDEX chLCB indexItems chRCB { ctx.pending_has_index = true; }
    | kwINDEX chLCB indexItems chCOMMA chRCB { ctx.error(mibc::msg::kIndexTrailingComma); ctx.pending_has_index = true; }
    | kwINDEX error { ctx.error(mibc::msg::kIndexListSyntax); ctx.pending_index.clear(); ctx.pending_has_index = true; }
    ;

indexItems
    : indexItem
    | indexItems chCOMMA indexItem
    | indexItems indexItem { ctx.error(mibc::msg::kIndexMissingComma); }
    ;

indexItem
    : tokNAME { ctx.pending_index.push_back(mibc::Index_Item{mibc::Index_Kind::name, $1.text, false, {}, $1.at}); }
    | noLength tokNAME { ctx.pending_index.push_back(mibc::Index_Item{mibc::Index_Kind::name, $2.text, true, {}, $2.at}); }
    | indexType { ctx.pending_index.push_back(mibc::Index_Item{static_cast<mibc::Index_Kind>($1.number), $1.text, false, ctx.syn($1), $1.at}); }
    | noLength indexType
        {
            const auto kind = static_cast<mibc::Index_Kind>($2.number);
            const bool varying = kind == mibc::Index_Kind::octet_string || kind == mibc::Index_Kind::object_identifier;
            if (!varying) ctx.error(mibc::msg::kNolengthOnly);
            ctx.pending_index.push_back(mibc::Index_Item{kind, $2.text, varying, ctx.syn($2), $2.at});
        }
    ;

noLength
    : kwNOLENGTH
    | kwIMPLIED
    ;

indexType
    : kwINTEGER optSizeRange
        { $$.syntax = $2.syntax; ctx.syn($$).kind = mibc::Syntax_Kind::integer; $$.text = "INTEGER"; $$.at = $1.at; $$.number = static_cast<uint32_t>(mibc::Index_Kind::integer); }
    | kwOCTET kwSTRING optSizeRange
        { $$.syntax = $3.syntax; ctx.syn($$).kind = mibc::Syntax_Kind::octet_string; $$.text = "OCTET STRING"; $$.at = $1.at; $$.number = static_cast<uint32_t>(mibc::Index_Kind::octet_string); }
    | kwOBJECT kwIDENTIFIER
        { ctx.fresh($$); ctx.syn($$).kind = mibc::Syntax_Kind::object_identifier; $$.text = "OBJECT IDENTIFIER"; $$.at = $1.at; $$.number = static_cast<uint32_t>(mibc::Index_Kind::object_identifier); }
    | kwNETWORKADDRESS
        { ctx.fresh($$); ctx.syn($$).kind = mibc::Syntax_Kind::network_address; $$.text = "NetworkAddress"; $$.at = $1.at; $$.number = static_cast<uint32_t>(mibc::Index_Kind::network_address); }
    | kwIPADDRESS
        { ctx.fresh($$); ctx.syn($$).kind = mibc::Syntax_Kind::ip_address; $$.text = "IpAddress"; $$.at = $1.at; $$.number = static_cast<uint32_t>(mibc::Index_Kind::ip_address); }
    ;

optDefval
    : %empty
    | kwDEFVAL chLCB defaultValue chRCB
    | kwDEFVAL chLCB error chRCB { ctx.error(mibc::msg::kDefvalValue); ctx.pending_default = {}; }
    | kwDEFVAL error { ctx.error(mibc::msg::kDefvalSyntax); ctx.pending_default = {}; }
    ;

defaultValue
    : tokSTRING { ctx.pending_default = {mibc::Value_Kind::text, $1.text, 0, $1.at}; }
    | tokBSTR { ctx.pending_default = {mibc::Value_Kind::binary, $1.text, 0, $1.at}; }
    | tokHSTR { ctx.pending_default = {mibc::Value_Kind::hex, $1.text, 0, $1.at}; }
    | tokNUMBER { ctx.pending_default = {mibc::Value_Kind::number, {}, $1.number, $1.at}; }
    | chMINUS tokNUMBER { ctx.pending_default = {mibc::Value_Kind::negative_number, {}, $2.number, $1.at}; }
    | tokNAME { ctx.pending_default = {mibc::Value_Kind::name, $1.text, 0, $1.at}; }
    | chLCB oidComponents chRCB { ctx.pending_default = {mibc::Value_Kind::oid, {}, 0, $1.at}; }
    | tokIP { ctx.pending_default = {mibc::Value_Kind::ip_address, $1.text, 0, $1.at}; }
    ;

oidComponents
    : oidComponent
    | oidComponents oidComponent
    ;

oidComponent
    : tokNAME
    | tokNUMBER
    | tokNAME chLPR tokNUMBER chRPR
    ;

sequenceDefinition
    : tokNAME isToken kwSEQUENCE chLCB sequenceItems chRCB { ctx.sequence($1.text, $1.at); }
    | tokNAME isToken kwSEQUENCE chLCB sequenceItems chCOMMA chRCB
        { ctx.error(mibc::msg::kSeqTrailingComma); ctx.sequence($1.text, $1.at); }
    | tokNAME isToken kwSEQUENCE chLCB error chRCB { ctx.error(mibc::msg::kSeqListSyntax); ctx.pending_members.clear(); }
    | tokNAME isToken kwSEQUENCE error { ctx.error(mibc::msg::kSeqSyntax); ctx.pending_members.clear(); }
    ;

sequenceItems
    : sequenceItem
    | sequenceItems chCOMMA sequenceItem
    | sequenceItems namedItem { ctx.error(mibc::msg::kSeqMissingComma); }
    ;

sequenceItem
    : namedItem
    | builtinSyntax
        {
            // "name, INTEGER": the comma came between a member and its syntax.
            ctx.error(mibc::msg::kExtraComma);
            if (!ctx.pending_members.empty() && ctx.pending_members.back().syntax.kind == mibc::Syntax_Kind::not_used)
                ctx.pending_members.back().syntax = ctx.syn($1);
        }
    ;

namedItem
    : tokNAME { ctx.pending_members.push_back(mibc::Member{$1.text, {}, $1.at}); }
    | tokNAME syntax { ctx.pending_members.push_back(mibc::Member{$1.text, ctx.syn($2), $1.at}); }
    | tokNAME error { ctx.error(mibc::msg::kSeqItemSyntax); }
    ;

trapDefinition
    : tokNAME kwTRAP_TYPE enterprise optVariables optDescription optReference isToken tokNUMBER
        { ctx.trap($1.text, $1.at, $3.text, $8.number); ctx.pending_variables.clear(); }
    | tokNAME kwTRAP_TYPE error { ctx.error(mibc::msg::kTrapSyntax); ctx.pending_variables.clear(); }
    ;

enterprise
    : kwENTERPRISE tokNAME { $$.text = $2.text; }
    | %empty { ctx.error(mibc::msg::kMissingEnterprise); $$.text = {}; }
    | kwENTERPRISE error { ctx.error(mibc::msg::kEnterpriseSyntax); $$.text = {}; }
    ;

optVariables
    : %empty
    | kwVARIABLES chLCB trapVariables chRCB
    | kwVARIABLES chLCB trapVariables chCOMMA chRCB { ctx.error(mibc::msg::kVarsTrailingComma); }
    | kwVARIABLES error { ctx.error(mibc::msg::kVariablesSyntax); }
    ;

trapVariables
    : tokNAME { ctx.pending_variables.push_back($1.text); }
    | trapVariables chCOMMA tokNAME { ctx.pending_variables.push_back($3.text); }
    | trapVariables tokNAME { ctx.error(mibc::msg::kVarsMissingComma); ctx.pending_variables.push_back($2.text); }
    ;

conventionDefinition
    : tokNAME isToken syntax { ctx.convention($1.text, $1.at, ctx.syn($3)); }
    | tokNAME isToken error { ctx.error(mibc::msg::kTcSyntax); }
    ;

syntax
    : simpleSyntax { $$.syntax = $1.syntax; }
    | kwINTEGER chLCB enumItems chRCB
        { ctx.fresh($$); ctx.syn($$).kind = mibc::Syntax_Kind::enumerated; ctx.syn($$).enumeration = ctx.enumeration(); ctx.syn($$).at = $1.at; }
    | kwINTEGER chLCB enumItems chCOMMA chRCB
        {
            ctx.error(mibc::msg::kEnumTrailingComma);
            ctx.fresh($$); ctx.syn($$).kind = mibc::Syntax_Kind::enumerated; ctx.syn($$).enumeration = ctx.enumeration(); ctx.syn($$).at = $1.at;
        }
    | kwINTEGER chLCB error chRCB
        { ctx.error(mibc::msg::kEnumListSyntax); ctx.pending_enums.clear(); ctx.fresh($$); ctx.syn($$).kind = mibc::Syntax_Kind::bad; }
    | kwSEQUENCE kwOF tokNAME
        { ctx.fresh($$); ctx.syn($$).kind = mibc::Syntax_Kind::sequence_of; ctx.syn($$).name = $3.text; ctx.syn($$).at = $3.at; }
    | kwSEQUENCE kwOF tokNAME sizeRange
        {
            ctx.error(mibc::msg::kSeqOfQualified);
            ctx.fresh($$); ctx.syn($$).kind = mibc::Syntax_Kind::sequence_of; ctx.syn($$).name = $3.text; ctx.syn($$).at = $3.at;
        }
    | kwSEQUENCE kwOF error { ctx.error(mibc::msg::kSeqOfSyntax); ctx.fresh($$); ctx.syn($$).kind = mibc::Syntax_Kind::bad; }
    ;

enumItems
    : enumItem
    | enumItems chCOMMA enumItem
    | enumItems enumItem { ctx.error(mibc::msg::kEnumMissingComma); }
    ;

enumItem
    : tokNAME chLPR tokNUMBER chRPR
        {
            if ($3.number == 0) ctx.warning(mibc::format(mibc::msg::kEnumZero, std::string($1.text).c_str()));
            ctx.pending_enums.push_back(mibc::Enum_Item{$1.text, $3.number});
        }
    | tokNAME chLPR chMINUS tokNUMBER chRPR { ctx.error(mibc::msg::kEnumNegative); }
    | tokNAME chLPR error chRPR { ctx.error(mibc::msg::kEnumNotNumber); }
    | tokNAME error { ctx.error(mibc::msg::kEnumValueSyntax); }
    ;

simpleSyntax
    : builtinSyntax { $$.syntax = $1.syntax; }
    | tokNAME optSizeRange { $$.syntax = $2.syntax; ctx.syn($$).kind = mibc::Syntax_Kind::type_name; ctx.syn($$).name = $1.text; ctx.syn($$).at = $1.at; }
    ;

builtinSyntax
    : builtinType optSizeRange { $$.syntax = $2.syntax; ctx.syn($$).kind = ctx.syn($1).kind; ctx.syn($$).at = $1.at; }
    ;

builtinType
    : kwINTEGER { ctx.fresh($$).kind = mibc::Syntax_Kind::integer; }
    | kwOCTET kwSTRING { ctx.fresh($$).kind = mibc::Syntax_Kind::octet_string; }
    | kwOBJECT kwIDENTIFIER { ctx.fresh($$).kind = mibc::Syntax_Kind::object_identifier; }
    | kwNULL { ctx.fresh($$).kind = mibc::Syntax_Kind::null; }
    | kwNETWORKADDRESS { ctx.fresh($$).kind = mibc::Syntax_Kind::network_address; }
    | kwIPADDRESS { ctx.fresh($$).kind = mibc::Syntax_Kind::ip_address; }
    | kwCOUNTER { ctx.fresh($$).kind = mibc::Syntax_Kind::counter; }
    | kwGAUGE { ctx.fresh($$).kind = mibc::Syntax_Kind::gauge; }
    | kwTIMETICKS { ctx.fresh($$).kind = mibc::Syntax_Kind::time_ticks; }
    | kwOPAQUE { ctx.fresh($$).kind = mibc::Syntax_Kind::opaque; }
    | kwOCTET { ctx.error(mibc::msg::kOctetString); ctx.fresh($$).kind = mibc::Syntax_Kind::octet_string; }
    | kwOBJECT { ctx.error(mibc::msg::kObjectIdentifier); ctx.fresh($$).kind = mibc::Syntax_Kind::object_identifier; }
    ;

optSizeRange
    : %empty { ctx.fresh($$); }
    | sizeRange { $$.syntax = $1.syntax; }
    ;

sizeRange
    : chLPR kwSIZE chLPR bound chRPR chRPR
        { ctx.fresh($$); ctx.syn($$).bound = mibc::Bound_Kind::size; ctx.syn($$).single = true; ctx.syn($$).low = ctx.syn($4).low; ctx.syn($$).high = ctx.syn($4).low; }
    | chLPR kwSIZE chLPR bound dots bound chRPR chRPR
        { ctx.fresh($$); ctx.syn($$).bound = mibc::Bound_Kind::size; ctx.syn($$).low = ctx.syn($4).low; ctx.syn($$).high = ctx.syn($6).low; }
    | chLPR kwSIZE error chRPR { ctx.error(mibc::msg::kSizeSyntax); ctx.fresh($$); }
    | chLPR kwSIZE chLPR error chRPR chRPR { ctx.error(mibc::msg::kSizeSyntax); ctx.fresh($$); }
    | chLPR signedBound dots signedBound chRPR
        { ctx.fresh($$); ctx.syn($$).bound = mibc::Bound_Kind::range; ctx.syn($$).low = ctx.syn($2).low; ctx.syn($$).high = ctx.syn($4).low; }
    | chLPR error chRPR { ctx.error(mibc::msg::kRangeSyntax); ctx.fresh($$); }
    ;

dots
    : tokDOTDOT
    | tokBADDOTDOT { ctx.error(mibc::msg::kMustUseDotDot); }
    | chDOT { ctx.error(mibc::msg::kMustUseDotDot); }
    | %empty { ctx.error(mibc::msg::kMissingDotDot); }
    ;

signedBound
    : bound { $$.syntax = $1.syntax; }
    | chMINUS bound { $$.syntax = $2.syntax; ctx.syn($$).low.negative = true; }
    ;

bound
    : tokNUMBER { ctx.fresh($$).low = {}; ctx.syn($$).low.value = $1.number; }
    | tokBSTR { ctx.fresh($$).low = {}; ctx.syn($$).low.form = mibc::Number_Form::binary; ctx.syn($$).low.digits = $1.text; }
    | tokHSTR { ctx.fresh($$).low = {}; ctx.syn($$).low.form = mibc::Number_Form::hex; ctx.syn($$).low.digits = $1.text; }
    ;

%%

namespace {

int yylex(YYSTYPE* value, mibc::Compile_Context& ctx) {
    mibc::Token_Value token_value;
    const mibc::Token token = ctx.scanner.next(token_value);
    *value = mibc::Parse_Value{};
    value->text = token_value.text;
    value->number = token_value.number;
    value->at = ctx.scanner.position();
    // Directives switch the trace on and off as the input goes.
    yydebug = ctx.options.has(mibc::kTraceParser) ? 1 : 0;
    if (ctx.options.has(mibc::kTraceParser)) {
        ctx.diagnostics.plain(mibc::msg::kTraceReceived);
        ctx.diagnostics.plain(mibc::token_name(token));
        ctx.diagnostics.plain("\n");
    }
    return static_cast<int>(token);
}

void yyerror(mibc::Compile_Context& ctx, const char* text) {
    if (ctx.scanner.stopped()) return;  // the end was the scanner's, already reported
    if (std::strcmp(text, "memory exhausted") == 0) {
        ctx.error(mibc::msg::kStackOverflow);
        ctx.stack_overflow = true;
    } else {
        ctx.error(mibc::msg::kSyntaxError);
    }
}

// Rebuilds the trace lines of option X from bison's trace calls: the state
// a token is read in, error recovery, and each reduction with its rule.
struct Trace_State {
    mibc::Compile_Context* ctx = nullptr;
    int state = 0;
    std::string title;          // of the symbol being printed
    bool in_stack = false;      // "Stack now" line
    int stack_top = 0;
    int popped = -1;            // state popped by error recovery, until its stack line
    int rule = -1;              // reduction being printed
    int rule_symbols_left = 0;
    std::string rule_text;
};
Trace_State trace;

void trace_line(const std::string& text) { trace.ctx->diagnostics.plain(text); }

void trace_symbol(const char* name) {
    if (trace.rule >= 0) {
        trace.rule_text += ' ';
        trace.rule_text += name;
        return;
    }
    if (trace.title == "Next token is") {
        trace_line(mibc::format(mibc::msg::kTraceState, trace.state) + name + "\n");
    } else if (trace.title == "Error: discarding") {
        trace_line(std::string(mibc::msg::kTraceDiscards) + name + "\n");
    } else if (trace.title == "Error: popping") {
        trace.popped = trace.state;
    }
}

void finish_rule() {
    trace_line(mibc::format(mibc::msg::kTraceReduce, trace.rule, trace.rule_text.c_str()));
    trace.rule = -1;
}

}  // namespace

void mibc_parser_trace(FILE*, const char* format, ...) {
    if (trace.ctx == nullptr) return;
    va_list args;
    va_start(args, format);
    if (std::strcmp(format, "Entering state %d\n") == 0) {
        trace.state = va_arg(args, int);
    } else if (std::strcmp(format, "%s ") == 0) {
        trace.title = va_arg(args, const char*);
    } else if (std::strcmp(format, "%s %s (") == 0) {
        (void)va_arg(args, const char*);
        trace_symbol(va_arg(args, const char*));
    } else if (std::strcmp(format, "Stack now") == 0) {
        trace.in_stack = true;
        trace.title.clear();
    } else if (std::strcmp(format, " %d") == 0) {
        if (trace.in_stack) trace.stack_top = va_arg(args, int);
    } else if (std::strcmp(format, "Reducing stack by rule %d (line %d):\n") == 0) {
        trace.rule = va_arg(args, int);
        const int bison_rule = trace.rule + 1;
        trace.rule_text = std::string(yysymbol_name(static_cast<yysymbol_kind_t>(yyr1[bison_rule]))) + " :";
        trace.rule_symbols_left = yyr2[bison_rule];
        if (trace.rule_symbols_left == 0) finish_rule();
    } else if (std::strcmp(format, "\n") == 0) {
        if (trace.in_stack) {
            trace.in_stack = false;
            if (trace.popped >= 0) {
                trace_line(mibc::format(mibc::msg::kTracePops, trace.popped, trace.stack_top));
                trace.popped = -1;
                trace.state = trace.stack_top;
            }
        } else if (trace.rule >= 0 && --trace.rule_symbols_left <= 0) {
            finish_rule();
        }
        trace.title.clear();
    }
    va_end(args);
}

namespace mibc {

bool run_parser(Compile_Context& ctx) {
    // bison's yydebug and the trace state are the process's: one parse at a time.
    static std::mutex parsing;
    std::lock_guard hold(parsing);
    trace = Trace_State{};
    trace.ctx = &ctx;
    yydebug = ctx.options.has(kTraceParser) ? 1 : 0;
    const int result = yyparse(ctx);
    yydebug = 0;
    trace.ctx = nullptr;
    return result == 0;
}

}  // namespace mibc
