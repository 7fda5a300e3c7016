#include "lum/config/Lexer.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <limits>

#include <boost/filesystem.hpp>

#include "ConfigParser.h"
#define YYSTYPE LUMCFGSTYPE
#define YYLTYPE LUMCFGLTYPE
#include "ConfigScanner.h"
#include "lum/config/Diagnostics.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

bool opensBracket(int token) {
    return token == TOK_LBRACE || token == TOK_LPAREN;
}

bool closesBracket(int token) {
    return token == TOK_RBRACE || token == TOK_RPAREN;
}

}  // namespace

Lexer::Lexer(const std::string& path, std::FILE* file)
    : filePath(path),
      file(file),
      state(nullptr),
      line(1),
      column(1),
      tokenLine(1),
      tokenColumn(1),
      tokenStart('\0'),
      openBrackets(),
      nesting(0),
      bodyTokens(0),
      firstBodyTokenIsIdentifier(false),
      expectIncludeName(false),
      insideFileBraces(false) {
    LUM_TRACE_BEGIN
    yyscan_t scanner = nullptr;
    if (lumcfglex_init_extra(this, &scanner) != 0) {
        std::fclose(file);
        throw ConfigException("File '" + path + "' could not be opened.");
    }
    lumcfgset_in(file, scanner);
    state = scanner;
    LUM_TRACE_END
}

Lexer::~Lexer() {
    lumcfglex_destroy(state);
    std::fclose(file);
}

void* Lexer::scanner() const {
    return state;
}

const std::string& Lexer::path() const {
    return filePath;
}

void Lexer::advance(const char* text, int length) {
    tokenLine = line;
    tokenColumn = column;
    tokenStart = length > 0 ? text[0] : '\0';
    for (int i = 0; i < length; ++i) {
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
}

ConfigPosition Lexer::position(int token) {
    if (token == TOK_YYEOF) {
        // The end of the file matches no text: it stands where reading stopped.
        tokenLine = line;
        tokenColumn = column;
    }
    SettingLevel level = SettingLevel::Nested;
    if (nesting == 0) {
        level = SettingLevel::TopLevel;
    } else if (nesting == 1 && insideFileBraces) {
        level = SettingLevel::FileBraces;
    }
    followStructure(token);
    followBrackets(token);
    return ConfigPosition{tokenLine, tokenColumn, level};
}

const OpenBracket* Lexer::innermostOpenBracket() const {
    return openBrackets.empty() ? nullptr : &openBrackets.back();
}

void Lexer::followBrackets(int token) {
    if (opensBracket(token)) {
        openBrackets.push_back(OpenBracket{tokenStart, tokenLine, tokenColumn});
    } else if (closesBracket(token) && !openBrackets.empty()) {
        openBrackets.pop_back();
    }
}

// The parser records a file's result when it builds the group of the file's
// first outermost setting. Those settings stand at the top level, or directly
// inside a brace that opens the file's body (alone, or behind one identifier
// naming its prototype); includes and their file names come before the body.
void Lexer::followStructure(int token) {
    if (token == TOK_INCLUDE) {
        expectIncludeName = true;
    } else if (expectIncludeName) {
        expectIncludeName = false;
    } else if (bodyTokens < 2) {
        if (token == TOK_LBRACE && nesting == 0 &&
            (bodyTokens == 0 || firstBodyTokenIsIdentifier)) {
            insideFileBraces = true;
        }
        firstBodyTokenIsIdentifier = bodyTokens == 0 && token == TOK_IDENTIFIER;
        ++bodyTokens;
    }
    if (opensBracket(token)) {
        ++nesting;
    } else if (closesBracket(token) && nesting > 0) {
        --nesting;
        if (nesting == 0) {
            insideFileBraces = false;
        }
    }
}

Setting Lexer::integer(const char* text) const {
    LUM_TRACE_BEGIN
    errno = 0;
    const long long value = std::strtoll(text, nullptr, 10);
    if (errno == ERANGE || value < std::numeric_limits<int>::min() ||
        value > std::numeric_limits<int>::max()) {
        throw ConfigException("Integer " + std::string(text) + " at line " +
                              std::to_string(tokenLine) + " of file '" + filePath +
                              "' does not fit in 32 bits.");
    }
    return Setting(static_cast<int>(value));
    LUM_TRACE_END
}

Setting Lexer::real(const char* text) const {
    LUM_TRACE_BEGIN
    const double value = std::strtod(text, nullptr);
    if (std::isinf(value)) {
        throw ConfigException("Real number " + std::string(text) + " at line " +
                              std::to_string(tokenLine) + " of file '" + filePath +
                              "' is too large.");
    }
    return Setting(value);
    LUM_TRACE_END
}

void Lexer::stray(char character) const {
    const std::string text = std::string("stray '") + character + "'";
    reportFatalError(Diagnostic{
        DiagnosticKind::Fatal, filePath, filePath, tokenLine, tokenColumn, text,
        "Lexer Error : " + filePath + " : " + std::to_string(tokenLine) + " : " + text + "\n"});
}

Lexer* makeLexer(const std::string& path) {
    LUM_TRACE_BEGIN
    namespace fs = boost::filesystem;
    boost::system::error_code error;
    const fs::path file(path);
    if (!fs::exists(file, error)) {
        throw ConfigException("File '" + path + "' does not exist.");
    }
    if (fs::is_directory(file, error)) {
        throw ConfigException("File '" + path + "' is a directory and thus cannot be read from.");
    }
    // Only regular files: a pipe or a device could block the load for ever.
    std::FILE* const opened =
        fs::is_regular_file(file, error) ? std::fopen(path.c_str(), "r") : nullptr;
    if (opened == nullptr) {
        throw ConfigException("File '" + path + "' could not be opened.");
    }
    return new Lexer(path, opened);
    LUM_TRACE_END
}

void unmakeLexer(Lexer* lexer) {
    LUM_TRACE_BEGIN
    delete lexer;
    LUM_TRACE_END
}

}  // namespace lum
