#include "lum/config/Group.h"

#include <ostream>

#include <boost/functional/hash.hpp>
#include <boost/make_shared.hpp>

#include "lum/util/Assert.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

class GroupIterator : public Setting::Iterator {
public:
    explicit GroupIterator(const boost::shared_ptr<Group>& group)
        : group(group), position(group->entries().begin()) {}

    bool hasNext() const override { return position != group->entries().end(); }

    Setting next() override {
        LUM_TRACE_BEGIN
        LUM_ASSERT(hasNext());
        const Setting pair = Setting::newPair(position->first, position->second);
        ++position;
        return pair;
        LUM_TRACE_END
    }

private:
    boost::shared_ptr<Group> group;
    Group::Entries::const_iterator position;
};

}  // namespace

std::size_t Group::KeyHash::operator()(const Setting& key) const {
    return key.hash();
}

bool Group::KeyEqual::operator()(const Setting& a, const Setting& b) const {
    return sameKey(a, b);
}

Group::Group() : prototype(boost::shared_ptr<Value>()), name("Group") {}

Group::~Group() {
    // Releases the links of a prototype chain one at a time: left to the
    // shared pointers, a long chain would be destroyed by deep recursion.
    boost::shared_ptr<Value> link = prototype.value();
    prototype = Setting(boost::shared_ptr<Value>());
    while (link && link.unique()) {
        Group& group = static_cast<Group&>(*link);
        const boost::shared_ptr<Value> next = group.prototype.value();
        group.prototype = Setting(boost::shared_ptr<Value>());
        link = next;
    }
}

bool Group::isGroup() const {
    return true;
}

Setting Group::operator()(int index) {
    return (*this)(Setting(index));
}

Setting Group::operator()(const Setting& key) {
    // The chain is walked in a loop, not by recursion, so a long chain of
    // prototypes cannot exhaust the stack.
    const Group* const found = owner(key);
    if (found == nullptr) {
        return Setting();
    }
    return found->own.find(key)->second;
}

bool Group::contains(const Setting& key) const {
    return owner(key) != nullptr;
}

boost::shared_ptr<Setting::Iterator> Group::iterator() {
    return boost::make_shared<GroupIterator>(shared_from_this());
}

unsigned int Group::size() const {
    return static_cast<unsigned int>(own.size());
}

void Group::streamTo(std::ostream& out) const {
    if (prototypeGroup() != nullptr) {
        out << name << " ";
    }
    out << "{";
    bool firstEntry = true;
    for (const Entries::value_type& entry : own) {
        if (!firstEntry) {
            out << ", ";
        }
        firstEntry = false;
        entry.first.streamTo(out);
        out << "=";
        entry.second.streamTo(out);
    }
    out << "}";
}

bool Group::equals(const Setting& other) const {
    if (!other.isGroup()) {
        return false;
    }
    const Group* left = this;
    const Group* right = static_cast<const Group*>(other.value().get());
    while (left != right) {
        if (!left->ownEntriesEqual(*right)) {
            return false;
        }
        left = left->prototypeGroup();
        right = right->prototypeGroup();
        if (left == nullptr || right == nullptr) {
            return left == right;
        }
    }
    return true;
}

std::size_t Group::hash() const {
    // Entry order is the hash map's, so entries are combined by a sum.
    std::size_t sum = own.size();
    for (const Entries::value_type& entry : own) {
        std::size_t seed = entry.first.hash();
        boost::hash_combine(seed, entry.second.hash());
        sum += seed;
    }
    return sum;
}

const std::string& Group::prototypeName() const {
    return name;
}

const std::string& Group::typeName() const {
    static const Setting typeKey("type");
    const Group* const found = owner(typeKey);
    if (found != nullptr) {
        const Setting& type = found->own.find(typeKey)->second;
        if (type.isString()) {
            return type.asString();
        }
    }
    return name;
}

void Group::put(const Setting& key, const Setting& value) {
    own[key] = value;
}

void Group::setPrototype(const std::string& prototypeName, const Setting& group) {
    prototype = group;
    name = prototypeName;
}

const Group::Entries& Group::entries() const {
    return own;
}

const Group* Group::owner(const Setting& key) const {
    for (const Group* group = this; group != nullptr; group = group->prototypeGroup()) {
        if (group->own.find(key) != group->own.end()) {
            return group;
        }
    }
    return nullptr;
}

const Group* Group::prototypeGroup() const {
    return static_cast<const Group*>(prototype.value().get());
}

bool Group::ownEntriesEqual(const Group& other) const {
    if (own.size() != other.own.size()) {
        return false;
    }
    for (const Entries::value_type& entry : own) {
        const Entries::const_iterator match = other.own.find(entry.first);
        if (match == other.own.end() || !entry.second.equals(match->second)) {
            return false;
        }
    }
    return true;
}

}  // namespace lum
