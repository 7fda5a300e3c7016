#include "flow/LevelRun.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "lum/character/Corn.h"
#include "lum/scene/Node.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

// Sums of frame times such as 0.1 + 0.1 + 0.1 fall a hair short of the
// tenth they mean; the clock must not show the tenth before.
const double summingSlack = 1e-9;
// Beyond this the reading would not fit its integer; no run lasts that long.
const double longestTenths = 1e15;

// A physics node's children are the pieces of its shape, never corn.
void collectCorn(Node& node, std::vector<boost::weak_ptr<Spatial>>& found) {
    for (const boost::shared_ptr<Spatial>& child : node) {
        if (dynamic_cast<Corn*>(child.get()) != nullptr) {
            found.push_back(child);
        } else if (dynamic_cast<PhysicsNode*>(child.get()) != nullptr) {
            continue;
        } else if (Node* const group = dynamic_cast<Node*>(child.get())) {
            collectCorn(*group, found);
        }
    }
}

}  // namespace

LevelRun::LevelRun() : seconds(0.0) {}

void LevelRun::begin(Node& root) {
    LUM_TRACE_BEGIN
    seconds = 0.0;
    corn.clear();
    collectCorn(root, corn);
    LUM_TRACE_END
}

void LevelRun::advance(double dt) {
    if (std::isfinite(dt) && dt > 0.0) {
        seconds += dt;
    }
}

double LevelRun::elapsed() const {
    return seconds;
}

// A corn that vanished has left its parent; nothing else in the game
// takes one away while the attempt lasts.
int LevelRun::cornFound() const {
    int found = 0;
    for (const boost::weak_ptr<Spatial>& each : corn) {
        const boost::shared_ptr<Spatial> one = each.lock();
        found += !one || !one->getParent();
    }
    return found;
}

int LevelRun::cornTotal() const {
    return static_cast<int>(corn.size());
}

std::string LevelRun::hudText() const {
    const std::string clock = formatClock(seconds);
    return corn.empty() ? clock : clock + "  " + formatCorn(cornFound(), cornTotal());
}

std::string formatClock(double seconds) {
    const double tenths =
        std::isfinite(seconds) && seconds > 0.0 ? std::floor(seconds * 10.0 + summingSlack) : 0.0;
    const long long whole = static_cast<long long>(std::min(tenths, longestTenths));
    char text[48];
    std::snprintf(text, sizeof text, "%lld:%02lld.%lld", whole / 600, whole / 10 % 60, whole % 10);
    return text;
}

std::string formatCorn(int found, int total) {
    return "corn " + std::to_string(found) + "/" + std::to_string(total);
}

}  // namespace lum
