#include "lum/character/Glimmet.h"

#include <algorithm>
#include <cmath>
#include <iostream>

#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <boost/core/null_deleter.hpp>
#include <boost/filesystem/operations.hpp>
#include <glm/geometric.hpp>

#include "lum/character/ModeColours.h"
#include "lum/config/Setting.h"
#include "lum/physics/PhysicsSystem.h"
#include "lum/platform/Timer.h"
#include "lum/resource/ConfigLoader.h"
#include "lum/resource/FileStamp.h"
#include "lum/resource/Sound.h"
#include "lum/resource/UberLoader.h"
#include "lum/scene/Model.h"
#include "lum/util/CheckedCast.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const char* const configName = "tobble";
const char* const configFile = "tobble.cfg";
// The modes' names in the order of Glimmet::Mode, as tobble.cfg's states and
// colours spell them.
const char* const modeNames[Glimmet::ModeCount] = {"base", "jump", "spike", "speed"};
const int startingHealth = 100;
const double defaultSpeedFactor = 10.0;
const float defaultMass = 1.0f;
const float rollGain = 0.7f;
const float bodyFriction = 1.0f;
const double spinToStartSound = 0.05;
const double defaultJumpHeight = 3.0;
const double defaultRollingResistance = 7.0;
const double defaultBrake = 10.0;
const double defaultPushingSpeed = 3.0;
const double defaultLeapSpeed = 4.5;
// Slower than this (units/s), Tobble counts as standing: a jump with no key
// goes straight up.
const float leastRollToLeap = 0.5f;
// A push still counts this many physics steps (half a second) after the
// last touch: a cube tipping over a rim falls away from Tobble.
const unsigned long leanMemory = 30;
// How squarely ahead of the push a touched body must lie to be pushed.
const float squarelyAhead = 0.5f;

// What a jump adds the way the keys push, or with no key the way Tobble
// rolls: enough to leave at least at the leap speed, so that a jump from a
// standstill at an edge, or from a slow roll, still crosses a gap. Nothing
// standing with no key, or when Tobble is that fast already.
btVector3 leapAlong(const glm::vec3& push, const btVector3& velocity, double leapSpeed) {
    const glm::vec3 rolling(velocity.x(), 0, velocity.z());
    const glm::vec3 towards = glm::length(push) > 0.0f ? glm::vec3(push.x, 0, push.z) : rolling;
    if (glm::length(towards) < leastRollToLeap) {
        return btVector3(0, 0, 0);
    }
    const glm::vec3 way = glm::normalize(towards);
    const double along = glm::dot(rolling, way);
    const double missing = std::max(0.0, leapSpeed - along);
    return btVector3(way.x, 0, way.z) * static_cast<btScalar>(missing);
}

}  // namespace

Glimmet::Glimmet()
    : Character(startingHealth, startingHealth),
      PhysicsNode("Tobble the Glimmet"),
      modeAvailable{true, false, false, false},
      self(this, boost::null_deleter()),
      onGround(false),
      speedFactor(defaultSpeedFactor),
      topSpeed(0.0),
      alive(false),
      jumpHeight(defaultJumpHeight),
      rollingResistance(defaultRollingResistance),
      brake(defaultBrake),
      pushingSpeed(defaultPushingSpeed),
      leapSpeed(defaultLeapSpeed),
      leanedOn(0),
      leanStep(0),
      leaning(false) {}

Glimmet::~Glimmet() noexcept = default;

void Glimmet::init() {
    LUM_TRACE_BEGIN
    model = checkedCast<Model>(UberLoader::instance().loadModel(configName));
    removeAllChildren();
    addChild(model);
    configurationRead = false;
    const Setting character = playerConfiguration()("character");
    health = character("health").intOr(startingHealth);
    maximumHealth = character("maximumhealth").intOr(startingHealth);
    const Setting startMode = character("state");
    state = startMode.isString() ? startMode.asString() : modeNames[Base];
    applyState(state);
    rollSound = UberLoader::instance().loadSound("SFXroll");
    rollSound->setGain(rollGain);
    buildBody();
    alive = true;
    // A new body stands on nothing until the world says so: the last level's
    // ground must not let it roll or jump in its first pass.
    onGround = false;
    modeAvailable[Base] = true;
    modeAvailable[Jump] = modeAvailable[Spike] = modeAvailable[Speed] = false;
    LUM_TRACE_END
}

void Glimmet::readMovement(const Setting& movement) {
    LUM_TRACE_BEGIN
    const bool given = movement.isGroup();
    jumpHeight = given ? movement("jumpHeight").doubleOr(defaultJumpHeight) : defaultJumpHeight;
    rollingResistance = given ? movement("rollingResistance").doubleOr(defaultRollingResistance)
                              : defaultRollingResistance;
    brake = given ? movement("brake").doubleOr(defaultBrake) : defaultBrake;
    pushingSpeed =
        given ? movement("pushingSpeed").doubleOr(defaultPushingSpeed) : defaultPushingSpeed;
    leapSpeed = given ? movement("leapSpeed").doubleOr(defaultLeapSpeed) : defaultLeapSpeed;
    LUM_TRACE_END
}

