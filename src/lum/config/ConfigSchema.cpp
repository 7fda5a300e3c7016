#include "lum/config/ConfigSchema.h"

#include <algorithm>
#include <cctype>
#include <set>
#include <sstream>
#include <tuple>

#include <boost/algorithm/string/predicate.hpp>

#include "lum/config/Group.h"
#include "lum/config/ObjectKind.h"

namespace lum {

namespace {

// What a key's value must be for the game to use it.
enum class Expect {
    Bool,
    Number,
    String,
    Vector3,      // a list of at least three numbers
    Vector4,      // a list of at least four numbers
    Group,        // a group read with the keys of `inner`
    SceneList,    // a list of scene objects: groups, lists or file names
    Shape,        // a Box or Sphere group, or a list of shapes
    Animations,   // a list of [name, first frame, last frame, frames per second]
    ModeNumbers,  // [push strength, top speed, mass]
    Range,        // (low, high)
    Names,        // a name or a list of names
    GroupList     // a list of groups, each read with the keys of `inner`
};

struct KeyRule {
    const char* context;
    const char* key;
    Expect type;
    const char* inner;
};

// Every key the game reads, by the context it reads it in. A new key of the
// game belongs here, in its context; a context that lists "*" as a key takes
// every key of the context named in `inner` as well.
const KeyRule keyRules[] = {
    // The settings file, "settings".
    {"settings", "gameType", Expect::String, nullptr},
    {"settings", "playerSpeed", Expect::Number, nullptr},
    {"settings", "framerate", Expect::Number, nullptr},
    {"settings", "debug", Expect::Bool, nullptr},
    {"settings", "showframerate", Expect::Bool, nullptr},
    {"settings", "wireframe", Expect::Bool, nullptr},
    {"settings", "texturequality", Expect::Bool, nullptr},
    {"settings", "mipMapQuality", Expect::Number, nullptr},
    {"settings", "vertexArrayVBO", Expect::Bool, nullptr},
    {"settings", "physicsdebug", Expect::Bool, nullptr},
    {"settings", "frustrumCulling", Expect::Bool, nullptr},
    {"settings", "transperancy", Expect::Bool, nullptr},
    {"settings", "cursorEnabled", Expect::Bool, nullptr},
    {"settings", "animationenabled", Expect::Bool, nullptr},
    {"settings", "windowWidth", Expect::Number, nullptr},
    {"settings", "windowHeight", Expect::Number, nullptr},
    {"settings", "fullScreen", Expect::Bool, nullptr},
    {"settings", "musicVolume", Expect::Number, nullptr},
    {"settings", "effectsVolume", Expect::Number, nullptr},
    {"settings", "mouseSensitivity", Expect::Number, nullptr},
    {"settings", "invertCamera", Expect::Bool, nullptr},
    {"settings", "keys", Expect::Group, "keys"},
    {"keys", "rollForward", Expect::String, nullptr},
    {"keys", "rollBack", Expect::String, nullptr},
    {"keys", "rollLeft", Expect::String, nullptr},
    {"keys", "rollRight", Expect::String, nullptr},
    {"keys", "jump", Expect::String, nullptr},
    {"keys", "baseMode", Expect::String, nullptr},
    {"keys", "jumpMode", Expect::String, nullptr},
    {"keys", "spikeMode", Expect::String, nullptr},
    {"keys", "speedMode", Expect::String, nullptr},
    {"keys", "pause", Expect::String, nullptr},
    {"keys", "finish", Expect::String, nullptr},
    {"keys", "cameraReset", Expect::String, nullptr},
    // A level file.
    {"level", "scene", Expect::SceneList, nullptr},
    {"level", "objective", Expect::String, nullptr},
    {"level", "backdrop", Expect::Group, "backdrop"},
    {"level", "end", Expect::Group, "end"},
    {"level", "deathHeight", Expect::Number, nullptr},
    {"level", "onStart", Expect::GroupList, "rule"},
    {"level", "events", Expect::GroupList, "rule"},
    // A level's events: rules of triggers and actions.
    {"end", "text", Expect::String, nullptr},
    {"end", "next", Expect::Number, nullptr},
    {"rule", "name", Expect::String, nullptr},
    {"rule", "when", Expect::GroupList, "trigger"},
    {"rule", "unless", Expect::Names, nullptr},
    {"rule", "then", Expect::GroupList, "action"},
    {"trigger", "trigger", Expect::String, nullptr},
    {"trigger", "area", Expect::Group, "area"},
    {"trigger", "objects", Expect::Names, nullptr},
    {"trigger", "below", Expect::Number, nullptr},
    {"trigger", "any", Expect::Bool, nullptr},
    {"trigger", "seconds", Expect::Number, nullptr},
    {"trigger", "flag", Expect::String, nullptr},
    {"action", "action", Expect::String, nullptr},
    {"action", "objects", Expect::Names, nullptr},
    {"action", "mode", Expect::String, nullptr},
    {"action", "flag", Expect::String, nullptr},
    {"action", "text", Expect::String, nullptr},
    {"action", "seconds", Expect::Number, nullptr},
    {"action", "to", Expect::Vector3, nullptr},
    {"area", "x", Expect::Range, nullptr},
    {"area", "y", Expect::Range, nullptr},
    {"area", "z", Expect::Range, nullptr},
    // Scene objects, by kind.
    {"Node", "name", Expect::String, nullptr},
    {"Node", "type", Expect::String, nullptr},
    {"Node", "transform", Expect::Group, "transform"},
    {"Node", "children", Expect::SceneList, nullptr},
    {"Physics", "*", Expect::Group, "Node"},
    {"Light", "name", Expect::String, nullptr},
    {"Light", "type", Expect::String, nullptr},
    {"Light", "transform", Expect::Group, "transform"},
    {"Light", "color", Expect::Group, "lightColor"},
    {"Light", "attenuation", Expect::Group, "attenuation"},
    {"Model", "name", Expect::String, nullptr},
    {"Model", "type", Expect::String, nullptr},
    {"Model", "transform", Expect::Group, "transform"},
    {"Model", "model", Expect::String, nullptr},
    {"Model", "shader", Expect::String, nullptr},
    {"Model", "shaderOutline", Expect::String, nullptr},
    {"Model", "texture", Expect::String, nullptr},
    {"Model", "animated", Expect::Bool, nullptr},
    {"Model", "animation", Expect::Animations, nullptr},
    {"Model", "transparency", Expect::Bool, nullptr},
    {"Model", "material", Expect::Group, "material"},
    {"Model", "shape", Expect::Shape, nullptr},
    {"Model", "mass", Expect::Number, nullptr},
    {"Model", "physics", Expect::Group, "physics"},
    // The player's file, "tobble": a model with a character and its modes.
    {"player", "*", Expect::Group, "Model"},
    {"player", "character", Expect::Group, "character"},
    {"player", "states", Expect::Group, "states"},
    {"player", "movement", Expect::Group, "movement"},
    {"player", "colours", Expect::Group, "colours"},
    // Groups inside the above.
    {"transform", "scale", Expect::Vector3, nullptr},
    {"transform", "rotation", Expect::Vector4, nullptr},
    {"transform", "translation", Expect::Vector3, nullptr},
    {"material", "ambient", Expect::Vector4, nullptr},
    {"material", "diffuse", Expect::Vector4, nullptr},
    {"material", "specular", Expect::Vector4, nullptr},
    {"material", "shininess", Expect::Number, nullptr},
    {"lightColor", "ambient", Expect::Vector4, nullptr},
    {"lightColor", "diffuse", Expect::Vector4, nullptr},
    {"lightColor", "specular", Expect::Vector4, nullptr},
    {"attenuation", "constant", Expect::Number, nullptr},
    {"attenuation", "linear", Expect::Number, nullptr},
    {"attenuation", "quadratic", Expect::Number, nullptr},
    {"physics", "mass", Expect::Number, nullptr},
    {"Box", "type", Expect::String, nullptr},
    {"Box", "size", Expect::Vector3, nullptr},
    {"Box", "transform", Expect::Group, "transform"},
    {"Sphere", "type", Expect::String, nullptr},
    {"Sphere", "radius", Expect::Number, nullptr},
    {"Sphere", "transform", Expect::Group, "transform"},
    {"character", "health", Expect::Number, nullptr},
    {"character", "maximumhealth", Expect::Number, nullptr},
    {"character", "state", Expect::String, nullptr},
    {"states", "base", Expect::ModeNumbers, nullptr},
    {"states", "spike", Expect::ModeNumbers, nullptr},
    {"states", "jump", Expect::ModeNumbers, nullptr},
    {"states", "speed", Expect::ModeNumbers, nullptr},
    {"movement", "jumpHeight", Expect::Number, nullptr},
    {"movement", "rollingResistance", Expect::Number, nullptr},
    {"movement", "brake", Expect::Number, nullptr},
    {"movement", "pushingSpeed", Expect::Number, nullptr},
    {"movement", "leapSpeed", Expect::Number, nullptr},
    {"colours", "base", Expect::Group, "lightColor"},
    {"colours", "spike", Expect::Group, "lightColor"},
    {"colours", "jump", Expect::Group, "lightColor"},
    {"colours", "speed", Expect::Group, "lightColor"},
    {"backdrop", "from", Expect::Vector3, nullptr},
    {"backdrop", "to", Expect::Vector3, nullptr},
    {"backdrop", "textures", Expect::String, nullptr},
};

// The shapes a model's "shape" may be, by the context of their keys.
const char* const shapeKinds[] = {"Box", "Sphere"};

// The context whose keys an object of the kind `typeName` reads; null for
// a kind the scene loader does not build.
const char* objectContext(const std::string& typeName) {
    const ObjectKind* const kind = kinds::find(typeName);
    return kind != nullptr ? kind->keys : nullptr;
}

const char* shapeContext(const std::string& typeName) {
    for (const char* const shape : shapeKinds) {
        if (boost::iequals(typeName, shape)) {
            return shape;
        }
    }
    return nullptr;
}

bool isInheritance(const KeyRule& rule) {
    return rule.key[0] == '*';
}

// The rule for `key` in `context`, following "*" rules; null when none.
const KeyRule* findRule(const std::string& context, const std::string& key) {
    for (const KeyRule& rule : keyRules) {
        if (context != rule.context) {
            continue;
        }
        if (key == rule.key) {
            return &rule;
        }
        if (isInheritance(rule)) {
            if (const KeyRule* const inherited = findRule(rule.inner, key)) {
                return inherited;
            }
        }
    }
    return nullptr;
}

void collectKeys(const std::string& context, std::vector<std::string>& keys) {
    for (const KeyRule& rule : keyRules) {
        if (context == rule.context) {
            if (isInheritance(rule)) {
                collectKeys(rule.inner, keys);
            } else {
                keys.push_back(rule.key);
            }
        }
    }
}

std::vector<std::string> keysOf(const std::string& context) {
    std::vector<std::string> keys;
    collectKeys(context, keys);
    return keys;
}

std::string written(const Setting& value) {
    std::ostringstream out;
    value.typeName() == "String" ? out << "String " : out << value.typeName() << " ";
    value.streamTo(out);
    std::string text = out.str();
    // A whole group or a long list says nothing more than its beginning.
    const std::size_t longest = 40;
    return text.size() > longest ? text.substr(0, longest - 3) + "..." : text;
}

bool isNumber(const Setting& value) {
    return value.isInt() || value.isDouble();
}

bool isNames(const Setting& value) {
    if (!value.isList()) {
        return false;
    }
    for (const auto element = value.iterator(); element->hasNext();) {
        if (!element->next().isString()) {
            return false;
        }
    }
    return true;
}

// A list whose first `count` elements are numbers.
bool isNumbers(const Setting& value, unsigned int count) {
    if (!value.isList() || value.size() < count) {
        return false;
    }
    unsigned int numbers = 0;
    for (const auto element = value.iterator(); element->hasNext() && numbers < count;) {
        if (!isNumber(element->next())) {
            return false;
        }
        ++numbers;
    }
    return true;
}

bool isAnimation(const Setting& entry) {
    if (!entry.isList() || entry.size() < 4) {
        return false;
    }
    const auto element = entry.iterator();
    if (!element->next().isString()) {
        return false;
    }
    for (int i = 0; i < 3; ++i) {
        if (!isNumber(element->next())) {
            return false;
        }
    }
    return true;
}

bool isAnimations(const Setting& value) {
    if (!value.isList()) {
        return false;
    }
    for (const auto element = value.iterator(); element->hasNext();) {
        if (!isAnimation(element->next())) {
            return false;
        }
    }
    return true;
}

// Whether `value` has the kind `type` asks for; containers are looked into
// by the walk, not here.
bool hasKind(const Setting& value, Expect type) {
    switch (type) {
        case Expect::Bool:
            return value.isBool();
        case Expect::Number:
            return isNumber(value);
        case Expect::String:
            return value.isString();
        case Expect::Vector3:
            return isNumbers(value, 3);
        case Expect::Vector4:
        case Expect::ModeNumbers:
            return isNumbers(value, type == Expect::Vector4 ? 4 : 3);
        case Expect::Group:
            return value.isGroup();
        case Expect::SceneList:
            return value.isList();
        case Expect::Shape:
            return value.isGroup() || value.isList();
        case Expect::Animations:
            return isAnimations(value);
        case Expect::Range:
            return isNumbers(value, 2) && value.size() == 2;
        case Expect::Names:
            return value.isString() || isNames(value);
        case Expect::GroupList:
            return value.isList();
    }
    return false;
}

const char* describe(Expect type) {
    switch (type) {
        case Expect::Bool:
            return "a boolean (true or false)";
        case Expect::Number:
            return "a number";
        case Expect::String:
            return "a string";
        case Expect::Vector3:
            return "a list of 3 numbers";
        case Expect::Vector4:
            return "a list of 4 numbers";
        case Expect::Group:
            return "a group";
        case Expect::SceneList:
            return "a list of scene objects";
        case Expect::Shape:
            return "a shape (Box or Sphere) or a list of shapes";
        case Expect::Animations:
            return "a list of [name, first frame, last frame, frames per second]";
        case Expect::ModeNumbers:
            return "a list of 3 numbers [push strength, unused, mass]";
        case Expect::Range:
            return "two numbers (low, high)";
        case Expect::Names:
            return "a name or a list of names";
        case Expect::GroupList:
            return "a list of groups";
    }
    return "";
}

const char* const settingsContext = "settings";

// Walks a tree and collects the warnings, one per place and text.
class SchemaWalk {
public:
    const std::vector<SchemaWarning>& warnings() const { return found; }

