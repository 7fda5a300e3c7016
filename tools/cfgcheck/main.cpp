// glimmet-cfgcheck: checks the game's configuration files without the game.
//
//   glimmet-cfgcheck <resources dir>          load every .cfg file below the
//                                             directory and report each
//                                             file's first error
//   glimmet-cfgcheck <resources dir> <name>   print the configuration <name>
//                                             as a tree
//
// Errors read exactly as the game prints them. The exit status is 1 when any
// file has an error, 2 on wrong use.

#include <iostream>
#include <stdexcept>

#include "ConfigChecker.h"
#include "ResourceRoot.h"

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) {
        std::cerr << "usage: glimmet-cfgcheck <resources dir> [<configuration name>]\n";
        return 2;
    }
    try {
        const lum::ResourceRoot root(argv[1]);
        const lum::ConfigChecker checker;
        if (argc == 2) {
            return checker.checkAll(std::cout) == 0 ? 0 : 1;
        }
        return checker.printTree(argv[2], std::cout) ? 0 : 1;
    } catch (const std::exception& e) {
        std::cerr << "glimmet-cfgcheck: " << e.what() << "\n";
        return 2;
    }
}
