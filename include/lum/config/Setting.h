#ifndef LUM_CONFIG_SETTING_H
#define LUM_CONFIG_SETTING_H

#include <cstddef>
#include <iosfwd>
#include <string>

#include <boost/shared_ptr.hpp>
#include <glm/glm.hpp>
#include <glm/gtc/quaternion.hpp>

namespace lum {

class Value;

// A handle on one configuration value. Copies share the value: a change made
// through one copy (add, put, setPrototype) is seen through all of them.
// A handle always refers to a value; a default one holds a new Invalid.
//
// Reading a value as the wrong kind raises ConfigException; a missing group
// key is not an error and reads as Invalid.
class Setting {
public:
    // Walks a list's elements or a group's own entries (as Pairs). It refers
    // to the live container, which must not change while it is walked.
    class Iterator {
    public:
        virtual ~Iterator();
        virtual bool hasNext() const = 0;
        virtual Setting next() = 0;
    };

    Setting();
    Setting(const char* text);
    Setting(const std::string& text);
    Setting(int value);
    Setting(bool value);
    Setting(double value);
    explicit Setting(const boost::shared_ptr<Value>& value);

    static Setting newList();
    static Setting newGroup();
    static Setting newPair(const Setting& first, const Setting& second);

    bool asBool() const;
    int asInt() const;
    double asDouble() const;
    // The reference lives as long as the value does.
    const std::string& asString() const;

    bool isInvalid() const;
    bool isBool() const;
    bool isInt() const;
    bool isDouble() const;
    bool isString() const;
    bool isList() const;
    bool isGroup() const;
    bool isPair() const;

    // Element of a list (reading past the end lengthens the list) or value of
    // a group key, looked up through the prototype chain.
    Setting operator()(const Setting& key) const;
    bool contains(const Setting& key) const;
    unsigned int size() const;
    Setting first() const;
    Setting second() const;
    boost::shared_ptr<Iterator> iterator() const;
    void streamTo(std::ostream& out) const;
    bool equals(const Setting& other) const;
    std::size_t hash() const;
    const std::string& typeName() const;

    // Rebinds this handle to a new empty group or list unless it already
    // holds one; other handles keep the old value.
    Setting& toGroup();
    Setting& toList();
    void add(const Setting& value) const;
    void put(const Setting& key, const Setting& value) const;
    // Only when both are groups: this group inherits from `prototype` and
    // takes `name` as its display name. Otherwise nothing happens.
    void setPrototype(const std::string& name, const Setting& prototype) const;

    // An Integer or a Double.
    bool isNumber() const;
    // The value when it is of the kind read, else the fallback: the one
    // pattern by which the game reads an optional key. A number reads as
    // either numeric kind, truncated toward zero for an int.
    bool boolOr(bool fallback) const;
    int intOr(int fallback) const;
    double doubleOr(double fallback) const;
    std::string stringOr(const std::string& fallback) const;

    glm::vec3 toVec3() const;
    glm::vec3 toVec3(const glm::vec3& fallback) const;
    glm::vec4 toVec4(const glm::vec4& fallback) const;
    glm::quat toQuat() const;

    // The shared value itself, for the value model's own kinds.
    const boost::shared_ptr<Value>& value() const;

private:
    boost::shared_ptr<Value> held;
};

}  // namespace lum

#endif