    void checkGroup(const std::string& context, const Setting& group, const Setting& anchor) {
        // A prototype's keys count for every instance; the walk checks the
        // chain's groups each in turn, and the same place is told once.
        const Group* link = dynamic_cast<const Group*>(group.value().get());
        for (; link != nullptr; link = link->prototypeGroup()) {
            // Prototypes are shared by many instances: each is read once
            // in each context.
            if (!checked.insert(std::make_pair(link, context)).second) {
                continue;
            }
            for (const auto& entry : link->entries()) {
                checkEntry(context, entry.first, entry.second, anchor);
            }
        }
    }

    void checkSceneObject(const Setting& object, const Setting& anchor) {
        if (object.isList()) {
            checkSceneList(object, anchor);
        } else if (object.isGroup()) {
            const char* const context = objectContext(object.typeName());
            if (context == nullptr) {
                warn(object, anchor,
                     "unknown kind of scene object " + object.typeName() +
                         "; known kinds: " + kindNames());
                return;
            }
            checkGroup(context, object, object);
        } else if (!object.isString()) {
            warn(object, anchor,
                 "a scene object is a group, a list or a file name, not " + written(object));
        }
    }

    void checkPrototypes(const Setting& prototypes) {
        for (const auto entry = prototypes.iterator(); entry->hasNext();) {
            const Setting pair = entry->next();
            const Setting value = pair.second();
            if (!pair.first().isString() || !value.isGroup()) {
                continue;
            }
            // A prototype is read as its kind, which its name gives when
            // nothing else does ("Light = { ... }").
            const std::string& name = pair.first().asString();
            const char* context = objectContext(value.typeName());
            context = context ? context : shapeContext(value.typeName());
            context = context ? context : objectContext(name);
            context = context ? context : shapeContext(name);
            if (context != nullptr) {
                checkGroup(context, value, pair.first());
            }
        }
    }

private:
    void checkEntry(const std::string& context, const Setting& key, const Setting& value,
                    const Setting& anchor) {
        if (!key.isString()) {
            warn(key, anchor, "the key " + written(key) + " is never read: keys are names");
            return;
        }
        const std::string& name = key.asString();
        const KeyRule* const rule = findRule(context, name);
        if (rule == nullptr) {
            warnUnknown(context, key, value, anchor);
        } else if (!hasKind(value, rule->type)) {
            warn(key, anchor,
                 "\"" + name + "\" should be " + describe(rule->type) + ", not " + written(value));
        } else {
            checkInside(*rule, value, key);
        }
    }

