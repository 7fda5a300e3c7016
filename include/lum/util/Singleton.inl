// Definitions of the singleton template, included by Singleton.h only.
// Failure reports quote the lines of the five assertions below (14, 17, 44,
// 49 and 58): keep them on those lines when editing this file.

namespace lum {

// ---- policy 0: created on first access -------------------------------------

template <class T>
T* Singleton<T, 0>::registered = nullptr;

template <class T>
Singleton<T, 0>::Singleton() {
    if (registered != nullptr) internal::singletonFailure(__FILE__, __LINE__, typeid(T), " is already initialized.");
}
template <class T> Singleton<T, 0>::~Singleton() noexcept(false) {
    if (registered == nullptr && !internal::unwinding()) internal::singletonFailure(__FILE__, __LINE__, typeid(T), " is not initialized.");
    registered = nullptr;
}

template <class T>
T& Singleton<T, 0>::instance() {
    if (registered == nullptr) {
        // Only this call registers: the constructor above must not see the
        // pointer before the object exists.
        T* const created = new T();
        registered = created;
    }
    return *registered;
}

template <class T>
bool Singleton<T, 0>::isInitialized() {
    return registered != nullptr;
}

// ---- policy 1: created by constructing the object ---------------------------

template <class T>
Singleton<T, 1>* Singleton<T, 1>::registered = nullptr;

template <class T>
Singleton<T, 1>::Singleton() {
    if (registered != nullptr) internal::singletonFailure(__FILE__, __LINE__, typeid(T), " is already initialized.");
    registered = this;  // not yet a T: cast only in instance(), once it is built
}
template <class T>
Singleton<T, 1>::~Singleton() noexcept(false) {
    if (registered == nullptr && !internal::unwinding()) internal::singletonFailure(__FILE__, __LINE__, typeid(T), " is not initialized.");
    registered = nullptr;
}

template <class T>
T& Singleton<T, 1>::instance() {
    // Policy-1 objects are made by their owner (main makes the renderer);
    // asking for one before that is a programming error, not a lazy creation.
    if (registered == nullptr) {
        internal::singletonFailure(__FILE__, __LINE__, typeid(T), " is not initialized.");
    }
    return static_cast<T&>(*registered);
}

template <class T>
bool Singleton<T, 1>::isInitialized() {
    return registered != nullptr;
}

}  // namespace lum
