#include "lum/config/SourcePositions.h"

#include <algorithm>
#include <unordered_map>
#include <utility>
#include <vector>

#include <boost/weak_ptr.hpp>

namespace lum {

namespace {

struct Remembered {
    boost::weak_ptr<Value> value;
    int file;
    int line;
    int column;
};

// Every file named so far, by its number.
std::vector<std::pair<std::string, std::string>>& files() {
    static std::vector<std::pair<std::string, std::string>> named;
    return named;
}

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

int sourceFile(const std::string& file, const std::string& path) {
    std::vector<std::pair<std::string, std::string>>& named = files();
    const std::pair<std::string, std::string> names(file, path);
    const auto found = std::find(named.begin(), named.end(), names);
    if (found != named.end()) {
        return static_cast<int>(found - named.begin());
    }
    named.push_back(names);
    return static_cast<int>(named.size() - 1);
}

void rememberPosition(const Setting& value, int file, int line, int column) {
    forgetValuesThatAreGone();
    positions()[value.value().get()] = Remembered{value.value(), file, line, column};
}

bool findPosition(const Setting& value, SourcePosition& position) {
    const Positions& table = positions();
    const auto found = table.find(value.value().get());
    // The address may have been reused by a value made since.
    if (found == table.end() || found->second.value.lock() != value.value()) {
        return false;
    }
    const Remembered& remembered = found->second;
    const std::pair<std::string, std::string>& names = files()[remembered.file];
    position = SourcePosition{names.first, names.second, remembered.line, remembered.column};
    return true;
}

}  // namespace lum
