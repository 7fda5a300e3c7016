#ifndef LUM_CHARACTER_GLIMMET_H
#define LUM_CHARACTER_GLIMMET_H

#include <string>

#include <boost/optional.hpp>
#include <glm/vec3.hpp>

#include "lum/character/Character.h"
#include "lum/config/Setting.h"
#include "lum/physics/PhysicsNode.h"
#include "lum/resource/FileStamp.h"
#include "lum/util/Singleton.h"

namespace lum {

class Model;
class Sound;

// Tobble the Glimmet, the player: one object for the whole run, created on
// first use. The singleton owns it; the scene holds it through `self`,
// whose deleter does nothing. Its numbers come from the configuration
// "tobble", read at each init and again when its file has changed.
class Glimmet : public Character, public PhysicsNode, public Singleton<Glimmet, 0> {
public:
    enum Mode { Base = 0, Jump = 1, Spike = 2, Speed = 3, ModeCount = 4 };

    Glimmet();
    // Never runs in the game: the singleton lives to the end of the process.
    ~Glimmet() noexcept override;

    // Loads the model, the numbers and the rolling sound, and puts the body
    // into the world. Not while the body is active.
    void init();
    // Back to `position` at rest, in base mode with base mode's colours.
    void setPosition(const glm::vec3& position);
    // Takes over the push strength, the top speed and the mass (used at the
    // next rebuild) of `mode`, and the movement numbers all modes share.
    void applyState(const std::string& mode);
    void switchToBase();
    void switchToSpike();
    void switchToJump();
    void switchToSpeed();
    // To the next learnt mode after the current one (`step` 1) or before it
    // (-1), round the order base, jump, spike, speed; nothing when no other
    // mode is learnt.
    void cycleMode(int step);
    // Once a frame: the rolling sound follows the spin.
    void updateSound();
    // The rolling sound at `share` (0 to 1) of its usual loudness; 0 mutes it.
    void setEffectsVolume(float share);
    // The keys' push of one pass of dt seconds (proportional to dt): a
    // change of momentum, not a force that Bullet forgets after a pass too
    // short for a physics step, so the speed gained per second is the same
    // at any pass rate. Nothing in the air; never beyond the mode's top
    // speed, nor beyond walking pace while it pushes a cube. Called every
    // pass on the ground, also with no push: coasting Tobble slows down, and
    // a push against the motion brakes.
    void roll(const glm::vec3& push, float dt);
    // In jump mode on the ground: takes off upwards at the jump speed, so
    // the jump is as high at any pass rate, and at least at the leap speed
    // the way the keys push (`push`, the keys' push of the pass) or, with no
    // key, the way Tobble rolls. False when it cannot take off now.
    bool jump(const glm::vec3& push);

    void kill() override;
    // Clears onGround unless Tobble stood on something in the world's latest
    // internal step: a pass too short for an internal step leaves it as the
    // last step found it. The physics step that follows sets it again while
    // the body rests on something.
    void update(double dt) override;
    // Tobble is on the ground while a contact holds it from below; touching
    // a wall's side in the air does not count. A movable body touched
    // otherwise is being pushed.
    void onContactBegin(PhysicsNode* other) override;
    void onContactContinue(PhysicsNode* other) override;

    bool modeAvailable[4];
    boost::shared_ptr<Glimmet> self;
    bool onGround;
    double speedFactor;
    // The current mode's top speed on the ground (units/s); 0: none.
    double topSpeed;
    std::string state;
    boost::shared_ptr<Model> model;
    boost::shared_ptr<Sound> rollSound;
    bool alive;

private:
    // The world's step count when a contact last held Tobble up.
    unsigned long groundStep = 0;
    // From the configuration's "movement", read with each mode: how high a
    // jump lifts Tobble's centre (units); the deceleration while coasting
    // and the extra one of a key against the motion (units/s per second).
    double jumpHeight;
    double rollingResistance;
    double brake;
    // The keys' top speed while Tobble pushes a movable body (units/s), and
    // where and when it last touched one, if it has in this life.
    double pushingSpeed;
    // The least speed a jump leaves at the way the keys push (units/s).
    double leapSpeed;
    glm::vec3 leanedOn;
    unsigned long leanStep;
    bool leaning;
    // The configuration as last read, from which file and as it was then.
    Setting configuration;
    std::string configurationPath;
    boost::optional<FileStamp> configurationStamp;
    bool configurationRead = false;

    const Setting& playerConfiguration();
    void switchTo(const std::string& mode);
    void paint(const std::string& mode);
    void buildBody();
    void senseGround(PhysicsNode& other);
    bool isPushing(const glm::vec3& push) const;
    void keepBelow(double speed, float flatSpeedBefore);
    void slowDown(const glm::vec3& push, float dt);
    void readMovement(const Setting& movement);
};

}  // namespace lum

#endif
