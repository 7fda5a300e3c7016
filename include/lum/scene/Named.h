#ifndef LUM_SCENE_NAMED_H
#define LUM_SCENE_NAMED_H

#include <string>

namespace lum {

// Something with a name that is fixed when it is made.
class Named {
public:
    explicit Named(const std::string& name);

    const std::string& getName() const;

private:
    const std::string name;
};

}  // namespace lum

#endif
