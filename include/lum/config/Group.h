#ifndef LUM_CONFIG_GROUP_H
#define LUM_CONFIG_GROUP_H

#include <boost/enable_shared_from_this.hpp>
#include <boost/unordered_map.hpp>

#include "lum/config/Value.h"

namespace lum {

// Keyed values that may inherit from a prototype group: a key the group
// lacks is looked up along the prototype chain. The chain is shared, never
// copied, and only a group's own entries count for size and iteration.
class Group : public Value, public boost::enable_shared_from_this<Group> {
public:
    struct KeyHash {
        std::size_t operator()(const Setting& key) const;
    };
    struct KeyEqual {
        bool operator()(const Setting& a, const Setting& b) const;
    };
    typedef boost::unordered_map<Setting, Setting, KeyHash, KeyEqual> Entries;

    Group();
    ~Group() override;

    bool isGroup() const override;
    Setting operator()(int index) override;
    // The own entry's value, else the nearest prototype's; Invalid when none has it.
    Setting operator()(const Setting& key) override;
    bool contains(const Setting& key) const override;
    // Own entries as Pairs, in the hash map's order.
    boost::shared_ptr<Setting::Iterator> iterator() override;
    unsigned int size() const override;
    void streamTo(std::ostream& out) const override;
    bool equals(const Setting& other) const override;
    std::size_t hash() const override;
    // A String "type" key, own or inherited; else "Group", or the name of
    // the prototype once one is attached.
    const std::string& typeName() const override;

    void put(const Setting& key, const Setting& value);
    void setPrototype(const std::string& name, const Setting& prototype);
    const Entries& entries() const;
    // The prototype, or null while there is none, and the name it was
    // attached by ("Group" while there is none).
    const Group* prototypeGroup() const;
    const std::string& prototypeName() const;

private:
    // The group along the chain, starting with this one, that owns `key`.
    const Group* owner(const Setting& key) const;
    bool ownEntriesEqual(const Group& other) const;

    Setting prototype;  // empty handle while there is none
    std::string name;
    Entries own;
};

}  // namespace lum

#endif