    void checkInside(const KeyRule& rule, const Setting& value, const Setting& anchor) {
        if (rule.type == Expect::Group) {
            checkGroup(rule.inner, value, anchor);
        } else if (rule.type == Expect::SceneList) {
            checkSceneList(value, anchor);
        } else if (rule.type == Expect::Shape) {
            checkShape(value, anchor);
        } else if (rule.type == Expect::GroupList) {
            checkGroupList(rule.inner, value, anchor);
        }
    }

    void checkGroupList(const std::string& context, const Setting& list, const Setting& anchor) {
        for (const auto element = list.iterator(); element->hasNext();) {
            const Setting group = element->next();
            if (group.isGroup()) {
                checkGroup(context, group, anchor);
            }
        }
    }

    void checkSceneList(const Setting& list, const Setting& anchor) {
        for (const auto element = list.iterator(); element->hasNext();) {
            checkSceneObject(element->next(), anchor);
        }
    }

    void checkShape(const Setting& shape, const Setting& anchor) {
        if (shape.isList()) {
            for (const auto part = shape.iterator(); part->hasNext();) {
                const Setting element = part->next();
                if (element.isGroup() || element.isList()) {
                    checkShape(element, anchor);
                } else {
                    warn(element, anchor,
                         "a part of a shape is a shape or a list, not " + written(element));
                }
            }
            return;
        }
        const char* const context = shapeContext(shape.typeName());
        if (context == nullptr) {
            warn(shape, anchor,
                 "unknown shape kind " + shape.typeName() +
                     "; the game makes a box of the model's size instead (known kinds: Box, "
                     "Sphere)");
            return;
        }
        checkGroup(context, shape, shape);
    }

