#ifndef LUM_CONFIG_LEXER_H
#define LUM_CONFIG_LEXER_H

#include <cstdio>
#include <string>

#include <boost/noncopyable.hpp>

#include "lum/config/Setting.h"

namespace lum {

// Where a token stands relative to the file's outermost settings: at the top
// level of a file of settings, directly inside the braces of a file that is
// one braced group, or anywhere deeper.
enum class SettingLevel { Nested, FileBraces, TopLevel };

// A token's position in parser messages: the line counter and the blank
// counter, both from 1. Line feeds and blanks inside strings and comments do
// not count, and the blank counter is never reset.
struct ConfigPosition {
    int line;
    int blanks;
    SettingLevel level;
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

    void countBlank();
    void countLineFeed();
    // Position of the token of kind `token` just read; also follows the
    // brackets so that the position can tell the outermost settings apart.
    ConfigPosition position(int token);

    // Literals as values. Numbers that do not fit end the load with a
    // ConfigException naming the file and the line.
    Setting integer(const char* text, int line) const;
    Setting real(const char* text, int line) const;
    // A character no token can hold ends the process with status 1.
    [[noreturn]] void stray(char character, int line) const;

private:
    void followStructure(int token);

    std::string filePath;
    std::FILE* file;
    void* state;
    int lines;
    int blanks;
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
