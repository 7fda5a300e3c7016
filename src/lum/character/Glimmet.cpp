#include "lum/character/Glimmet.h"

#include <iostream>

#include <boost/core/null_deleter.hpp>

#include "lum/util/Trace.h"

namespace lum {

namespace {
const int startingHealth = 100;
}  // namespace

Glimmet::Glimmet()
    : Character(startingHealth, startingHealth),
      PhysicsNode("Tobble the Glimmet"),
      onGround(false),
      alive(false),
      self(this, boost::null_deleter()) {}

Glimmet::~Glimmet() noexcept = default;

void Glimmet::kill() {
    std::cout << getName() << " was killed" << std::endl;
    alive = false;
}

void Glimmet::update(double dt) {
    LUM_TRACE_BEGIN
    onGround = false;
    PhysicsNode::update(dt);
    LUM_TRACE_END
}

void Glimmet::onContactContinue(PhysicsNode*) {
    onGround = true;
}

}  // namespace lum