void Glimmet::setPosition(const glm::vec3& position) {
    LUM_TRACE_BEGIN
    const glm::vec3 scale = getTransform().scale;
    deactivate();
    model->setTranslation(position);
    model->setScale(scale);
    applyState(modeNames[Base]);
    // A life ends in any mode; the next starts in base mode and looks it.
    paint(modeNames[Base]);
    buildBody();
    LUM_TRACE_END
}

// Each life starts leaning on nothing.
void Glimmet::buildBody() {
    LUM_TRACE_BEGIN
    leaning = false;
    rebuildPhysics();
    getBody()->setFriction(bodyFriction);
    activate();
    LUM_TRACE_END
}

void Glimmet::applyState(const std::string& mode) {
    LUM_TRACE_BEGIN
    const Setting& player = playerConfiguration();
    readMovement(player("movement"));
    const Setting numbers = player("states")(mode);
    speedFactor = numbers(0).doubleOr(defaultSpeedFactor);
    topSpeed = numbers(1).doubleOr(0.0);
    setMass(static_cast<float>(numbers(2).doubleOr(defaultMass)));
    state = mode;
    LUM_TRACE_END
}

void Glimmet::switchToBase() {
    LUM_TRACE_BEGIN
    switchTo(modeNames[Base]);
    LUM_TRACE_END
}

void Glimmet::switchToSpike() {
    LUM_TRACE_BEGIN
    switchTo(modeNames[Spike]);
    LUM_TRACE_END
}

void Glimmet::switchToJump() {
    LUM_TRACE_BEGIN
    switchTo(modeNames[Jump]);
    LUM_TRACE_END
}

void Glimmet::switchToSpeed() {
    LUM_TRACE_BEGIN
    switchTo(modeNames[Speed]);
    LUM_TRACE_END
}

void Glimmet::cycleMode(int step) {
    LUM_TRACE_BEGIN
    const int current =
        static_cast<int>(std::find(modeNames, modeNames + ModeCount, state) - modeNames);
    // A mode outside the four (none yet) counts as base.
    const int from = current < ModeCount ? current : Base;
    for (int turn = 1; turn < ModeCount; ++turn) {
        const int next = ((from + step * turn) % ModeCount + ModeCount) % ModeCount;
        if (modeAvailable[next]) {
            switchTo(modeNames[next]);
            return;
        }
    }
    LUM_TRACE_END
}

void Glimmet::switchTo(const std::string& mode) {
    LUM_TRACE_BEGIN
    if (state == mode) {
        return;
    }
    applyState(mode);
    if (getBody() != nullptr) {
        // The mode's weight is felt at once, not only from the next life.
        changeMass(getMass());
        if (mode == modeNames[Spike]) {
            // Spikes dig in: the player halts on the spot.
            getBody()->clearForces();
            stop();
        }
    }
    paint(mode);
    std::cout << "Tobble turning to " << mode << " mode" << std::endl;
    LUM_TRACE_END
}

void Glimmet::paint(const std::string& mode) {
    LUM_TRACE_BEGIN
    ModeColours::read(playerConfiguration(), mode).applyTo(*model->getMaterial());
    LUM_TRACE_END
}

// Parsing the file took most of a mode switch's and a new life's time. It is
// read again when the file found is another (the working directory changed)
// or was written since, so an edit between two lives still counts.
const Setting& Glimmet::playerConfiguration() {
    LUM_TRACE_BEGIN
    const std::string path =
        boost::filesystem::absolute(ConfigLoader::instance().findFile(configFile)).string();
    const boost::optional<FileStamp> stamp = FileStamp::of(path);
    if (!configurationRead || path != configurationPath || stamp != configurationStamp) {
        configuration = ConfigLoader::instance().load(configName);
        configurationPath = path;
        configurationStamp = stamp;
        configurationRead = true;
    }
    return configuration;
    LUM_TRACE_END
}

void Glimmet::roll(const glm::vec3& push, float dt) {
    LUM_TRACE_BEGIN
    btRigidBody* const body = getBody();
    if (!onGround || body == nullptr) {
        return;
    }
    slowDown(push, dt);
    const btVector3 before = body->getLinearVelocity();
    // A push s = playerSpeed x dt x strength changes the momentum by s times
    // the nominal pass: at that pace Tobble rolls as it always did, and at
    // any other it gains the same speed per second.
    body->applyCentralImpulse(btVector3(push.x, push.y, push.z) *
                              static_cast<btScalar>(nominalPass));
    const double limit = isPushing(push) ? pushingSpeed : topSpeed;
    if (limit > 0.0) {
        keepBelow(limit, btVector3(before.x(), 0, before.z()).length());
    }
    LUM_TRACE_END
}

