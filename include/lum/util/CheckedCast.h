#ifndef LUM_UTIL_CHECKEDCAST_H
#define LUM_UTIL_CHECKEDCAST_H

#include <typeinfo>

#include <boost/shared_ptr.hpp>

#include "lum/util/ClassName.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

// `object` as a Target; a CastException naming both classes when it is not one.
template <class Target, class Source>
Target& checkedCast(Source& object) {
    LUM_TRACE_BEGIN
    Target* const target = dynamic_cast<Target*>(&object);
    if (target == nullptr) {
        throw CastException("Cannot cast " + className(typeid(object)) + " to " +
                            className(typeid(Target)));
    }
    return *target;
    LUM_TRACE_END
}

// The shared object as a Target, sharing its ownership; an empty pointer is
// no Target either.
template <class Target, class Source>
boost::shared_ptr<Target> checkedCast(const boost::shared_ptr<Source>& object) {
    LUM_TRACE_BEGIN
    if (!object) {
        throw CastException("Cannot cast an empty pointer to " + className(typeid(Target)));
    }
    return boost::shared_ptr<Target>(object, &checkedCast<Target>(*object));
    LUM_TRACE_END
}

}  // namespace lum

#endif
