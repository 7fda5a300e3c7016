/* Grammar of the configuration language: an LALR(1) parser without error
 * recovery. The actions only call the parse context (Parser.cpp), which is
 * held to the project's warnings. */

%code requires {
#include "lum/config/Lexer.h"
#include "lum/config/Parser.h"
#include "lum/config/Setting.h"
}

%code provides {
int lumcfglex(LUMCFGSTYPE* value, LUMCFGLTYPE* position, void* scanner);
}

%code {
// The stacks hold 200 entries and never grow (Bison cannot move a stack of
// C++ objects): deeper input ends the parse with "memory exhausted".
#define YYINITDEPTH 200
#define YYMAXDEPTH 200

// A rule stands where its first symbol stands; an empty rule where the
// symbol before it ends.
#define YYLLOC_DEFAULT(Current, Rhs, N) ((Current) = (N) > 0 ? YYRHSLOC(Rhs, 1) : YYRHSLOC(Rhs, 0))

static void lumcfgerror(const LUMCFGLTYPE* position, void*, lum::ParseContext& context,
                        const char* message) {
    context.syntaxError(*position, message);
}
}

%define api.prefix {lumcfg}
%define api.token.prefix {TOK_}
%define api.pure full
%define api.value.type {lum::Setting}
%define api.location.type {lum::ConfigPosition}
%define parse.error custom
/* Without it a default reduction before the error would name the tokens of
 * the state it leads to rather than those the input could have had. */
%define parse.lac full
%locations
%param {void* scanner}
%parse-param {lum::ParseContext& context}

/* Declared in the order that gives the token numbers 258 to 271. */
%token EQUALS "=" COLON ":" SEMICOLON ";" COMMA ","
%token LBRACE "{" RBRACE "}" LPAREN "(" RPAREN ")"
%token INCLUDE "#include"
%token IDENTIFIER "identifier" REAL "real number" INTEGER "integer" STRING "string" BOOLEAN "boolean"

%%

file
    : includes group maybe_semi
    | includes settings
    ;

includes
    : %empty
    | includes include                { context.addInclude($2); }
    ;

include
    : "#include" fileName             { $$ = context.loadInclude($2, @2); }
    ;

settings
    : %empty                          { $$ = lum::Setting::newGroup(); }
    | settings_ maybe_semi            { $$ = $1; }
    ;

settings_
    : setting                         { $$ = lum::Setting::newGroup(); $$.add($1);
                                        context.rememberKey($1, @1);
                                        context.noteFirstSetting($$, @1); }
    | settings_ ";" setting           { $$ = $1; context.putSetting($$, $3, @3); }
    ;

setting
    : value "=" value                 { $$ = lum::Setting::newPair($1, $3); @$.level = @2.level; }
    ;

value
    : "identifier"
    | "real number"
    | "integer"
    | "string"
    | "boolean"
    | group
    | list
    ;

group
    : prototype "{" settings "}"      { $$ = $3; context.attachPrototype($$, $1, @1);
                                        context.rememberGroup($$, $1.isInvalid() ? @2 : @1); }
    ;

prototype
    : %empty                          { $$ = lum::Setting(); }
    | "identifier"
    ;

list
    : "(" ")"                         { $$ = lum::Setting::newList(); }
    | "(" list_ ")"                   { $$ = $2; }
    ;

list_
    : value                           { $$ = lum::Setting::newList(); $$.add($1); }
    | list_ "," value                 { $$ = $1; $$.add($3); }
    ;

maybe_semi
    : %empty
    | ";"
    ;

fileName
    : "identifier"
    | "string"
    ;

%%

static_assert(YYNTOKENS == lum::ParseContext::tokenKinds,
              "the token names of Parser.cpp follow the tokens above");

static int yyreport_syntax_error(const yypcontext_t* parse, void*, lum::ParseContext& context) {
    // More than four acceptable tokens are not listed at all.
    enum { listed = 4 };
    yysymbol_kind_t expected[listed];
    const int count = yypcontext_expected_tokens(parse, expected, listed);
    std::vector<int> tokens;
    for (int i = 0; i < count; ++i) {
        tokens.push_back(expected[i]);
    }
    context.syntaxError(*yypcontext_location(parse), yypcontext_token(parse), tokens);
    return 0;
}
