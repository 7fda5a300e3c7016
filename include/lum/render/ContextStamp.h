#ifndef LUM_RENDER_CONTEXTSTAMP_H
#define LUM_RENDER_CONTEXTSTAMP_H

namespace lum {

// Which OpenGL context an object of ours was made in. OpenGL frees a
// context's objects when the context closes, and the next context hands out
// the same names again; an object that outlives its renderer (the player's
// model, a level still in the scene, a texture someone kept) must then
// neither use nor delete its name, or it would delete what the new context
// made under that name. The objects that own OpenGL names carry a stamp and
// delete their names only while their context is open.
class ContextStamp {
public:
    // The context open now; made outside one, the stamp is never open.
    ContextStamp();

    // Whether the context of the stamp is still the open one.
    bool isOpen() const;

    // Called by the renderer alone: once its context is current, and when it
    // is about to close it (after it let go of what it owns).
    static void contextOpened();
    static void contextClosing();

private:
    unsigned long context;
};

}  // namespace lum

#endif
