#include "lum/config/Value.h"

#include <cmath>
#include <limits>
#include <ostream>
#include <typeinfo>

#include <boost/functional/hash.hpp>

#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

Value::~Value() = default;

bool Value::asBool() const {
    LUM_TRACE_BEGIN
    throw ConfigException(typeName() + " cannot be cast to boolean.");
    LUM_TRACE_END
}

int Value::asInt() const {
    LUM_TRACE_BEGIN
    throw ConfigException(typeName() + " cannot be cast to integer.");
    LUM_TRACE_END
}

double Value::asDouble() const {
    LUM_TRACE_BEGIN
    throw ConfigException(typeName() + " cannot be cast to double.");
    LUM_TRACE_END
}

const std::string& Value::asString() const {
    LUM_TRACE_BEGIN
    throw ConfigException(typeName() + " cannot be cast to string.");
    LUM_TRACE_END
}

bool Value::isInvalid() const {
    return false;
}
bool Value::isBool() const {
    return false;
}
bool Value::isInt() const {
    return false;
}
bool Value::isDouble() const {
    return false;
}
bool Value::isString() const {
    return false;
}
bool Value::isList() const {
    return false;
}
bool Value::isGroup() const {
    return false;
}
bool Value::isPair() const {
    return false;
}

Setting Value::operator()(int) {
    LUM_TRACE_BEGIN
    throw ConfigException(typeName() +
                          " is no container, and cannot be indexed into with an integer");
    LUM_TRACE_END
}

Setting Value::operator()(const Setting& key) {
    LUM_TRACE_BEGIN
    throw ConfigException(typeName() + " is no container, and cannot be indexed into with an " +
                          key.typeName());
    LUM_TRACE_END
}

bool Value::contains(const Setting&) const {
    return false;
}

Setting Value::first() const {
    LUM_TRACE_BEGIN
    throw ConfigException(typeName() + " is not a pair");
    LUM_TRACE_END
}

Setting Value::second() const {
    LUM_TRACE_BEGIN
    throw ConfigException(typeName() + " is not a pair");
    LUM_TRACE_END
}

boost::shared_ptr<Setting::Iterator> Value::iterator() {
    LUM_TRACE_BEGIN
    throw ConfigException(typeName() + " cannot be iterated over.");
    LUM_TRACE_END
}

unsigned int Value::size() const {
    LUM_TRACE_BEGIN
    throw ConfigException(typeName() + " has no size.");
    LUM_TRACE_END
}

bool sameKey(const Setting& a, const Setting& b) {
    const Value& left = *a.value();
    const Value& right = *b.value();
    return typeid(left) == typeid(right) && a.equals(b) && b.equals(a);
}

// ---- Invalid ----------------------------------------------------------------

bool Invalid::isInvalid() const {
    return true;
}

void Invalid::streamTo(std::ostream& out) const {
    out << typeName();
}

bool Invalid::equals(const Setting& other) const {
    return other.isInvalid();
}

std::size_t Invalid::hash() const {
    return 0;
}

const std::string& Invalid::typeName() const {
    static const std::string name = "Invalid setting";
    return name;
}

// ---- Bool -------------------------------------------------------------------

Bool::Bool(bool value) : value(value) {}

bool Bool::asBool() const {
    return value;
}

bool Bool::isBool() const {
    return true;
}

void Bool::streamTo(std::ostream& out) const {
    out << value;
}

bool Bool::equals(const Setting& other) const {
    return other.isBool() && other.asBool() == value;
}

std::size_t Bool::hash() const {
    return value ? 1 : 0;
}

const std::string& Bool::typeName() const {
    static const std::string name = "Boolean";
    return name;
}

// ---- IntVal -----------------------------------------------------------------

IntVal::IntVal(int value) : value(value) {}

int IntVal::asInt() const {
    return value;
}

double IntVal::asDouble() const {
    return value;
}

bool IntVal::isInt() const {
    return true;
}

void IntVal::streamTo(std::ostream& out) const {
    out << value;
}

bool IntVal::equals(const Setting& other) const {
    return (other.isInt() || other.isDouble()) && other.asInt() == value;
}

std::size_t IntVal::hash() const {
    return static_cast<std::size_t>(value);
}

const std::string& IntVal::typeName() const {
    static const std::string name = "Integer";
    return name;
}

// ---- Double -----------------------------------------------------------------

Double::Double(double value) : value(value) {}

int Double::asInt() const {
    // Converting a double outside the int range is undefined behaviour;
    // clamping keeps truncation toward zero for every value a file can hold.
    if (std::isnan(value)) {
        return 0;
    }
    if (value >= static_cast<double>(std::numeric_limits<int>::max())) {
        return std::numeric_limits<int>::max();
    }
    if (value <= static_cast<double>(std::numeric_limits<int>::min())) {
        return std::numeric_limits<int>::min();
    }
    return static_cast<int>(value);
}

double Double::asDouble() const {
    return value;
}

bool Double::isDouble() const {
    return true;
}

void Double::streamTo(std::ostream& out) const {
    out << value;
}

bool Double::equals(const Setting& other) const {
    return (other.isInt() || other.isDouble()) && other.asDouble() == value;
}

std::size_t Double::hash() const {
    const double whole = std::trunc(value);
    if (whole == value && std::fabs(value) <= std::numeric_limits<int>::max()) {
        return static_cast<std::size_t>(static_cast<int>(value));
    }
    return boost::hash<double>()(value);
}

const std::string& Double::typeName() const {
    static const std::string name = "Double";
    return name;
}

// ---- StringVal --------------------------------------------------------------

StringVal::StringVal(const std::string& value) : value(value) {}

const std::string& StringVal::asString() const {
    return value;
}

bool StringVal::isString() const {
    return true;
}

void StringVal::streamTo(std::ostream& out) const {
    out << '"' << value << '"';
}

bool StringVal::equals(const Setting& other) const {
    return other.isString() && other.asString() == value;
}

std::size_t StringVal::hash() const {
    return boost::hash<std::string>()(value);
}

const std::string& StringVal::typeName() const {
    static const std::string name = "String";
    return name;
}

}  // namespace lum
