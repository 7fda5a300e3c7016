#ifndef LUM_CONFIG_LIST_H
#define LUM_CONFIG_LIST_H

#include <vector>

#include <boost/enable_shared_from_this.hpp>

#include "lum/config/Value.h"

namespace lum {

// An ordered sequence of values. Indexing past the end lengthens the list
// with Invalid values, so a missing element reads as Invalid.
class List : public Value, public boost::enable_shared_from_this<List> {
public:
    bool isList() const override;
    Setting operator()(int index) override;
    // Only Integer keys index a list.
    Setting operator()(const Setting& key) override;
    // True when this very value object (not an equal one) is an element.
    bool contains(const Setting& key) const override;
    boost::shared_ptr<Setting::Iterator> iterator() override;
    unsigned int size() const override;
    void streamTo(std::ostream& out) const override;
    bool equals(const Setting& other) const override;
    std::size_t hash() const override;
    const std::string& typeName() const override;

    void append(const Setting& element);
    const Setting& at(unsigned int index) const;

private:
    std::vector<Setting> elements;
};

}  // namespace lum

#endif
