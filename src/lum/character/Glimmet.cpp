#include "lum/character/Glimmet.h"

#include <iostream>

#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <boost/core/null_deleter.hpp>

#include "lum/character/ModeColours.h"
#include "lum/config/Setting.h"
#include "lum/physics/PhysicsSystem.h"
#include "lum/resource/ConfigLoader.h"
#include "lum/resource/Sound.h"
#include "lum/resource/UberLoader.h"
#include "lum/scene/Model.h"
#include "lum/util/ClassName.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

namespace {

const char* const configName = "tobble";
const int startingHealth = 100;
const double defaultSpeedFactor = 10.0;
const float defaultMass = 1.0f;
const float rollGain = 0.7f;
const float bodyFriction = 1.0f;
const double spinToStartSound = 0.05;

// An Integer, or a Double truncated toward zero; anything else gives the fallback.
int readWhole(const Setting& value, int fallback) {
    if (value.isInt() || value.isDouble()) {
        return value.asInt();
    }
    return fallback;
}

double readNumber(const Setting& value, double fallback) {
    if (value.isInt() || value.isDouble()) {
        return value.asDouble();
    }
    return fallback;
}

boost::shared_ptr<Model> asModel(const boost::shared_ptr<Spatial>& spatial) {
    LUM_TRACE_BEGIN
    const boost::shared_ptr<Model> model = boost::dynamic_pointer_cast<Model>(spatial);
    if (!model) {
        const Spatial& object = *spatial;
        throw CastException("Cannot cast " + className(typeid(object)) + " to " +
                            className(typeid(Model)));
    }
    return model;
    LUM_TRACE_END
}

}  // namespace

Glimmet::Glimmet()
    : Character(startingHealth, startingHealth),
      PhysicsNode("Tobble the Glimmet"),
      modeAvailable{true, false, false, false},
      self(this, boost::null_deleter()),
      onGround(false),
      speedFactor(defaultSpeedFactor),
      alive(false) {}

Glimmet::~Glimmet() noexcept = default;

void Glimmet::init() {
    LUM_TRACE_BEGIN
    model = asModel(UberLoader::instance().loadModel(configName));
    removeAllChildren();
    addChild(model);
    const Setting config = ConfigLoader::instance().load(configName);
    const Setting character = config("character");
    health = readWhole(character("health"), startingHealth);
    maximumHealth = readWhole(character("maximumhealth"), startingHealth);
    const Setting startMode = character("state");
    state = startMode.isString() ? startMode.asString() : "base";
    applyState(state);
    rollSound = UberLoader::instance().loadSound("SFXroll");
    rollSound->setGain(rollGain);
    buildBody();
    alive = true;
    modeAvailable[Base] = true;
    modeAvailable[Jump] = modeAvailable[Spike] = modeAvailable[Speed] = false;
    LUM_TRACE_END
}

void Glimmet::setPosition(const glm::vec3& position) {
    LUM_TRACE_BEGIN
    const glm::vec3 scale = getTransform().scale;
    deactivate();
    model->setTranslation(position);
    model->setScale(scale);
    applyState("base");
    buildBody();
    LUM_TRACE_END
}

// The player never sleeps: a resting body would stop answering the keys.
void Glimmet::buildBody() {
    LUM_TRACE_BEGIN
    rebuildPhysics();
    getBody()->setFriction(bodyFriction);
    getBody()->setActivationState(DISABLE_DEACTIVATION);
    activate();
    LUM_TRACE_END
}

void Glimmet::applyState(const std::string& mode) {
    LUM_TRACE_BEGIN
    const Setting numbers = ConfigLoader::instance().load(configName)("states")(mode);
    speedFactor = readNumber(numbers(0), defaultSpeedFactor);
    setMass(static_cast<float>(readNumber(numbers(2), defaultMass)));
    state = mode;
    LUM_TRACE_END
}

void Glimmet::switchToBase() {
    LUM_TRACE_BEGIN
    switchTo("base");
    LUM_TRACE_END
}

void Glimmet::switchToSpike() {
    LUM_TRACE_BEGIN
    switchTo("spike");
    LUM_TRACE_END
}

void Glimmet::switchToJump() {
    LUM_TRACE_BEGIN
    switchTo("jump");
    LUM_TRACE_END
}

void Glimmet::switchToSpeed() {
    LUM_TRACE_BEGIN
    switchTo("speed");
    LUM_TRACE_END
}

void Glimmet::switchTo(const std::string& mode) {
    LUM_TRACE_BEGIN
    if (state == mode) {
        return;
    }
    applyState(mode);
    if (mode == "spike" && getBody() != nullptr) {
        // Spikes dig in: the player halts on the spot.
        getBody()->clearForces();
        stop();
    }
    const Setting configuration = ConfigLoader::instance().load(configName);
    ModeColours::read(configuration, mode).applyTo(*model->getMaterial());
    std::cout << "Tobble turning to " << mode << " mode" << std::endl;
    LUM_TRACE_END
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

void Glimmet::onContactContinue(PhysicsNode*) {
    onGround = true;
    groundStep = PhysicsSystem::instance().getStepCount();
}

}  // namespace lum
