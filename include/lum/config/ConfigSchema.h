#ifndef LUM_CONFIG_CONFIGSCHEMA_H
#define LUM_CONFIG_CONFIGSCHEMA_H

#include <string>
#include <vector>

#include "lum/config/Setting.h"
#include "lum/config/SourcePositions.h"

namespace lum {

// What a configuration file describes, which decides the keys it may hold.
enum class ConfigDocument { Settings, Player, Level, SceneObject, Prototypes, Unknown };

// Something the game reads differently from what the file seems to mean: an
// unknown (likely misspelt) key, a value of the wrong kind, or a key the game
// never looks at. The game still loads such a file, using its defaults.
struct SchemaWarning {
    // Where the key or group was written; `positioned` is false when the
    // value was not read from a file.
    SourcePosition position;
    bool positioned;
    std::string text;
};

// The configuration `name` (a bare name such as "level1") with the tree
// `root`: a settings file, the player, a level, one scene object's file (of
// a kind the scene loader knows) or the prototypes.
ConfigDocument documentOf(const std::string& name, const Setting& root);

// The warnings about `root` read as `document`, in the order of the walk;
// one per place and text. A group's prototypes are checked as part of it.
std::vector<SchemaWarning> checkAgainstSchema(ConfigDocument document, const Setting& root);

// The keys the scene loader reads for an object of the kind `kind` (a
// display name, compared without regard to case): "Node", "Physics",
// "Light" or "Model"; empty for a kind it does not know.
std::string sceneObjectContext(const std::string& kind);

// The key among `candidates` closest to `key` when it is close enough to be
// a slip of the keyboard, else empty.
std::string closestKey(const std::string& key, const std::vector<std::string>& candidates);

}  // namespace lum

#endif
