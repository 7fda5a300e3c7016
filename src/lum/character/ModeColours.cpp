#include "lum/character/ModeColours.h"

#include "lum/config/Setting.h"
#include "lum/render/Uniform.h"
#include "lum/scene/Material.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

struct NamedColours {
    const char* mode;
    ModeColours colours;
};

// Used when the configuration gives a mode no colours of its own.
const NamedColours builtInColours[] = {
    {"base", {glm::vec4(1, 1, 1, 1), glm::vec4(1, 1, 1, 1), glm::vec4(1, 1, 1, 1)}},
    {"spike",
     {glm::vec4(0.5f, 0.5f, 0.5f, 1), glm::vec4(0.7f, 0.7f, 0.7f, 1),
      glm::vec4(0.2f, 0.2f, 0.2f, 1)}},
    {"jump", {glm::vec4(0.3f, 0, 0, 1), glm::vec4(1, 0, 0, 1), glm::vec4(0.2f, 0, 0, 1)}},
    {"speed", {glm::vec4(0, 0, 0.5f, 1), glm::vec4(0, 0, 1, 1), glm::vec4(0, 0, 0.1f, 1)}},
};

const glm::vec4 white(1, 1, 1, 1);

}  // namespace

ModeColours ModeColours::builtIn(const std::string& mode) {
    for (const NamedColours& named : builtInColours) {
        if (mode == named.mode) {
            return named.colours;
        }
    }
    return ModeColours{white, white, white};
}

ModeColours ModeColours::read(const Setting& configuration, const std::string& mode) {
    LUM_TRACE_BEGIN
    ModeColours colours = builtIn(mode);
    if (!configuration.isGroup() || !configuration.contains(Setting("colours"))) {
        return colours;
    }
    const Setting all = configuration("colours");
    if (!all.isGroup() || !all.contains(Setting(mode))) {
        return colours;
    }
    const Setting own = all(mode);
    if (!own.isGroup()) {
        return colours;
    }
    colours.ambient = own("ambient").toVec4(colours.ambient);
    colours.diffuse = own("diffuse").toVec4(colours.diffuse);
    colours.specular = own("specular").toVec4(colours.specular);
    return colours;
    LUM_TRACE_END
}

void ModeColours::applyTo(Material& material) const {
    LUM_TRACE_BEGIN
    material.getUniform("material.ambient")->asVec4().setValue(ambient);
    material.getUniform("material.diffuse")->asVec4().setValue(diffuse);
    material.getUniform("material.specular")->asVec4().setValue(specular);
    LUM_TRACE_END
}

}  // namespace lum
