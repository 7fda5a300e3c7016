#include "shell/HeapRelease.h"

#include <malloc.h>

namespace lum {

namespace {
const int ownMappingFrom = 256 * 1024;
}

void keepLargeBlocksApart() {
    mallopt(M_MMAP_THRESHOLD, ownMappingFrom);
}

void returnFreedMemory() {
    malloc_trim(0);
}

}  // namespace lum
