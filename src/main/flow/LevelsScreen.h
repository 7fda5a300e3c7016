#ifndef GLIMMET_LEVELSSCREEN_H
#define GLIMMET_LEVELSSCREEN_H

#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>

#include "flow/LevelList.h"
#include "flow/Menu.h"
#include "flow/Screen.h"

namespace lum {

class Texture;

// Every level with its best time and corn, over the title picture; choosing
// one plays it, Back or Escape go back to the title.
class LevelsScreen : public Screen {
public:
    LevelsScreen(const boost::shared_ptr<Texture>& picture, const std::vector<LevelEntry>& levels,
                 const Records* records);

    void enter(const InputFrame& input) override;
    ScreenOutcome update(const InputFrame& input) override;
    void draw() const override;
    // Tells why the level just chosen cannot be played; the list stays.
    void refuse(const std::string& problem);

private:
    boost::shared_ptr<Texture> picture;
    std::vector<LevelEntry> levels;
    Menu menu;
    std::vector<std::string> refusal;
};

}  // namespace lum

#endif
