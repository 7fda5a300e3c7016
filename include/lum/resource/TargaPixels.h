#ifndef LUM_RESOURCE_TARGAPIXELS_H
#define LUM_RESOURCE_TARGAPIXELS_H

#include <cstddef>
#include <memory>

namespace lum {

struct TargaHeader;

// The RGB rows, three bytes a pixel and bottom row first, of the kind of
// Targa image the game ships: 24-bit true colour, run-length encoded or
// not, without a colour map or alpha, stored from the bottom left. DevIL
// reads such a file a byte at a time through its own stream and then
// converts it to RGB; this does both in one pass, to the same bytes.
// Null when the file is of another kind or its pixel data ends before its
// last pixel, for DevIL to decode or refuse as before. `header` is the
// checked header of `bytes`.
std::unique_ptr<unsigned char[]> decodePlainTarga(const TargaHeader& header,
                                                  const unsigned char* bytes, std::size_t size);

}  // namespace lum

#endif