    void warnUnknown(const std::string& context, const Setting& key, const Setting& value,
                     const Setting& anchor) {
        const std::string& name = key.asString();
        if (context == settingsContext && value.isGroup()) {
            const std::string inside = settingsInside(value);
            if (!inside.empty()) {
                warn(key, anchor,
                     "the settings inside \"" + name + "\" are ignored: the game reads " + inside +
                         " only at the top level of the file");
                return;
            }
        }
        const std::string suggestion = closestKey(name, keysOf(context));
        warn(key, anchor,
             "unknown key \"" + name + "\" in " + shownContext(context) +
                 (suggestion.empty() ? "; the game does not read it"
                                     : "; did you mean " + suggestion + "?"));
    }

    // The names of the settings keys held by `group`, or empty.
    static std::string settingsInside(const Setting& group) {
        std::string names;
        for (const auto entry = group.iterator(); entry->hasNext();) {
            const Setting key = entry->next().first();
            if (key.isString() && findRule(settingsContext, key.asString()) != nullptr) {
                names += (names.empty() ? "" : ", ") + key.asString();
            }
        }
        return names;
    }

    static std::string shownContext(const std::string& context) {
        if (context == settingsContext) {
            return "the settings";
        }
        if (context == "player") {
            return "the player's file";
        }
        if (context == "level") {
            return "the level";
        }
        return context;
    }

