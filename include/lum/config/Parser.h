#ifndef LUM_CONFIG_PARSER_H
#define LUM_CONFIG_PARSER_H

#include <string>
#include <vector>

#include "lum/config/Diagnostics.h"
#include "lum/config/Lexer.h"
#include "lum/config/Setting.h"
#include "lum/config/SourcePositions.h"

namespace lum {

class ResourceLoader;

// One parse of one file: what the grammar's actions need and what they
// build. The result is the file's outermost group, or Invalid while the file
// has no setting.
class ParseContext {
public:
    // The number of token kinds the syntax error messages can name.
    static const int tokenKinds = 17;

    // `fileName` is the name the loader was asked for and prefixes every
    // message; includes are found with `resources`, which must outlive the
    // parse, and load at depth + 1 with `scope` as their parent scope.
    ParseContext(const std::string& fileName, ResourceLoader& resources, int depth,
                 const Setting& scope);

    // Reads the whole file; a syntax error ends the parse early and what was
    // built before it is returned. Fatal diagnostics end the process.
    Setting parse(Lexer& lexer);

    // ---- the grammar's actions ------------------------------------------
    Setting loadInclude(const Setting& fileName, const ConfigPosition& where) const;
    void addInclude(const Setting& included);
    // Where the key of `setting` and where a group were written.
    void rememberKey(const Setting& setting, const ConfigPosition& where) const;
    void rememberGroup(const Setting& group, const ConfigPosition& where) const;
    void noteFirstSetting(const Setting& group, const ConfigPosition& where);
    void putSetting(const Setting& group, const Setting& setting,
                    const ConfigPosition& where) const;
    void attachPrototype(const Setting& group, const Setting& prototypeName,
                         const ConfigPosition& where) const;
    void syntaxError(const ConfigPosition& where, const char* message) const;
    // `unexpected` is the token kind read, negative when none was; `expected`
    // lists the acceptable kinds, empty when there are too many to list.
    void syntaxError(const ConfigPosition& where, int unexpected,
                     const std::vector<int>& expected) const;

private:
    std::string prefix(const ConfigPosition& where) const;
    SourcePosition sourceAt(const ConfigPosition& where) const;
    Diagnostic diagnosticAt(const ConfigPosition& where, const std::string& text) const;
    void noteUnclosedBracket() const;
    Setting findPrototype(const Setting& name) const;
    std::string knownPrototypes() const;

    std::string fileName;
    const Lexer* lexer;
    int source;  // the file's number among the remembered positions
    ResourceLoader& resources;
    int depth;
    Setting scope;
    Setting result;
    bool resultIsTopLevel;
};

}  // namespace lum

#endif
