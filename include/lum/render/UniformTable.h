#ifndef LUM_RENDER_UNIFORMTABLE_H
#define LUM_RENDER_UNIFORMTABLE_H

#include <map>
#include <string>
#include <vector>

#include <GL/glew.h>
#include <boost/shared_ptr.hpp>

namespace lum {

class Uniform;

// Uniforms in the order they were added, also found by name and location.
// No two share a location: of two at the same location the first is kept.
class UniformTable {
public:
    using UniformList = std::vector<boost::shared_ptr<Uniform>>;

    explicit UniformTable(const UniformList& uniforms);

    const UniformList& getList() const;
    // Null when there is none of that name.
    Uniform* find(const std::string& name) const;

private:
    UniformList list;
    std::map<std::string, boost::shared_ptr<Uniform>> byName;
    std::map<GLint, boost::shared_ptr<Uniform>> byLocation;
};

}  // namespace lum

#endif
