#ifndef GLIMMET_LEVELCHECK_H
#define GLIMMET_LEVELCHECK_H

#include <functional>
#include <string>

namespace lum {

// What is wrong with a level's files, at the first place that says so.
struct LevelProblem {
    // The file as found; line and column 0 when the problem has no place.
    std::string file;
    int line = 0;
    int column = 0;
    std::string text;

    // "file:line:col: text", or "file: text" without a place; empty when
    // there is no problem.
    std::string message() const;
    bool empty() const;
};

// Runs `load` with the configuration language's diagnostics held back: they
// neither reach the console nor end the process. The first syntax or fatal
// diagnostic is the problem, a fatal one ending the load; without one, an
// exception's first line is, told as of `file`. Empty when the load went
// through. The game runs on after a broken level file.
LevelProblem problemOf(const std::function<void()>& load, const std::string& file);

// How far a level is tried.
enum class LevelTrial {
    // Its files load and it has a "scene" list.
    files,
    // Its objects and its room are built too, and dropped again: a missing
    // model, texture or object file shows. Needs a living renderer.
    objects
};

// The first problem of the level `name` (as ConfigLoader::load takes it);
// empty when it loads. `file` names the level in a problem without a place.
LevelProblem checkLevel(const std::string& name, const std::string& file, LevelTrial trial);

}  // namespace lum

#endif
