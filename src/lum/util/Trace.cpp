#include "lum/util/Trace.h"

#include <cstring>
#include <set>
#include <string>

namespace lum {
namespace internal {

namespace {

// Index of the '(' that opens the parameter list closed by the last ')'.
std::size_t parameterListStart(const std::string& signature) {
    const std::size_t close = signature.rfind(')');
    if (close == std::string::npos) {
        return std::string::npos;
    }
    int depth = 0;
    for (std::size_t i = close + 1; i-- > 0;) {
        if (signature[i] == ')') {
            ++depth;
        } else if (signature[i] == '(' && --depth == 0) {
            return i;
        }
    }
    return std::string::npos;
}

// Start of the name ending at `end`: behind the last space outside template brackets.
std::size_t nameStart(const std::string& signature, std::size_t end) {
    int depth = 0;
    for (std::size_t i = end; i-- > 0;) {
        const char c = signature[i];
        if (c == '>') {
            ++depth;
        } else if (c == '<') {
            --depth;
        } else if (c == ' ' && depth == 0) {
            return i + 1;
        }
    }
    return 0;
}

std::string stripSignature(std::string signature) {
    const std::size_t with = signature.find(" [with ");
    if (with != std::string::npos) {
        signature.erase(with);
    }
    const std::size_t open = parameterListStart(signature);
    if (open == std::string::npos) {
        return signature;
    }
    const std::size_t start = nameStart(signature, open);
    std::string name = signature.substr(start, open - start);
    // The call operator is written with a blank, as in "lum::Setting::operator ()".
    const std::string callOperator = "operator()";
    if (name.size() >= callOperator.size() &&
        name.compare(name.size() - callOperator.size(), callOperator.size(), callOperator) == 0) {
        name.insert(name.size() - 2, " ");
    }
    return name;
}

}  // namespace

const char* qualifiedFunctionName(const char* prettyFunction) {
    // Interned for the whole run: trace entries keep bare pointers.
    static std::set<std::string> names;
    return names.insert(stripSignature(prettyFunction)).first->c_str();
}

}  // namespace internal
}  // namespace lum
