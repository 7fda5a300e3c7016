#ifndef LUM_CONFIG_VALUE_H
#define LUM_CONFIG_VALUE_H

#include <cstddef>
#include <iosfwd>
#include <string>

#include <boost/shared_ptr.hpp>

#include "lum/config/Setting.h"

namespace lum {

// One configuration value: the abstract base of the eight kinds. A value is
// made with new of its kind, handed at once to a shared pointer and reached
// through Setting handles only; it is never copied.
//
// The base answers every query with false and every access with a
// ConfigException that begins with the kind's display name; each kind
// overrides what it supports.
class Value {
public:
    virtual ~Value();

    virtual bool asBool() const;
    virtual int asInt() const;
    virtual double asDouble() const;
    virtual const std::string& asString() const;

    virtual bool isInvalid() const;
    virtual bool isBool() const;
    virtual bool isInt() const;
    virtual bool isDouble() const;
    virtual bool isString() const;
    virtual bool isList() const;
    virtual bool isGroup() const;
    virtual bool isPair() const;

    virtual Setting operator()(int index);
    virtual Setting operator()(const Setting& key);
    virtual bool contains(const Setting& key) const;
    virtual Setting first() const;
    virtual Setting second() const;
    virtual boost::shared_ptr<Setting::Iterator> iterator();
    virtual unsigned int size() const;

    virtual void streamTo(std::ostream& out) const = 0;
    virtual bool equals(const Setting& other) const = 0;
    // Equal values of the same kind hash alike.
    virtual std::size_t hash() const = 0;
    virtual const std::string& typeName() const = 0;
};

// Group keys: an Integer key and a Double key are different keys even when
// they compare equal, so keys match only within one kind and both ways.
bool sameKey(const Setting& a, const Setting& b);

class Invalid : public Value {
public:
    bool isInvalid() const override;
    void streamTo(std::ostream& out) const override;
    bool equals(const Setting& other) const override;
    std::size_t hash() const override;
    const std::string& typeName() const override;
};

class Bool : public Value {
public:
    explicit Bool(bool value);
    bool asBool() const override;
    bool isBool() const override;
    void streamTo(std::ostream& out) const override;
    bool equals(const Setting& other) const override;
    std::size_t hash() const override;
    const std::string& typeName() const override;

private:
    bool value;
};

class IntVal : public Value {
public:
    explicit IntVal(int value);
    int asInt() const override;
    double asDouble() const override;
    bool isInt() const override;
    void streamTo(std::ostream& out) const override;
    // Also equal to a Double whose truncated value is this one: 3 equals 3.7.
    bool equals(const Setting& other) const override;
    std::size_t hash() const override;
    const std::string& typeName() const override;

private:
    int value;
};

class Double : public Value {
public:
    explicit Double(double value);
    // Truncated toward zero.
    int asInt() const override;
    double asDouble() const override;
    bool isDouble() const override;
    void streamTo(std::ostream& out) const override;
    // Equal to an Integer only when exactly equal: 3.7 does not equal 3.
    bool equals(const Setting& other) const override;
    // A whole number hashes like the Integer of that value.
    std::size_t hash() const override;
    const std::string& typeName() const override;

private:
    double value;
};

class StringVal : public Value {
public:
    explicit StringVal(const std::string& value);
    const std::string& asString() const override;
    bool isString() const override;
    // Between double quotes, without escaping.
    void streamTo(std::ostream& out) const override;
    bool equals(const Setting& other) const override;
    std::size_t hash() const override;
    const std::string& typeName() const override;

private:
    std::string value;
};

}  // namespace lum

#endif
