#ifndef GLIMMET_TESTS_PROBESPATIAL_H
#define GLIMMET_TESTS_PROBESPATIAL_H

#include <functional>
#include <string>

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include "lum/scene/Node.h"
#include "lum/scene/Spatial.h"

// A leaf that counts what the scene does to it; onUpdate lets a test look
// around while the update is at the probe.
class ProbeSpatial : public lum::Spatial {
public:
    static boost::shared_ptr<ProbeSpatial> make(const std::string& name,
                                                boost::weak_ptr<lum::Node> parent) {
        const boost::shared_ptr<ProbeSpatial> probe(new ProbeSpatial(name));
        probe->setParent(parent);
        return probe;
    }

    void update(double dt) override {
        ++updates;
        Spatial::update(dt);
        if (onUpdate) {
            onUpdate();
        }
    }
    void render(lum::Renderer&) override { ++renders; }

    int updates = 0;
    int renders = 0;
    std::function<void()> onUpdate;

private:
    explicit ProbeSpatial(const std::string& name) : Spatial(name) {}
};

#endif
