#include "flow/TextPanel.h"

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

}  // namespace

void drawTextOnPanel(const std::string& text, float x, float y, float size,
                     const glm::vec3& colour) {
    LUM_TRACE_BEGIN
    const float marginX = marginInGlyphs * size;
    // As many pixels as marginX in a window of any shape.
    const WindowSize shown = lum::window().getSize();
    const WindowSize window =
        shown.height > 0 ? shown : WindowSize{Renderer::windowWidth, Renderer::windowHeight};
    const float marginY = marginX * window.width / window.height;
    Renderer& renderer = Renderer::instance();
    renderer.drawImage(TextureLoader::instance().load(panelTexture), x - marginX, y - marginY,
                       text.size() * size + 2.0f * marginX, size * glyphAspect + 2.0f * marginY);
    renderer.drawText(text, x, y, size, colour);
    LUM_TRACE_END
}

}  // namespace lum
