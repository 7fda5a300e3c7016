#ifndef GLIMMET_TESTS_PHYSICSFIXTURE_H
#define GLIMMET_TESTS_PHYSICSFIXTURE_H

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include <BulletCollision/CollisionShapes/btBoxShape.h>
#include <BulletCollision/CollisionShapes/btSphereShape.h>
#include <BulletDynamics/Dynamics/btRigidBody.h>
#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include "lum/physics/PhysicsNode.h"
#include "lum/physics/PhysicsSystem.h"
#include "lum/scene/Node.h"
#include "lum/scene/Spatial.h"

// A solid leaf: a box of the given half extents, standing where a model would.
class BoxSpatial : public lum::Spatial {
public:
    static boost::shared_ptr<BoxSpatial> make(const std::string& name,
                                              boost::weak_ptr<lum::Node> parent,
                                              const glm::vec3& halfExtents) {
        const boost::shared_ptr<BoxSpatial> box(new BoxSpatial(name, halfExtents));
        box->setParent(parent);
        return box;
    }

    btCollisionShape* getCollisionShape() const override { return shape.get(); }

private:
    BoxSpatial(const std::string& name, const glm::vec3& halfExtents)
        : Spatial(name),
          shape(new btBoxShape(btVector3(halfExtents.x, halfExtents.y, halfExtents.z))) {}

    std::unique_ptr<btBoxShape> shape;
};

// A solid ball, as the player's model carries.
class BallSpatial : public lum::Spatial {
public:
    static boost::shared_ptr<BallSpatial> make(const std::string& name,
                                               boost::weak_ptr<lum::Node> parent, float radius) {
        const boost::shared_ptr<BallSpatial> ball(new BallSpatial(name, radius));
        ball->setParent(parent);
        return ball;
    }

    btCollisionShape* getCollisionShape() const override { return shape.get(); }

private:
    BallSpatial(const std::string& name, float radius)
        : Spatial(name), shape(new btSphereShape(radius)) {}

    std::unique_ptr<btSphereShape> shape;
};

enum class Contact { begin, proceed, end };

// What one node was told, with the other node's name read at that moment.
struct Told {
    Contact kind;
    lum::PhysicsNode* other;
};

// A physics node that writes down its contact notifications; onBegin lets a
// test act from inside the begin hook.
class RecordingNode : public lum::PhysicsNode {
public:
    static boost::shared_ptr<RecordingNode> make(const std::string& name,
                                                 boost::weak_ptr<lum::Node> parent) {
        const boost::shared_ptr<RecordingNode> node(new RecordingNode(name), Deleter());
        node->setParent(parent);
        return node;
    }

    void onContactBegin(lum::PhysicsNode* other) override {
        record(Contact::begin, other);
        if (onBegin) {
            onBegin(other);
        }
    }
    void onContactContinue(lum::PhysicsNode* other) override { record(Contact::proceed, other); }
    void onContactEnd(lum::PhysicsNode* other) override { record(Contact::end, other); }

    // How often kind was told, with other or, without it, with any node.
    int count(Contact kind, const lum::PhysicsNode* other = nullptr) const {
        int found = 0;
        for (const Told& entry : told) {
            found += entry.kind == kind && (other == nullptr || entry.other == other) ? 1 : 0;
        }
        return found;
    }

    std::vector<Told> told;
    std::function<void(lum::PhysicsNode*)> onBegin;

private:
    explicit RecordingNode(const std::string& name) : PhysicsNode(name) {}

    void record(Contact kind, lum::PhysicsNode* other) { told.push_back(Told{kind, other}); }
};

// Physics tests share the one world of the process: each leaves it as it
// found it (its nodes leave the world when they go) and with normal gravity.
class PhysicsTest : public ::testing::Test {
protected:
    static constexpr double frame = 1.0 / 60.0;  // exactly one internal step

    void TearDown() override { physics().setGravity(0.0f, -10.0f, 0.0f); }

public:
    // The builders below serve fixtures of other kinds too.

    static lum::PhysicsSystem& physics() { return lum::PhysicsSystem::instance(); }

    static void steps(int count) {
        for (int i = 0; i < count; ++i) {
            physics().step(frame);
        }
    }

    // An inactive node, not yet built, holding boxes of halfExtents at places.
    static boost::shared_ptr<RecordingNode> holder(const std::string& name,
                                                   std::initializer_list<glm::vec3> places,
                                                   const glm::vec3& halfExtents = glm::vec3(0.5f),
                                                   boost::weak_ptr<lum::Node> parent = {}) {
        const boost::shared_ptr<RecordingNode> node = RecordingNode::make(name, parent);
        int index = 0;
        for (const glm::vec3& place : places) {
            BoxSpatial::make(name + ".box" + std::to_string(index++), node, halfExtents)
                ->setTranslation(place);
        }
        return node;
    }

    // A built, active node holding one box turned about z by turn degrees.
    static boost::shared_ptr<RecordingNode> box(const std::string& name, const glm::vec3& position,
                                                const glm::vec3& halfExtents, float mass,
                                                float turn = 0.0f,
                                                boost::weak_ptr<lum::Node> parent = {}) {
        const boost::shared_ptr<RecordingNode> node = holder(name, {position}, halfExtents, parent);
        node->getChild(0)->rotate(turn, glm::vec3(0, 0, 1));
        node->setMass(mass);
        node->rebuildPhysics();
        node->activate();
        return node;
    }
};

#endif
