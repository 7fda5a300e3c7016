#ifndef GLIMMET_TITLESCREEN_H
#define GLIMMET_TITLESCREEN_H

#include <boost/shared_ptr.hpp>

#include "flow/Menu.h"
#include "flow/Screen.h"

namespace lum {

class Texture;

// The first screen: the title picture with Play, Levels, Options and Quit.
// Play starts `playLevel`; F2 and F3 start levels 2 and 3 at once, and
// Escape quits.
class TitleScreen : public Screen {
public:
    enum Item { Play, Levels, Options, Quit };

    TitleScreen(const boost::shared_ptr<Texture>& picture, int playLevel);

    void enter(const InputFrame& input) override;
    ScreenOutcome update(const InputFrame& input) override;
    void draw() const override;

private:
    boost::shared_ptr<Texture> picture;
    int playLevel;
    Menu menu;
};

// The title picture over the whole window, below a screen's own texts.
void drawPicture(const boost::shared_ptr<Texture>& picture);

}  // namespace lum

#endif
