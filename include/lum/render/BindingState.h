#ifndef LUM_RENDER_BINDINGSTATE_H
#define LUM_RENDER_BINDINGSTATE_H

#include <GL/glew.h>

#include <string>

namespace lum {

// Our own bookkeeping of which binding points are taken: binding a second
// object to a point still marked bound is a programming error. OpenGL is not
// asked what is bound.
struct BindingState {
    std::string name;
    bool bound;
};

// The state of a buffer target (one of the nine buffer binding points); an
// unknown target is a GLException.
BindingState& bufferBindingState(GLenum target);
// The one binding point of vertex array objects.
BindingState& vertexArrayBindingState();

// Marks the state bound, or throws GLException
// "Tried to bind <name> while already bound." when it already is.
void markBound(BindingState& state);
void markUnbound(BindingState& state);
// Every binding point free: the bookkeeping of a context that closes, left
// mid-draw perhaps by an exception, does not carry over to the next one.
void markAllUnbound();

}  // namespace lum

#endif
