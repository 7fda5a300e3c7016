#ifndef LUM_CHARACTER_MODECOLOURS_H
#define LUM_CHARACTER_MODECOLOURS_H

#include <string>

#include <glm/vec4.hpp>

namespace lum {

class Material;
class Setting;

// The three material colours that tint the player's model in one mode.
struct ModeColours {
    glm::vec4 ambient;
    glm::vec4 diffuse;
    glm::vec4 specular;

    // The colours of `mode` from the group `colours` of the player's
    // configuration: each of its colours a list of four numbers. A colour
    // that is missing or not such a list keeps the built-in one of the mode;
    // a mode without built-in colours starts from white.
    static ModeColours read(const Setting& configuration, const std::string& mode);
    // The colours the game uses when the configuration names none.
    static ModeColours builtIn(const std::string& mode);

    // Sets "material.ambient", "material.diffuse" and "material.specular".
    void applyTo(Material& material) const;
};

}  // namespace lum

#endif
