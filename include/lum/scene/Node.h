#ifndef LUM_SCENE_NODE_H
#define LUM_SCENE_NODE_H

#include <string>
#include <vector>

#include <boost/shared_ptr.hpp>
#include <boost/weak_ptr.hpp>

#include "lum/scene/Spatial.h"

namespace lum {

// A Spatial with an ordered list of children, which it owns. The list order
// is the update, render and index order.
class Node : public Spatial {
public:
    using ChildList = std::vector<boost::shared_ptr<Spatial>>;
    using iterator = ChildList::iterator;

    // A new node under parent (last among its children); free when parent is empty.
    static boost::shared_ptr<Node> make(const std::string& name, boost::weak_ptr<Node> parent);

    // Updates itself, then every child in order.
    void update(double dt) override;
    // Renders every child in order; a hidden node skips its whole subtree.
    void render(Renderer& renderer) override;

    virtual int getChildCount() const;
    // Moves child (not null) here from wherever it was, appended last.
    virtual void addChild(boost::shared_ptr<Spatial> child);
    virtual boost::shared_ptr<Node> createChild(const std::string& name);
    // Takes child out and frees it (no parent, no scene); nothing when it is
    // not a child here.
    virtual void removeChild(boost::shared_ptr<Spatial> child);
    // Takes the first child of that name out of the list but leaves the
    // child's own parent and scene as they were; nothing when there is none.
    virtual void removeChild(const std::string& name);
    // Takes the child at index out and frees it; nothing for an index out of range.
    virtual void removeChild(int index);
    // Empties the list; the former children keep their parent and scene.
    virtual void removeAllChildren();
    // The first child of that name; OutOfBoundsException when there is none.
    virtual boost::shared_ptr<Spatial> getChild(const std::string& name);
    // OutOfBoundsException for an index out of range.
    virtual boost::shared_ptr<Spatial> getChild(int index);
    virtual iterator begin();
    virtual iterator end();

    bool isVisible() const;
    // Whether this node and every node above it are visible.
    bool isShown() const;
    // Hiding a node keeps its subtree updated but undrawn, and takes the
    // bodies of the physics nodes in it out of the world until it is shown.
    void setVisible(bool visible);

protected:
    explicit Node(const std::string& name);

    // Called on a node and on every node below it when a setVisible here or
    // above may have changed whether it is shown.
    virtual void onShownChanged();

private:
    friend class Spatial;

    boost::shared_ptr<Node> self();

    ChildList children;
    bool visible;
};

}  // namespace lum

#endif
