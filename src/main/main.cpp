// Tobble the Glimmet: the program's entry. No command line is read; every
// ending that is not an early exit closes with the same line and status 0.

#include <iostream>

#include "FrameLoop.h"
#include "Game.h"
#include "TopLevel.h"
#include "lum/render/Renderer.h"

int main() {
    lum::runGuarded(
        [] {
            lum::Renderer renderer;
            lum::Game game;
            game.start();
            game.prepareLoop();
            lum::runFrameLoop([&game](double dt) { return game.pass(dt); });
        },
        std::cerr);
    std::cout << lum::closingLine << std::endl;
    return 0;
}
