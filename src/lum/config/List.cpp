#include "lum/config/List.h"

#include <ostream>

#include <boost/functional/hash.hpp>
#include <boost/make_shared.hpp>

#include "lum/util/Assert.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

class ListIterator : public Setting::Iterator {
public:
    explicit ListIterator(const boost::shared_ptr<List>& list) : list(list), index(0) {}

    bool hasNext() const override { return index < list->size(); }

    Setting next() override {
        LUM_TRACE_BEGIN
        LUM_ASSERT(hasNext());
        return list->at(index++);
        LUM_TRACE_END
    }

private:
    boost::shared_ptr<List> list;
    unsigned int index;
};

}  // namespace

bool List::isList() const {
    return true;
}

Setting List::operator()(int index) {
    LUM_TRACE_BEGIN
    if (index < 0) {
        throw ConfigException(typeName() + " cannot be indexed with the negative index " +
                              std::to_string(index));
    }
    const std::size_t wanted = static_cast<std::size_t>(index) + 1;
    if (elements.size() < wanted) {
        elements.resize(wanted);
    }
    return elements[static_cast<std::size_t>(index)];
    LUM_TRACE_END
}

Setting List::operator()(const Setting& key) {
    LUM_TRACE_BEGIN
    if (!key.isInt()) {
        return Value::operator()(key);
    }
    return (*this)(key.asInt());
    LUM_TRACE_END
}

bool List::contains(const Setting& key) const {
    for (const Setting& element : elements) {
        if (element.value() == key.value()) {
            return true;
        }
    }
    return false;
}

boost::shared_ptr<Setting::Iterator> List::iterator() {
    return boost::make_shared<ListIterator>(shared_from_this());
}

unsigned int List::size() const {
    return static_cast<unsigned int>(elements.size());
}

void List::streamTo(std::ostream& out) const {
    out << "(";
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (i > 0) {
            out << ", ";
        }
        elements[i].streamTo(out);
    }
    out << ")";
}

bool List::equals(const Setting& other) const {
    if (!other.isList() || other.size() != size()) {
        return false;
    }
    const List& list = static_cast<const List&>(*other.value());
    for (std::size_t i = 0; i < elements.size(); ++i) {
        if (!elements[i].equals(list.elements[i])) {
            return false;
        }
    }
    return true;
}

std::size_t List::hash() const {
    std::size_t seed = elements.size();
    for (const Setting& element : elements) {
        boost::hash_combine(seed, element.hash());
    }
    return seed;
}

const std::string& List::typeName() const {
    static const std::string name = "List";
    return name;
}

void List::append(const Setting& element) {
    elements.push_back(element);
}

const Setting& List::at(unsigned int index) const {
    LUM_TRACE_BEGIN
    LUM_ASSERT(index < elements.size());
    return elements[index];
    LUM_TRACE_END
}

}  // namespace lum
