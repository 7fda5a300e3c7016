#ifndef LUM_UTIL_SINGLETON_H
#define LUM_UTIL_SINGLETON_H

#include <exception>
#include <typeinfo>

#include <boost/noncopyable.hpp>

#include "lum/util/Assert.h"

namespace lum {
namespace internal {

// Fails the assertion "Singleton <class name of type><what>".
[[noreturn]] void singletonFailure(const char* file, int line, const std::type_info& type,
                                   const char* what);

// True while an exception is on its way out. An object whose constructor
// failed was never registered; its base destructor must not throw a second
// exception then, which would end the process.
inline bool unwinding() {
    return std::uncaught_exceptions() > 0;
}

}  // namespace internal

// A process-wide single instance of T, reached through T::instance().
// T derives from Singleton<T, policy> as its first base.
//   policy 0: instance() creates T on first access; the instance lives until
//             the process ends. A T constructed directly is never registered.
//   policy 1: constructing T registers it and destroying it unregisters it;
//             instance() before that is an assertion failure.
template <class T, int policy>
class Singleton;

template <class T>
class Singleton<T, 0> : private boost::noncopyable {
public:
    static T& instance();
    static bool isInitialized();

protected:
    Singleton();
    virtual ~Singleton() noexcept(false);

private:
    static T* registered;
};

template <class T>
class Singleton<T, 1> : private boost::noncopyable {
public:
    static T& instance();
    static bool isInitialized();

protected:
    Singleton();
    virtual ~Singleton() noexcept(false);

private:
    // The base part only: the constructor registers before T is built.
    static Singleton* registered;
};

}  // namespace lum

#include "lum/util/Singleton.inl"

#endif
