#include "lum/util/Log.h"

#include <iostream>

namespace lum {

Log::Log(const std::string& name)
    : name(name), infoStream(&std::cout), warningStream(&std::cerr), errorStream(&std::cerr) {}

void Log::info(const std::string& message) const {
    *infoStream << name << " : INFO: " << message << "\n";
}

void Log::warning(const std::string& message) const {
    *warningStream << name << " : WARNING: " << message << "\n";
}

void Log::error(const std::string& message) const {
    *errorStream << name << " : ERROR: " << message << "\n";
}

}  // namespace lum
