#include "lum/resource/ConfigLoader.h"

#include <memory>
#include <set>

#include "lum/config/ConfigSchema.h"
#include "lum/config/Lexer.h"
#include "lum/config/Parser.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const int maxIncludeDepth = 10;

// The prototypes every requested file may use. A "prototypes.cfg" without any
// setting offers none, but its includes still need a group to go into.
Setting loadPrototypes() {
    LUM_TRACE_BEGIN
    ResourceLoader prototypeLocation("resources");
    const Setting prototypes =
        loadFile(prototypeLocation, "prototypes.cfg", Setting::newGroup(), 1);
    return prototypes.isGroup() ? prototypes : Setting::newGroup();
    LUM_TRACE_END
}

Setting includeScope(const Setting& parentScope) {
    const Setting scope = Setting::newGroup();
    scope.setPrototype("Inclusion", parentScope);
    return scope;
}

}  // namespace

ConfigLoader::ConfigLoader(const boost::filesystem::path& location)
    : ResourceLoader(location), location(location), log("ConfigLoader") {}

Setting ConfigLoader::load(const std::string& name) {
    LUM_TRACE_BEGIN
    const boost::filesystem::path file(name + ".cfg");
    Setting configuration;
    if (file.is_absolute()) {
        ResourceLoader besideFirst(file.parent_path());
        besideFirst.addResourceLocation(location);
        configuration = loadFile(besideFirst, file.filename().string(), Setting::newGroup(), 0);
    } else {
        configuration = loadFile(*this, file.string(), Setting::newGroup(), 0);
    }
    warnAboutKeys(name, configuration);
    return configuration;
    LUM_TRACE_END
}

// A key the game does not read, or reads as its default, is told once per
// run however often its file loads (the player's file loads at every mode
// switch).
void ConfigLoader::warnAboutKeys(const std::string& name, const Setting& configuration) {
    for (const SchemaWarning& warning :
         checkAgainstSchema(documentOf(name, configuration), configuration)) {
        const std::string where =
            warning.positioned
                ? warning.position.file + ":" + std::to_string(warning.position.line) + ": "
                : name + ".cfg: ";
        if (told.insert(where + warning.text).second) {
            log.warning(where + warning.text);
        }
    }
}

Setting loadFile(ResourceLoader& resources, const std::string& fileName, const Setting& parentScope,
                 int depth) {
    LUM_TRACE_BEGIN
    if (depth > maxIncludeDepth) {
        throw ConfigException(
            "Your file inclusion trace is more than 10 levels, deep.\n"
            "Check for cylcic includes in your config files or refactor.\n");
    }
    const std::string path = resources.findFile(fileName);
    // The scanner owns the open file; it is closed however the parse ends.
    const std::unique_ptr<Lexer, void (*)(Lexer*)> lexer(makeLexer(path), &unmakeLexer);
    const Setting scope = depth == 0 ? loadPrototypes() : includeScope(parentScope);
    ParseContext context(fileName, resources, depth, scope);
    return context.parse(*lexer);
    LUM_TRACE_END
}

}  // namespace lum
