#ifndef GLIMMET_TEXTPANEL_H
#define GLIMMET_TEXTPANEL_H

#include <string>

#include <glm/vec3.hpp>

namespace lum {

// Screen text as Renderer::drawText writes it, on the framed panel
// "textPanel" that fits it with a margin all round, so it reads over any
// picture behind it.
void drawTextOnPanel(const std::string& text, float x, float y, float size,
                     const glm::vec3& colour);

}  // namespace lum

#endif
