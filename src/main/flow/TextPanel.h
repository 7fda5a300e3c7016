#ifndef GLIMMET_TEXTPANEL_H
#define GLIMMET_TEXTPANEL_H

#include <string>

#include <glm/vec3.hpp>

namespace lum {

// A glyph drawn `size` wide is this many times as high (cells of 30 x 64 texels).
constexpr float glyphAspect = 64.0f / 30.0f;

// Screen text as Renderer::drawText writes it, on the framed panel
// "textPanel" that fits it with a margin all round, so it reads over any
// picture behind it.
void drawTextOnPanel(const std::string& text, float x, float y, float size,
                     const glm::vec3& colour);

}  // namespace lum

#endif
