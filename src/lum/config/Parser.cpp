#include "lum/config/Parser.h"

#include <sstream>

#include "ConfigParser.h"
#include "lum/config/Diagnostics.h"
#include "lum/resource/ConfigLoader.h"
#include "lum/util/Assert.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

// Token names as syntax errors show them, in token-number order.
const char* const tokenNames[ParseContext::tokenKinds] = {
    "$end", "error", "$undefined", "=", ":", ";", ",", "{", "}", "(", ")",
    "#include", "identifier", "real number", "integer", "string", "boolean"};

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

}  // namespace

ParseContext::ParseContext(const std::string& fileName, ResourceLoader& resources, int depth,
                           const Setting& scope)
    : fileName(fileName),
      resources(resources),
      depth(depth),
      scope(scope),
      result(),
      resultIsTopLevel(false) {}

Setting ParseContext::parse(Lexer& lexer) {
    LUM_TRACE_BEGIN
    lumcfgparse(lexer.scanner(), *this);
    return result;
    LUM_TRACE_END
}

Setting ParseContext::loadInclude(const Setting& includedName) const {
    LUM_TRACE_BEGIN
    return loadFile(resources, includedName.asString(), scope, depth + 1);
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
        reportFatalError(prefix(where) + "key " + text(key) + " found twice in group (old value: " +
                         text(group(key)) + ", new value: " + text(setting.second()) + ").\n");
    }
    group.put(key, setting.second());
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
        reportFatalError(prefix(where) + "Prototype '" + text(prototypeName) + "' not found.\n");
    }
    if (!prototype.isGroup()) {
        reportFatalError(prefix(where) + prototype.typeName() + " " + text(prototype) +
                         " cannot be used as prototype, must be a group.\n");
    }
    group.setPrototype(prototypeName.asString(), prototype);
    LUM_TRACE_END
}

void ParseContext::syntaxError(const ConfigPosition& where, const char* message) const {
    reportSyntaxError(prefix(where) + message + "\n");
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
    LUM_TRACE_END
}

std::string ParseContext::prefix(const ConfigPosition& where) const {
    return fileName + ":" + std::to_string(where.line) + ":" + std::to_string(where.blanks) + ":";
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

}  // namespace lum
