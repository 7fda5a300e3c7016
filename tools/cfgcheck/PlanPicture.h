#ifndef GLIMMET_CFGCHECK_PLANPICTURE_H
#define GLIMMET_CFGCHECK_PLANPICTURE_H

#include <string>

#include <glm/glm.hpp>

#include "LevelPlan.h"

namespace lum {

// Draws a level's plan from above into a PNG file as the game's world looks
// from overhead, +x to the right and +z down (a plan with +z up would be
// the world's mirror image): shapes filled by what they are, hidden ones hatched,
// the script's areas outlined, the player's start marked, a title, a scale
// bar and a legend.
class PlanPicture {
public:
    // Fits the plan into `width` pixels across.
    PlanPicture(const LevelPlan& plan, int width);

    // Throws std::runtime_error when the file cannot be written.
    void writePng(const std::string& path) const;

    // Where the point (x, z) of the ground plane lands in the picture, and
    // the pixels per world unit: pixel = (originX + scale x, originY + scale z).
    glm::vec2 pixelOf(const glm::vec2& ground) const;
    float pixelsPerUnit() const;
    int width() const;
    int height() const;

private:
    const LevelPlan& plan;
    int pictureWidth;
    int pictureHeight;
    float scale;
    glm::vec2 origin;
};

}  // namespace lum

#endif
