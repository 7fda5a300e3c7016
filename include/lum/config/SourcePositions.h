#ifndef LUM_CONFIG_SOURCEPOSITIONS_H
#define LUM_CONFIG_SOURCEPOSITIONS_H

#include <string>

#include "lum/config/Setting.h"

namespace lum {

// Where a key or a group was written.
struct SourcePosition {
    // The file as the loader was asked for it, and where it was found.
    std::string file;
    std::string path;
    int line;
    int column;
};

// Remembers where the parser read each key and each group, so that a check
// of a loaded tree can point at the text. Values are told apart by identity,
// not by equality; a value that is gone is forgotten.
//
// A file is named once, by the number `sourceFile` gives it (the same
// number for the same names), and each place then by that number.
int sourceFile(const std::string& file, const std::string& path);
void rememberPosition(const Setting& value, int file, int line, int column);

// False when `value` was not read from a file.
bool findPosition(const Setting& value, SourcePosition& position);

}  // namespace lum

#endif
