#include "lum/render/BindingState.h"

#include <map>

#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

std::map<GLenum, BindingState>& bufferBindings() {
    static std::map<GLenum, BindingState> table = {
        {GL_ARRAY_BUFFER, {"Vertex array buffer", false}},
        {GL_COPY_READ_BUFFER, {"Copy read buffer", false}},
        {GL_COPY_WRITE_BUFFER, {"Copy write buffer", false}},
        {GL_ELEMENT_ARRAY_BUFFER, {"Index array buffer", false}},
        {GL_PIXEL_PACK_BUFFER, {"Pixel pack buffer", false}},
        {GL_PIXEL_UNPACK_BUFFER, {"Pixel unpack buffer", false}},
        {GL_TEXTURE_BUFFER, {"Texture buffer", false}},
        {GL_TRANSFORM_FEEDBACK_BUFFER, {"transform feedback buffer", false}},
        {GL_UNIFORM_BUFFER, {"Uniform buffer", false}},
    };
    return table;
}

}  // namespace

BindingState& bufferBindingState(GLenum target) {
    LUM_TRACE_BEGIN
    const auto found = bufferBindings().find(target);
    if (found == bufferBindings().end()) {
        throw GLException("Unknown buffer target " + std::to_string(target));
    }
    return found->second;
    LUM_TRACE_END
}

BindingState& vertexArrayBindingState() {
    static BindingState state{"VertexArray", false};
    return state;
}

void markBound(BindingState& state) {
    LUM_TRACE_BEGIN
    if (state.bound) {
        throw GLException("Tried to bind " + state.name + " while already bound.");
    }
    state.bound = true;
    LUM_TRACE_END
}

void markUnbound(BindingState& state) {
    state.bound = false;
}

void markAllUnbound() {
    for (auto& target : bufferBindings()) {
        markUnbound(target.second);
    }
    markUnbound(vertexArrayBindingState());
}

}  // namespace lum
