#ifndef GLIMMET_HEAPRELEASE_H
#define GLIMMET_HEAPRELEASE_H

namespace lum {

// The software rasteriser keeps textures and framebuffers in process memory,
// in blocks of megabytes that come and go with pictures and levels.

// Serves every block from 256 kB up with a mapping of its own, returned to
// the system when freed. Left alone, the C library raises that limit to the
// size of each large block freed, and later textures then land in the heap,
// where a freed one is seldom returned. Call once, before the window opens.
void keepLargeBlocksApart();

// Returns to the system the freed pages inside the heap: a level load frees
// the level before's models and textures, and their pages would otherwise stay
// counted against the game.
void returnFreedMemory();

}  // namespace lum

#endif
