#include "lum/config/Setting.h"

#include <boost/make_shared.hpp>

#include "lum/config/Group.h"
#include "lum/config/List.h"
#include "lum/config/Pair.h"
#include "lum/config/Value.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

template <class Kind, class... Arguments>
boost::shared_ptr<Value> make(const Arguments&... arguments) {
    return boost::shared_ptr<Value>(boost::make_shared<Kind>(arguments...));
}

// Element `index` of a list known to be long enough, as a float.
float component(const Setting& list, int index) {
    return static_cast<float>(list(index).asDouble());
}

}  // namespace

Setting::Iterator::~Iterator() = default;

Setting::Setting() : held(make<Invalid>()) {}
Setting::Setting(const char* text) : held(make<StringVal>(std::string(text))) {}
Setting::Setting(const std::string& text) : held(make<StringVal>(text)) {}
Setting::Setting(int value) : held(make<IntVal>(value)) {}
Setting::Setting(bool value) : held(make<Bool>(value)) {}
Setting::Setting(double value) : held(make<Double>(value)) {}
Setting::Setting(const boost::shared_ptr<Value>& value) : held(value) {}

Setting Setting::newList() {
    return Setting(make<List>());
}

Setting Setting::newGroup() {
    return Setting(make<Group>());
}

Setting Setting::newPair(const Setting& first, const Setting& second) {
    return Setting(make<Pair>(first, second));
}

bool Setting::asBool() const {
    LUM_TRACE_BEGIN
    return held->asBool();
    LUM_TRACE_END
}

int Setting::asInt() const {
    LUM_TRACE_BEGIN
    return held->asInt();
    LUM_TRACE_END
}

double Setting::asDouble() const {
    LUM_TRACE_BEGIN
    return held->asDouble();
    LUM_TRACE_END
}

const std::string& Setting::asString() const {
    LUM_TRACE_BEGIN
    return held->asString();
    LUM_TRACE_END
}

bool Setting::isInvalid() const {
    return held->isInvalid();
}
bool Setting::isBool() const {
    return held->isBool();
}
bool Setting::isInt() const {
    return held->isInt();
}
bool Setting::isDouble() const {
    return held->isDouble();
}
bool Setting::isString() const {
    return held->isString();
}
bool Setting::isList() const {
    return held->isList();
}
bool Setting::isGroup() const {
    return held->isGroup();
}
bool Setting::isPair() const {
    return held->isPair();
}

Setting Setting::operator()(const Setting& key) const {
    LUM_TRACE_BEGIN
    return (*held)(key);
    LUM_TRACE_END
}

bool Setting::contains(const Setting& key) const {
    LUM_TRACE_BEGIN
    return held->contains(key);
    LUM_TRACE_END
}

unsigned int Setting::size() const {
    LUM_TRACE_BEGIN
    return held->size();
    LUM_TRACE_END
}

Setting Setting::first() const {
    LUM_TRACE_BEGIN
    return held->first();
    LUM_TRACE_END
}

Setting Setting::second() const {
    LUM_TRACE_BEGIN
    return held->second();
    LUM_TRACE_END
}

boost::shared_ptr<Setting::Iterator> Setting::iterator() const {
    LUM_TRACE_BEGIN
    return held->iterator();
    LUM_TRACE_END
}

void Setting::streamTo(std::ostream& out) const {
    LUM_TRACE_BEGIN
    held->streamTo(out);
    LUM_TRACE_END
}

bool Setting::equals(const Setting& other) const {
    return held->equals(other);
}

std::size_t Setting::hash() const {
    return held->hash();
}

const std::string& Setting::typeName() const {
    return held->typeName();
}

Setting& Setting::toGroup() {
    if (!isGroup()) {
        *this = newGroup();
    }
    return *this;
}

Setting& Setting::toList() {
    if (!isList()) {
        *this = newList();
    }
    return *this;
}

void Setting::add(const Setting& value) const {
    LUM_TRACE_BEGIN
    if (isList()) {
        static_cast<List&>(*held).append(value);
        return;
    }
    if (!isGroup()) {
        throw ConfigException("add() can only be used on lists and groups, not on " + typeName());
    }
    if (value.isPair()) {
        put(value.first(), value.second());
    } else if (value.isGroup()) {
        for (const Group::Entries::value_type& entry :
             static_cast<const Group&>(*value.held).entries()) {
            put(entry.first, entry.second);
        }
    } else {
        throw ConfigException("cannot add " + value.typeName() + " to group.");
    }
    LUM_TRACE_END
}

void Setting::put(const Setting& key, const Setting& value) const {
    LUM_TRACE_BEGIN
    if (!isGroup()) {
        throw ConfigException("put() can only be used with groups, not " + typeName());
    }
    static_cast<Group&>(*held).put(key, value);
    LUM_TRACE_END
}

void Setting::setPrototype(const std::string& name, const Setting& prototype) const {
    if (isGroup() && prototype.isGroup()) {
        static_cast<Group&>(*held).setPrototype(name, prototype);
    }
}

bool Setting::isNumber() const {
    return isInt() || isDouble();
}

bool Setting::boolOr(bool fallback) const {
    return isBool() ? asBool() : fallback;
}

int Setting::intOr(int fallback) const {
    return isNumber() ? asInt() : fallback;
}

double Setting::doubleOr(double fallback) const {
    return isNumber() ? asDouble() : fallback;
}

std::string Setting::stringOr(const std::string& fallback) const {
    return isString() ? asString() : fallback;
}

glm::vec3 Setting::toVec3() const {
    LUM_TRACE_BEGIN
    if (!isList() || size() < 3) {
        throw ConfigException("Cannot convert to glm::vec3");
    }
    return glm::vec3(component(*this, 0), component(*this, 1), component(*this, 2));
    LUM_TRACE_END
}

glm::vec3 Setting::toVec3(const glm::vec3& fallback) const {
    LUM_TRACE_BEGIN
    if (!isList() || size() < 3) {
        return fallback;
    }
    return toVec3();
    LUM_TRACE_END
}

glm::vec4 Setting::toVec4(const glm::vec4& fallback) const {
    LUM_TRACE_BEGIN
    if (!isList() || size() < 4) {
        return fallback;
    }
    return glm::vec4(component(*this, 0), component(*this, 1), component(*this, 2),
                     component(*this, 3));
    LUM_TRACE_END
}

glm::quat Setting::toQuat() const {
    LUM_TRACE_BEGIN
    if (!isList() || size() < 4) {
        return glm::quat(1.0f, 0.0f, 0.0f, 0.0f);
    }
    // GLM takes w first; the file writes it last.
    return glm::quat(component(*this, 3), component(*this, 0), component(*this, 1),
                     component(*this, 2));
    LUM_TRACE_END
}

const boost::shared_ptr<Value>& Setting::value() const {
    return held;
}

}  // namespace lum
