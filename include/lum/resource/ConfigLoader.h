#ifndef LUM_RESOURCE_CONFIGLOADER_H
#define LUM_RESOURCE_CONFIGLOADER_H

#include <set>
#include <string>

#include <boost/filesystem/path.hpp>

#include "lum/config/Setting.h"
#include "lum/resource/ResourceLoader.h"
#include "lum/util/Log.h"
#include "lum/util/Singleton.h"

namespace lum {

// Turns a configuration name such as "level1" into its tree of settings.
// Every load reads its files again, "prototypes.cfg" included: nothing is
// cached, and the returned tree belongs to the caller.
class ConfigLoader : public Singleton<ConfigLoader, 0>, public ResourceLoader {
public:
    explicit ConfigLoader(const boost::filesystem::path& location = "resources/");

    // The file name + ".cfg" below the location, with the prototypes of
    // "prototypes.cfg" (searched below "resources" in the working directory).
    // Keys the game will not read as written are logged as warnings.
    // An absolute `name` is a file of its own outside the resources (a
    // player's level): its path without ".cfg". Its includes are looked for
    // beside it first, then below the location.
    Setting load(const std::string& name);

private:
    void warnAboutKeys(const std::string& name, const Setting& configuration);

    boost::filesystem::path location;
    Log log;
    std::set<std::string> told;
};

// Loads one configuration file found with `resources`. At depth 0 the file's
// prototype scope is the result of "prototypes.cfg"; deeper (the includes),
// it is a new scope named "Inclusion" that inherits from `parentScope`.
// Beyond depth 10 the load fails with ConfigException, which is how a cycle
// of includes ends.
Setting loadFile(ResourceLoader& resources, const std::string& fileName, const Setting& parentScope,
                 int depth);

}  // namespace lum

#endif
