#include "lum/config/Parser.h"

#include <set>
#include <sstream>

#include "ConfigParser.h"
#include "lum/config/Diagnostics.h"
#include "lum/config/Group.h"
#include "lum/resource/ConfigLoader.h"
#include "lum/util/Assert.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

// Token names as syntax errors show them, in token-number order.
const char* const tokenNames[ParseContext::tokenKinds] = {
    "$end", "error", "$undefined", "=",          ":",           ";",       ",",      "{",      "}",
    "(",    ")",     "#include",   "identifier", "real number", "integer", "string", "boolean"};

const char* tokenName(int kind) {
    LUM_TRACE_BEGIN
    LUM_ASSERT(0 <= kind && kind < ParseContext::tokenKinds);
    return tokenNames[kind];
    LUM_TRACE_END
}

std::string text(const Setting& value) {
    std::ostringstream out;
    value.streamTo(out);
    return out.str();
}

// The String keys of `scope`'s own entries and of its prototypes' whose
// values are groups: the names a prototype reference can use.
void collectGroupNames(const Setting& scope, std::set<std::string>& names) {
    const Group* group = dynamic_cast<const Group*>(scope.value().get());
    for (; group != nullptr; group = group->prototypeGroup()) {
        for (const auto& entry : group->entries()) {
            if (entry.first.isString() && entry.second.isGroup()) {
                names.insert(entry.first.asString());
            }
        }
    }
}

}  // namespace

ParseContext::ParseContext(const std::string& fileName, ResourceLoader& resources, int depth,
                           const Setting& scope)
    : fileName(fileName),
      lexer(nullptr),
      source(0),
      resources(resources),
      depth(depth),
      scope(scope),
      result(),
      resultIsTopLevel(false) {}

Setting ParseContext::parse(Lexer& scanner) {
    LUM_TRACE_BEGIN
    lexer = &scanner;
    source = sourceFile(fileName, scanner.path());
    lumcfgparse(scanner.scanner(), *this);
    lexer = nullptr;
    return result;
    LUM_TRACE_END
}

Setting ParseContext::loadInclude(const Setting& includedName, const ConfigPosition& where) const {
    LUM_TRACE_BEGIN
    const std::string& name = includedName.asString();
    try {
        resources.findFile(name);
    } catch (const IOException& missing) {
        // The file's own name alone would not say which include to mend.
        throw IOException(missing.getMessage() + " It is included at " +
                          prefix(where).substr(0, prefix(where).size() - 1) + ".");
    }
    return loadFile(resources, name, scope, depth + 1);
    LUM_TRACE_END
}

void ParseContext::addInclude(const Setting& included) {
    LUM_TRACE_BEGIN
    // A file without settings (empty, only comments or only includes) has no
    // group and so no prototypes to offer.
    if (included.isGroup()) {
        scope.add(included);
    }
    LUM_TRACE_END
}

void ParseContext::rememberKey(const Setting& setting, const ConfigPosition& where) const {
    LUM_TRACE_BEGIN
    rememberPosition(setting.first(), source, where.line, where.column);
    LUM_TRACE_END
}

void ParseContext::rememberGroup(const Setting& group, const ConfigPosition& where) const {
    rememberPosition(group, source, where.line, where.column);
}

void ParseContext::noteFirstSetting(const Setting& group, const ConfigPosition& where) {
    // Inside a file's braces the group is taken at once, so a syntax error
    // later on still returns it; but until the braces close they may turn out
    // to be the key of a top-level setting, whose group then takes over.
    if (where.level == SettingLevel::TopLevel && !resultIsTopLevel) {
        result = group;
        resultIsTopLevel = true;
    } else if (where.level == SettingLevel::FileBraces && result.isInvalid()) {
        result = group;
    }
}

void ParseContext::putSetting(const Setting& group, const Setting& setting,
                              const ConfigPosition& where) const {
    LUM_TRACE_BEGIN
    const Setting key = setting.first();
    if (group.contains(key)) {
        reportFatalError(diagnosticAt(
            where, "key " + text(key) + " found twice in group (old value: " + text(group(key)) +
                       ", new value: " + text(setting.second()) + ")."));
    }
    group.put(key, setting.second());
    rememberPosition(key, source, where.line, where.column);
    LUM_TRACE_END
}

void ParseContext::attachPrototype(const Setting& group, const Setting& prototypeName,
                                   const ConfigPosition& where) const {
    LUM_TRACE_BEGIN
    if (prototypeName.isInvalid()) {
        return;
    }
    const Setting prototype = findPrototype(prototypeName);
    if (prototype.isInvalid()) {
        reportFatalError(diagnosticAt(
            where, "Prototype '" + prototypeName.asString() + "' not found. " + knownPrototypes()));
    }
    if (!prototype.isGroup()) {
        reportFatalError(diagnosticAt(where, prototype.typeName() + " " + text(prototype) +
                                                 " cannot be used as prototype, must be a group."));
    }
    group.setPrototype(prototypeName.asString(), prototype);
    LUM_TRACE_END
}

void ParseContext::syntaxError(const ConfigPosition& where, const char* message) const {
    reportSyntaxError(diagnosticAt(where, message));
}

void ParseContext::syntaxError(const ConfigPosition& where, int unexpected,
                               const std::vector<int>& expected) const {
    LUM_TRACE_BEGIN
    std::string message = "syntax error";
    if (unexpected >= 0) {
        message += std::string(", unexpected ") + tokenName(unexpected);
        for (std::size_t i = 0; i < expected.size(); ++i) {
            message += std::string(i == 0 ? ", expecting " : " or ") + tokenName(expected[i]);
        }
    }
    syntaxError(where, message.c_str());
    if (unexpected == TOK_YYEOF) {
        noteUnclosedBracket();
    }
    LUM_TRACE_END
}

std::string ParseContext::prefix(const ConfigPosition& where) const {
    return fileName + ":" + std::to_string(where.line) + ":" + std::to_string(where.column) + ":";
}

SourcePosition ParseContext::sourceAt(const ConfigPosition& where) const {
    return SourcePosition{fileName, lexer != nullptr ? lexer->path() : fileName, where.line,
                          where.column};
}

Diagnostic ParseContext::diagnosticAt(const ConfigPosition& where, const std::string& text) const {
    const SourcePosition source = sourceAt(where);
    return Diagnostic{
        DiagnosticKind::Syntax,     source.file, source.path, source.line, source.column, text,
        prefix(where) + text + "\n"};
}

// The end of the file is where a missing bracket is noticed, not where it
// is missing; the bracket it should close says more.
void ParseContext::noteUnclosedBracket() const {
    const OpenBracket* const open = lexer != nullptr ? lexer->innermostOpenBracket() : nullptr;
    if (open != nullptr) {
        reportNote(
            diagnosticAt(ConfigPosition{open->line, open->column, SettingLevel::Nested},
                         std::string("the ") + open->symbol + " opened here is never closed"));
    }
}

Setting ParseContext::findPrototype(const Setting& name) const {
    LUM_TRACE_BEGIN
    Setting found = scope(name);
    if (found.isInvalid() && result.isGroup()) {
        found = result(name);
    }
    return found;
    LUM_TRACE_END
}

std::string ParseContext::knownPrototypes() const {
    std::set<std::string> names;
    collectGroupNames(scope, names);
    if (result.isGroup()) {
        collectGroupNames(result, names);
    }
    if (names.empty()) {
        return "No prototypes are known here.";
    }
    std::string list;
    for (const std::string& name : names) {
        list += (list.empty() ? "" : ", ") + name;
    }
    return "Known prototypes: " + list + ".";
}

}  // namespace lum
