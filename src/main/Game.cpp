#include "Game.h"

#include <GL/glew.h>

namespace lum {

void Game::start() {}

void Game::prepareLoop() {}

bool Game::pass(double) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    return true;
}

}  // namespace lum
