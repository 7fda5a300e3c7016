#include "lum/config/SourcePositions.h"

#include <unordered_map>
#include <utility>

#include <boost/weak_ptr.hpp>

namespace lum {

namespace {

struct Remembered {
    boost::weak_ptr<Value> value;
    SourcePosition position;
};

typedef std::unordered_map<const Value*, Remembered> Positions;

Positions& positions() {
    static Positions remembered;
    return remembered;
}

// Entries of values that are gone, dropped whenever the table has doubled,
// so that loading the same file again and again keeps it small.
void forgetValuesThatAreGone() {
    static std::size_t sizeAfterLastSweep = 0;
    Positions& table = positions();
    if (table.size() < 2 * sizeAfterLastSweep + 1024) {
        return;
    }
    for (auto entry = table.begin(); entry != table.end();) {
        entry = entry->second.value.expired() ? table.erase(entry) : std::next(entry);
    }
    sizeAfterLastSweep = table.size();
}

}  // namespace

void rememberPosition(const Setting& value, const SourcePosition& position) {
    forgetValuesThatAreGone();
    positions()[value.value().get()] = Remembered{value.value(), position};
}

bool findPosition(const Setting& value, SourcePosition& position) {
    const Positions& table = positions();
    const auto found = table.find(value.value().get());
    // The address may have been reused by a value made since.
    if (found == table.end() || found->second.value.lock() != value.value()) {
        return false;
    }
    position = found->second.position;
    return true;
}

}  // namespace lum
