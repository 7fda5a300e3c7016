#ifndef LUM_CONFIG_PAIR_H
#define LUM_CONFIG_PAIR_H

#include "lum/config/Value.h"

namespace lum {

// A key and its value, as the parser builds a setting and as a group's
// iterator hands out its entries. Both halves are shared, not copied.
class Pair : public Value {
public:
    Pair(const Setting& first, const Setting& second);

    bool isPair() const override;
    Setting first() const override;
    Setting second() const override;
    void streamTo(std::ostream& out) const override;
    bool equals(const Setting& other) const override;
    std::size_t hash() const override;
    const std::string& typeName() const override;

private:
    Setting key;
    Setting value;
};

}  // namespace lum

#endif
