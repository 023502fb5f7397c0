#include "engine/pathfinding/SpatialGraph.h"

#include "engine/pathfinding/SpatialGraphKDNode.h"

#include <algorithm>

SpatialGraph::SpatialGraph(float entityWidth, const BoundingBox& bounds, const BlockedTest& isBlocked)
    : _depth(DepthFor(entityWidth, bounds)), _entityWidth(entityWidth), _finestCellSize(bounds.Max - bounds.Min),
      _root(nullptr), _walkStamp(0)
{
    for (int step = 0; step < _depth; ++step)
    {
        // The same alternation as the build: across X at even depths, across Y at odd ones.
        if (step % 2 == 0)
        {
            _finestCellSize.X *= 0.5f;
        }
        else
        {
            _finestCellSize.Y *= 0.5f;
        }
    }
    _root = Build(bounds, _depth, 0, isBlocked);
    CollectLeaves(_root);
    _walkStamps.assign(_leaves.size(), 0);
    LinkNeighbours();
    MarkDirectPaths();
}

SpatialGraph::~SpatialGraph()
{
    delete _root;
}

int SpatialGraph::DepthFor(float entityWidth, const BoundingBox& bounds)
{
    float cellWidth = std::max(bounds.Max.X - bounds.Min.X, bounds.Max.Y - bounds.Min.Y);
    int depth = 0;
    // Stopping at the limit matters for a width of 0, which would otherwise halve on
    // through the denormals.
    while (entityWidth < cellWidth && depth < MaxDepth)
    {
        cellWidth *= 0.5f;
        depth += 2;
    }
    return std::max(1, std::min(depth, MaxDepth));
}

SpatialGraphKDNode* SpatialGraph::Build(const BoundingBox& box, int levelsBelow, unsigned int index,
                                        const BlockedTest& isBlocked)
{
    SpatialGraphKDNode* node = new SpatialGraphKDNode(this, box, _depth - levelsBelow);
    node->Blocked = isBlocked(box);
    // Free cells are never cut: a free cell is one node of the graph whatever its size.
    if (levelsBelow > 0 && node->Blocked)
    {
        BoundingBox lower;
        BoundingBox upper;
        MathUtil::SplitBox(box, node->Depth % 2 == 0 ? 0 : 1, lower, upper);
        node->Left = Build(lower, levelsBelow - 1, index * 2, isBlocked);
        node->Right = Build(upper, levelsBelow - 1, index * 2 + 1, isBlocked);
    }
    node->Index = (index << levelsBelow) | ((1u << levelsBelow) - 1u);
    if (!node->IsLeaf() && SpatialGraphKDNode::IsWhollyBlocked(node->Left) &&
        SpatialGraphKDNode::IsWhollyBlocked(node->Right))
    {
        node->DeleteChildren();
    }
    return node;
}

void SpatialGraph::CollectLeaves(SpatialGraphKDNode* node)
{
    if (node->IsLeaf())
    {
        node->LeafNumber = (int)_leaves.size();
        _leaves.push_back(node);
        return;
    }
    CollectLeaves(node->Left);
    CollectLeaves(node->Right);
}

void SpatialGraph::LinkNeighbours()
{
    Vector2List probes;
    for (SpatialGraphKDNode* leaf : _leaves)
    {
        probes.clear();
        leaf->GetProbePoints(probes);
        for (const Vector2& probe : probes)
        {
            SpatialGraphKDNode* neighbour = FindLeaf(probe);
            if (neighbour != nullptr && neighbour != leaf)
            {
                leaf->AddNeighbour(neighbour);
            }
        }
    }
}

void SpatialGraph::MarkDirectPaths()
{
    for (SpatialGraphKDNode* leaf : _leaves)
    {
        const Vector2 centre = leaf->Centre;
        for (size_t i = 0; i < leaf->Neighbours.size(); ++i)
        {
            const SpatialGraphKDNode* neighbour = leaf->Neighbours[i];
            leaf->DirectPath[i] = CanWalkStraight(centre, neighbour, neighbour->Centre);
        }
    }
}

SpatialGraphKDNode* SpatialGraph::FindLeaf(const Vector2& point) const
{
    return _root->FindLeaf(point);
}

bool SpatialGraph::CanWalkStraight(const Vector2& from, const SpatialGraphKDNode* target,
                                   const Vector2& targetPoint) const
{
    const SpatialGraphKDNode* current = FindLeaf(from);
    if (current == nullptr)
    {
        return false;
    }
    if (++_walkStamp == 0)
    {
        std::fill(_walkStamps.begin(), _walkStamps.end(), 0u);
        _walkStamp = 1;
    }
    const Ray2 ray(from, targetPoint - from);
    while (current != target)
    {
        _walkStamps[current->LeafNumber] = _walkStamp;
        const SpatialGraphKDNode* next = nullptr;
        float nearest = MathUtil::MaxFloat;
        for (const SpatialGraphKDNode* neighbour : current->Neighbours)
        {
            float distance = 0.0f;
            if (_walkStamps[neighbour->LeafNumber] != _walkStamp && neighbour->Box.IntersectsRay(ray, distance) &&
                distance < nearest)
            {
                next = neighbour;
                nearest = distance;
            }
        }
        if (next == nullptr || next->Blocked)
        {
            return false;
        }
        current = next;
    }
    return true;
}