    static std::string kindNames() {
        std::string names;
        for (const ObjectKind* const kind : kinds::all()) {
            names += (names.empty() ? "" : ", ") + std::string(kind->name);
        }
        return names;
    }

    // Reports at `value`'s own place when it has one, else at `anchor`'s.
    void warn(const Setting& value, const Setting& anchor, const std::string& text) {
        SchemaWarning warning{SourcePosition{"", "", 0, 0}, false, text};
        warning.positioned =
            findPosition(value, warning.position) || findPosition(anchor, warning.position);
        const std::string place = warning.position.path + ":" +
                                  std::to_string(warning.position.line) + ":" +
                                  std::to_string(warning.position.column) + ":" + text;
        if (told.insert(place).second) {
            found.push_back(warning);
        }
    }

    std::vector<SchemaWarning> found;
    std::set<std::string> told;
    std::set<std::pair<const Group*, std::string>> checked;
};

std::string lowered(const std::string& text) {
    std::string lower = text;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

// Edits (insertions, deletions, substitutions, swaps of neighbours) that turn
// `a` into `b`.
std::size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<std::vector<std::size_t>> d(a.size() + 1, std::vector<std::size_t>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i) {
        d[i][0] = i;
    }
    for (std::size_t j = 0; j <= b.size(); ++j) {
        d[0][j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1]) {
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
            }
        }
    }
    return d[a.size()][b.size()];
}

}  // namespace