// Coasting (no key along the motion) Tobble slows at the rolling
// resistance; a key against the motion adds the brake. The deceleration is
// taken from the roll and the spin alike, so friction does not give the
// speed back, and it never turns Tobble round.
void Glimmet::slowDown(const glm::vec3& push, float dt) {
    btRigidBody& body = *getBody();
    const btVector3 velocity = body.getLinearVelocity();
    const btVector3 flat(velocity.x(), 0, velocity.z());
    const btScalar speed = flat.length();
    const btScalar along = flat.dot(btVector3(push.x, push.y, push.z));
    if (speed < SIMD_EPSILON || along > 0) {
        return;
    }
    const double deceleration = along < 0 ? rollingResistance + brake : rollingResistance;
    const btScalar kept = static_cast<btScalar>(std::max(0.0, speed - deceleration * dt)) / speed;
    body.setLinearVelocity(btVector3(flat.x() * kept, velocity.y(), flat.z() * kept));
    body.setAngularVelocity(body.getAngularVelocity() * kept);
}

// Leaning into a movable body ahead (lately: one tipping over a rim falls
// away), Tobble pushes it at walking pace, so that letting go as it goes
// over keeps Tobble on the ledge.
bool Glimmet::isPushing(const glm::vec3& push) const {
    const unsigned long now = PhysicsSystem::instance().getStepCount();
    if (!leaning || now - leanStep > leanMemory || glm::length(push) == 0.0f) {
        return false;
    }
    glm::vec3 towards = leanedOn - getWorldTransform().translation;
    towards.y = 0;
    return glm::length(towards) > 0.0f &&
           glm::dot(glm::normalize(towards), glm::normalize(push)) > squarelyAhead;
}

// The keys may not speed Tobble up beyond `speed` on the flat; a slope or a
// fall may.
void Glimmet::keepBelow(double speed, float flatSpeedBefore) {
    btRigidBody& body = *getBody();
    const btVector3 velocity = body.getLinearVelocity();
    btVector3 flat(velocity.x(), 0, velocity.z());
    const btScalar limit = std::max(static_cast<btScalar>(speed), flatSpeedBefore);
    if (flat.length() > limit) {
        flat *= limit / flat.length();
        body.setLinearVelocity(btVector3(flat.x(), velocity.y(), flat.z()));
    }
}

bool Glimmet::jump(const glm::vec3& push) {
    LUM_TRACE_BEGIN
    btRigidBody* const body = getBody();
    if (!onGround || state != modeNames[Jump] || body == nullptr) {
        return false;
    }
    // The take-off speed that rises jumpHeight against the world's gravity.
    const double jumpSpeed =
        std::sqrt(2.0 * jumpHeight * -PhysicsSystem::instance().getGravity().y);
    btVector3 velocity = body->getLinearVelocity();
    if (velocity.y() >= jumpSpeed) {
        return false;
    }
    velocity.setY(static_cast<btScalar>(jumpSpeed));
    body->setLinearVelocity(velocity + leapAlong(push, velocity, leapSpeed));
    return true;
    LUM_TRACE_END
}

void Glimmet::setEffectsVolume(float share) {
    if (rollSound) {
        rollSound->setGain(rollGain * share);
    }
}

void Glimmet::updateSound() {
    LUM_TRACE_BEGIN
    if (!rollSound || getBody() == nullptr) {
        return;
    }
    const double spin = getBody()->getAngularVelocity().length2();
    if (spin > spinToStartSound) {
        // Above 1 the pitch keeps its last value.
        if (spin <= 1.0) {
            rollSound->setPitch(static_cast<float>(spin));
        }
        rollSound->play(false, false);
    } else if (rollSound->isPlaying()) {
        rollSound->stop();
    }
    LUM_TRACE_END
}

void Glimmet::kill() {
    std::cout << getName() << " was killed" << std::endl;
    alive = false;
}

void Glimmet::update(double dt) {
    LUM_TRACE_BEGIN
    onGround = onGround && groundStep == PhysicsSystem::instance().getStepCount();
    PhysicsNode::update(dt);
    LUM_TRACE_END
}

void Glimmet::onContactBegin(PhysicsNode* other) {
    senseGround(*other);
}

void Glimmet::onContactContinue(PhysicsNode* other) {
    senseGround(*other);
}

void Glimmet::senseGround(PhysicsNode& other) {
    if (PhysicsSystem::instance().holdsUp(other, *this)) {
        onGround = true;
        groundStep = PhysicsSystem::instance().getStepCount();
    } else if (other.getMass() != 0.0f) {
        leanedOn = other.getWorldTransform().translation;
        leanStep = PhysicsSystem::instance().getStepCount();
        leaning = true;
    }
}

}  // namespace lum
