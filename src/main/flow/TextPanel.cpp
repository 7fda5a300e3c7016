#include "flow/TextPanel.h"

#include <algorithm>
#include <sstream>

#include "lum/platform/Window.h"
#include "lum/render/Renderer.h"
#include "lum/resource/TextureLoader.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const char* const panelTexture = "textPanel";
// The margin round the text, in glyph widths; the same number of pixels up
// and down as left and right.
const float marginInGlyphs = 1.5f;
// Lines on one panel stand this many glyph heights apart.
const float lineSpacing = 1.4f;

void drawPanel(float x, float y, float width, float height, float size) {
    const float marginX = marginInGlyphs * size;
    // As many pixels as marginX in a window of any shape.
    const WindowSize shown = lum::window().getSize();
    const WindowSize window =
        shown.height > 0 ? shown : WindowSize{Renderer::windowWidth, Renderer::windowHeight};
    const float marginY = marginX * window.width / window.height;
    Renderer::instance().drawImage(TextureLoader::instance().load(panelTexture), x - marginX,
                                   y - marginY, width + 2.0f * marginX, height + 2.0f * marginY);
}

}  // namespace

void drawTextOnPanel(const std::string& text, float x, float y, float size,
                     const glm::vec3& colour) {
    LUM_TRACE_BEGIN
    drawLinesOnPanel({text}, x, y, size, colour);
    LUM_TRACE_END
}

float linePitch(float size) {
    return lineSpacing * size * glyphAspect;
}

void drawLinesOnPanel(const std::vector<std::string>& lines, float x, float y, float size,
                      const glm::vec3& colour) {
    LUM_TRACE_BEGIN
    if (lines.empty()) {
        return;
    }
    const float below = linePitch(size) * (lines.size() - 1);
    drawPanel(x, y - below, widestLine(lines) * size, size * glyphAspect + below, size);
    Renderer& renderer = Renderer::instance();
    for (std::size_t line = 0; line < lines.size(); ++line) {
        renderer.drawText(lines[line], x, y - linePitch(size) * line, size, colour);
    }
    LUM_TRACE_END
}

std::vector<std::string> wrapText(const std::string& text, std::size_t width) {
    std::vector<std::string> lines;
    std::istringstream words(text);
    std::string word;
    std::string line;
    while (words >> word) {
        if (!line.empty() && line.size() + 1 + word.size() > width) {
            lines.push_back(line);
            line.clear();
        }
        for (; width > 0 && word.size() > width; word.erase(0, width)) {
            if (!line.empty()) {
                lines.push_back(line);
                line.clear();
            }
            lines.push_back(word.substr(0, width));
        }
        line += (line.empty() ? "" : " ") + word;
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

std::size_t widestLine(const std::vector<std::string>& lines) {
    std::size_t most = 0;
    for (const std::string& line : lines) {
        most = std::max(most, line.size());
    }
    return most;
}

}  // namespace lum
