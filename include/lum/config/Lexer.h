#ifndef LUM_CONFIG_LEXER_H
#define LUM_CONFIG_LEXER_H

#include <cstdio>
#include <string>
#include <vector>

#include <boost/noncopyable.hpp>

#include "lum/config/Setting.h"

namespace lum {

// Where a token stands relative to the file's outermost settings: at the top
// level of a file of settings, directly inside the braces of a file that is
// one braced group, or anywhere deeper.
enum class SettingLevel { Nested, FileBraces, TopLevel };

// Where a token begins: its line and its column, both from 1. Every line
// feed counts, inside strings and comments too; a tab is one column.
struct ConfigPosition {
    int line;
    int column;
    SettingLevel level;
};

// A "{" or "(" (or "[") not yet closed, and where it stands.
struct OpenBracket {
    char symbol;
    int line;
    int column;
};

// The scanner of one configuration file. It owns the open file and the
// generated scanner's state; made by makeLexer, destroyed by unmakeLexer.
// The generated scanner calls the members below while it reads.
class Lexer : private boost::noncopyable {
public:
    // Takes ownership of `file`, open for reading.
    Lexer(const std::string& path, std::FILE* file);
    ~Lexer();

    // The generated scanner's state, handed to the parser.
    void* scanner() const;

    // The path the scanner reads, as it was given.
    const std::string& path() const;

    // Moves past the `length` characters of `text` just matched, which then
    // begin at the position of the next token.
    void advance(const char* text, int length);
    // Position of the token of kind `token` just read; also follows the
    // brackets so that the position can tell the outermost settings apart.
    ConfigPosition position(int token);
    // The innermost bracket still open, or null when all are closed.
    const OpenBracket* innermostOpenBracket() const;

    // Literals as values. Numbers that do not fit end the load with a
    // ConfigException naming the file and the line.
    Setting integer(const char* text) const;
    Setting real(const char* text) const;
    // A character no token can hold ends the process with status 1.
    [[noreturn]] void stray(char character) const;

private:
    void followStructure(int token);
    void followBrackets(int token);

    std::string filePath;
    std::FILE* file;
    void* state;
    int line;
    int column;
    int tokenLine;
    int tokenColumn;
    char tokenStart;
    std::vector<OpenBracket> openBrackets;
    int nesting;
    int bodyTokens;
    bool firstBodyTokenIsIdentifier;
    bool expectIncludeName;
    bool insideFileBraces;
};

// The scanner over the file at `path`, or ConfigException when the file does
// not exist, is a directory or cannot be opened as a regular file.
Lexer* makeLexer(const std::string& path);
// Closes the file and frees the scanner.
void unmakeLexer(Lexer* lexer);

}  // namespace lum

#endif
