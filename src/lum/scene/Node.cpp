#include "lum/scene/Node.h"

#include <algorithm>

#include "lum/render/Renderer.h"
#include "lum/util/Exception.h"
#include "lum/util/Trace.h"

namespace lum {

Node::Node(const std::string& name) : Spatial(name), visible(true) {}

boost::shared_ptr<Node> Node::make(const std::string& name, boost::weak_ptr<Node> parent) {
    LUM_TRACE_BEGIN
    const boost::shared_ptr<Node> node(new Node(name));
    node->setParent(parent);
    return node;
    LUM_TRACE_END
}

void Node::update(double dt) {
    LUM_TRACE_BEGIN
    updateWorldTransform();
    updateShapeScaling();
    // By index and through a copy: a child may change this list while it
    // updates, and must not die in the middle of its own call.
    for (std::size_t i = 0; i < children.size(); ++i) {
        const boost::shared_ptr<Spatial> child = children[i];
        child->update(dt);
    }
    LUM_TRACE_END
}

void Node::render(Renderer& renderer) {
    LUM_TRACE_BEGIN
    if (!visible) {
        return;
    }
    // Over a laid-down depth, a surface that meets it exactly is drawn, so the
    // last of two coinciding surfaces shows; drawn in reverse, that is the one
    // that shows without the depth pass, where the first keeps the pixel.
    if (renderer.isDepthLaid()) {
        for (std::size_t i = children.size(); i-- > 0;) {
            const boost::shared_ptr<Spatial> child = children[i];
            child->render(renderer);
        }
        return;
    }
    for (std::size_t i = 0; i < children.size(); ++i) {
        const boost::shared_ptr<Spatial> child = children[i];
        child->render(renderer);
    }
    LUM_TRACE_END
}

int Node::getChildCount() const {
    return static_cast<int>(children.size());
}

void Node::addChild(boost::shared_ptr<Spatial> child) {
    LUM_TRACE_BEGIN
    child->setParent(self());
    LUM_TRACE_END
}

boost::shared_ptr<Node> Node::createChild(const std::string& name) {
    LUM_TRACE_BEGIN
    const boost::shared_ptr<Node> child(new Node(name));
    addChild(child);
    return child;
    LUM_TRACE_END
}

void Node::removeChild(boost::shared_ptr<Spatial> child) {
    LUM_TRACE_BEGIN
    const iterator found = std::find(children.begin(), children.end(), child);
    if (found != children.end()) {
        child->clearParent();
        children.erase(found);
    }
    LUM_TRACE_END
}

void Node::removeChild(const std::string& name) {
    LUM_TRACE_BEGIN
    const iterator found = std::find_if(
        children.begin(), children.end(),
        [&name](const boost::shared_ptr<Spatial>& child) { return child->getName() == name; });
    if (found != children.end()) {
        const boost::shared_ptr<Spatial> removed = *found;  // dies after the erase, not during it
        children.erase(found);
    }
    LUM_TRACE_END
}

void Node::removeChild(int index) {
    LUM_TRACE_BEGIN
    if (index < 0 || index >= getChildCount()) {
        return;
    }
    const boost::shared_ptr<Spatial> child = children[index];
    child->clearParent();
    children.erase(children.begin() + index);
    LUM_TRACE_END
}

void Node::removeAllChildren() {
    LUM_TRACE_BEGIN
    // Swapped out first: the children die with the local list, and whatever
    // their destructors do to this node then finds it already empty.
    ChildList former;
    former.swap(children);
    LUM_TRACE_END
}

boost::shared_ptr<Spatial> Node::getChild(const std::string& name) {
    LUM_TRACE_BEGIN
    for (const boost::shared_ptr<Spatial>& child : children) {
        if (child->getName() == name) {
            return child;
        }
    }
    throw OutOfBoundsException("No such child '" + name + "' in node " + getName() + "'");
    LUM_TRACE_END
}

boost::shared_ptr<Spatial> Node::getChild(int index) {
    LUM_TRACE_BEGIN
    if (index < 0 || index >= getChildCount()) {
        throw OutOfBoundsException("No child at index " + std::to_string(index) + " in node '" +
                                   getName() + "'");
    }
    return children[index];
    LUM_TRACE_END
}

Node::iterator Node::begin() {
    return children.begin();
}

Node::iterator Node::end() {
    return children.end();
}

bool Node::isVisible() const {
    return visible;
}

bool Node::isShown() const {
    if (!visible) {
        return false;
    }
    for (boost::shared_ptr<Node> above = getParent(); above; above = above->getParent()) {
        if (!above->visible) {
            return false;
        }
    }
    return true;
}

void Node::setVisible(bool newVisible) {
    LUM_TRACE_BEGIN
    if (visible == newVisible) {
        return;
    }
    visible = newVisible;
    onShownChanged();
    LUM_TRACE_END
}

void Node::onShownChanged() {
    LUM_TRACE_BEGIN
    for (std::size_t i = 0; i < children.size(); ++i) {
        if (Node* const child = dynamic_cast<Node*>(children[i].get())) {
            child->onShownChanged();
        }
    }
    LUM_TRACE_END
}

boost::shared_ptr<Node> Node::self() {
    return boost::static_pointer_cast<Node>(shared_from_this());
}

}  // namespace lum
