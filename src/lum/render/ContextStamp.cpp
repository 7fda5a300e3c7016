#include "lum/render/ContextStamp.h"

namespace lum {

namespace {
// Contexts are numbered from 1 in the order they open; 0 is none.
unsigned long openedContexts = 0;
unsigned long openContext = 0;
}  // namespace

ContextStamp::ContextStamp() : context(openContext) {}

bool ContextStamp::isOpen() const {
    return context != 0 && context == openContext;
}

void ContextStamp::contextOpened() {
    openContext = ++openedContexts;
}

void ContextStamp::contextClosing() {
    openContext = 0;
}

}  // namespace lum
