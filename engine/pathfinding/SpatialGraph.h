#pragma once

#include "engine/math/BoundingBox.h"
#include "engine/math/MathUtil.h"

#include <functional>
#include <vector>

class SpatialGraphKDNode;

// A region cut into a tree of cells, halved across X and Y in turn, where only cells that
// overlap an obstacle are cut further, down to cells about an entity wide. Its free leaves
// and the leaves that touch them form the graph that paths are searched on. The graph is a
// snapshot of the obstacles at the time it was built.
class SpatialGraph
{
public:
    // Whether a cell overlaps an obstacle.
    typedef std::function<bool(const BoundingBox&)> BlockedTest;

    static constexpr int MaxDepth = 24;

    // Builds the tree over bounds for entities entityWidth wide. isBlocked is called only
    // during construction. The caller checks the arguments: entityWidth 0 or more, bounds
    // finite.
    SpatialGraph(float entityWidth, const BoundingBox& bounds, const BlockedTest& isBlocked);
    ~SpatialGraph();
    SpatialGraph(const SpatialGraph&) = delete;
    SpatialGraph& operator=(const SpatialGraph&) = delete;

    // Levels below the root: 1, or an even number up to MaxDepth.
    static int DepthFor(float entityWidth, const BoundingBox& bounds);

    int GetDepth() const { return _depth; }
    float GetEntityWidth() const { return _entityWidth; }
    // The size of a cell at full depth.
    const Vector2& GetFinestCellSize() const { return _finestCellSize; }
    SpatialGraphKDNode* GetRoot() const { return _root; }
    // Every leaf, in the order of a walk of the tree that takes the left half first.
    const std::vector<SpatialGraphKDNode*>& GetLeaves() const { return _leaves; }

    // The leaf holding point (edges inclusive), or null outside the region.
    SpatialGraphKDNode* FindLeaf(const Vector2& point) const;

    // Walks from the leaf holding from, leaf to neighbouring leaf, along the ray towards
    // targetPoint until it reaches target; false when a blocked leaf or a dead end comes first.
    bool CanWalkStraight(const Vector2& from, const SpatialGraphKDNode* target, const Vector2& targetPoint) const;

private:
    SpatialGraphKDNode* Build(const BoundingBox& box, int levelsBelow, unsigned int index,
                              const BlockedTest& isBlocked);
    void CollectLeaves(SpatialGraphKDNode* node);
    void LinkNeighbours();
    void MarkDirectPaths();

    int _depth;
    float _entityWidth;
    Vector2 _finestCellSize;
    SpatialGraphKDNode* _root;
    std::vector<SpatialGraphKDNode*> _leaves;
    // Leaves seen by the running straight walk carry the walk's stamp.
    mutable std::vector<unsigned int> _walkStamps;
    mutable unsigned int _walkStamp;
};
