#include <gtest/gtest.h>

#include <GL/glew.h>

#include <vector>

#include "FrameColours.h"
#include "RendererFixture.h"
#include "flow/TextPanel.h"

using namespace lum;

class TextPanelTest : public RendererTest {};

// The end screens write over the last frame of the level, which may be as
// light as the text: the panel behind it keeps it readable.
TEST_F(TextPanelTest, EndScreenTextSitsOnADarkPanelOverALightPicture) {
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    const float x = -0.5f, y = 0.0f, size = 0.04f;
    drawTextOnPanel("there was no time to bake cake", x, y, size, glm::vec3(1, 1, 1));
    const Picture frame = Picture::ofBackBuffer(Renderer::windowWidth, Renderer::windowHeight);

    // A strip just under the letters and one just over them, inside the panel.
    const int left = Renderer::windowWidth / 4;
    const int right = left + 30 * 20;
    std::vector<Rgb8> margin;
    std::vector<Rgb8> text;
    for (int px = left; px < right; ++px) {
        margin.push_back(frame.at(px, Renderer::windowHeight / 2 - 6));
        margin.push_back(frame.at(px, Renderer::windowHeight / 2 + 46));
        for (int py = Renderer::windowHeight / 2; py < Renderer::windowHeight / 2 + 40; ++py) {
            text.push_back(frame.at(px, py));
        }
    }
    EXPECT_LT(summarise(margin).value, 0.35f) << "the panel round the text is not dark";
    int white = 0;
    for (const Rgb8& pixel : text) {
        white += pixel.r > 240 && pixel.g > 240 && pixel.b > 240;
    }
    EXPECT_GT(white, 500) << "the text does not show on the panel";
    EXPECT_LT(white, static_cast<int>(text.size()) / 2) << "the text is lost in white";
}
