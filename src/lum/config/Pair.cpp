#include "lum/config/Pair.h"

#include <ostream>

#include <boost/functional/hash.hpp>

namespace lum {

Pair::Pair(const Setting& first, const Setting& second) : key(first), value(second) {}

bool Pair::isPair() const {
    return true;
}

Setting Pair::first() const {
    return key;
}

Setting Pair::second() const {
    return value;
}

void Pair::streamTo(std::ostream& out) const {
    key.streamTo(out);
    out << "=";
    value.streamTo(out);
}

bool Pair::equals(const Setting& other) const {
    return other.isPair() && key.equals(other.first()) && value.equals(other.second());
}

std::size_t Pair::hash() const {
    std::size_t seed = key.hash();
    boost::hash_combine(seed, value.hash());
    return seed;
}

const std::string& Pair::typeName() const {
    static const std::string name = "Pair";
    return name;
}

}  // namespace lum
