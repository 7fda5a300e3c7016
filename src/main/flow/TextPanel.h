#ifndef GLIMMET_TEXTPANEL_H
#define GLIMMET_TEXTPANEL_H

#include <string>
#include <vector>

#include <glm/vec3.hpp>

namespace lum {

// A glyph drawn `size` wide is this many times as high (cells of 30 x 64 texels).
constexpr float glyphAspect = 64.0f / 30.0f;

// Screen text as Renderer::drawText writes it, on the framed panel
// "textPanel" that fits it with a margin all round, so it reads over any
// picture behind it.
void drawTextOnPanel(const std::string& text, float x, float y, float size,
                     const glm::vec3& colour);

// `lines` one under the other on a single panel, the first line's lower left
// corner at (x, y).
void drawLinesOnPanel(const std::vector<std::string>& lines, float x, float y, float size,
                      const glm::vec3& colour);

// The distance from one line's foot to the next one's in drawLinesOnPanel.
float linePitch(float size);

// The words of `text` on lines of at most `width` characters; a longer word
// is cut over several lines.
std::vector<std::string> wrapText(const std::string& text, std::size_t width);

// The most characters of any of `lines`.
std::size_t widestLine(const std::vector<std::string>& lines);

}  // namespace lum

#endif