ConfigDocument documentOf(const std::string& name, const Setting& root) {
    if (name == "settings") {
        return ConfigDocument::Settings;
    }
    if (name == "tobble") {
        return ConfigDocument::Player;
    }
    if (name == "prototypes") {
        return ConfigDocument::Prototypes;
    }
    if (!root.isGroup()) {
        return ConfigDocument::Unknown;
    }
    if (root.contains("scene")) {
        return ConfigDocument::Level;
    }
    // A file of plain settings may be anything; one of a kind the scene
    // loader builds is a scene object's description.
    return objectContext(root.typeName()) != nullptr ? ConfigDocument::SceneObject
                                                     : ConfigDocument::Unknown;
}

std::vector<SchemaWarning> checkAgainstSchema(ConfigDocument document, const Setting& root) {
    SchemaWalk walk;
    if (!root.isGroup() && document != ConfigDocument::SceneObject) {
        return walk.warnings();
    }
    switch (document) {
        case ConfigDocument::Settings:
            walk.checkGroup(settingsContext, root, root);
            break;
        case ConfigDocument::Player:
            walk.checkGroup("player", root, root);
            break;
        case ConfigDocument::Level:
            walk.checkGroup("level", root, root);
            break;
        case ConfigDocument::SceneObject:
            walk.checkSceneObject(root, root);
            break;
        case ConfigDocument::Prototypes:
            walk.checkPrototypes(root);
            break;
        case ConfigDocument::Unknown:
            break;
    }
    // In the order of the text, not of the groups' hash maps.
    std::vector<SchemaWarning> warnings = walk.warnings();
    std::stable_sort(warnings.begin(), warnings.end(),
                     [](const SchemaWarning& a, const SchemaWarning& b) {
                         return std::make_tuple(!a.positioned, a.position.path, a.position.line,
                                                a.position.column) <
                                std::make_tuple(!b.positioned, b.position.path, b.position.line,
                                                b.position.column);
                     });
    return warnings;
}

std::string sceneObjectContext(const std::string& kind) {
    const char* const context = objectContext(kind);
    return context != nullptr ? context : "";
}

std::string closestKey(const std::string& key, const std::vector<std::string>& candidates) {
    std::string best;
    std::size_t bestDistance = 0;
    for (const std::string& candidate : candidates) {
        const std::size_t distance = editDistance(lowered(key), lowered(candidate));
        if (best.empty() || distance < bestDistance) {
            best = candidate;
            bestDistance = distance;
        }
    }
    // A slip is one or two edits, and fewer than a third of the word.
    const std::size_t allowed = std::min<std::size_t>(2, std::max<std::size_t>(1, key.size() / 3));
    return !best.empty() && bestDistance <= allowed ? best : std::string();
}

}  // namespace lum
