#ifndef GLIMMET_LEVELRUN_H
#define GLIMMET_LEVELRUN_H

#include <string>
#include <vector>

#include <boost/weak_ptr.hpp>

namespace lum {

class Node;
class Spatial;

// One attempt at a level, as the player sees it in the corner of the screen:
// the time played and the corn found. The clock moves only by the frame
// times it is given, so that a scripted run always shows the same time.
class LevelRun {
public:
    LevelRun();

    // A new attempt on the level below `root`: the clock back to 0, the
    // level's corn counted.
    void begin(Node& root);
    // One pass of play; a time that is negative or not finite adds nothing.
    void advance(double dt);

    double elapsed() const;
    // Corn that has vanished on Tobble's touch since the attempt began.
    int cornFound() const;
    int cornTotal() const;
    // "1:23.4  corn 2/4"; the clock alone on a level without corn.
    std::string hudText() const;

private:
    double seconds;
    std::vector<boost::weak_ptr<Spatial>> corn;
};

// A stopwatch's reading, minutes:seconds.tenths ("0:07.3", "12:00.0"): the
// tenths are cut, never rounded up.
std::string formatClock(double seconds);

// "corn 2/4".
std::string formatCorn(int found, int total);

}  // namespace lum

#endif
