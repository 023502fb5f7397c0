#pragma once

#include "engine/math/BoundingBox.h"
#include "engine/math/MathUtil.h"

#include <vector>

class SpatialGraph;

// One cell of a spatial graph's tree. An inner node owns its two halves; a leaf is either a
// free cell of any size or a blocked one, and holds its links to the leaves that touch it.
// Nodes belong to their graph and die with it.
class SpatialGraphKDNode
{
public:
    SpatialGraphKDNode(SpatialGraph* graph, const BoundingBox& box, int depth);
    // Deletes the children, so deleting the root deletes the tree.
    ~SpatialGraphKDNode();
    SpatialGraphKDNode(const SpatialGraphKDNode&) = delete;
    SpatialGraphKDNode& operator=(const SpatialGraphKDNode&) = delete;

    bool IsLeaf() const { return Left == nullptr && Right == nullptr; }
    // Null counts as wholly blocked, so two blocked halves can be merged into one leaf.
    static bool IsWhollyBlocked(const SpatialGraphKDNode* node);
    void DeleteChildren();

    // The leaf under this node that holds point (edges inclusive, the left half first), or null.
    SpatialGraphKDNode* FindLeaf(const Vector2& point);

    // One point per finest cell along each side, one finest cell outside it (the node's outer
    // grid points, the centres of its finest cells, moved outwards): the top and bottom sides
    // column by column, then the left and right sides row by row. The leaves under them are
    // this leaf's neighbours.
    void GetProbePoints(Vector2List& points) const;

    // Adds the link once, marked as reachable in a straight line until the graph checks it.
    void AddNeighbour(SpatialGraphKDNode* neighbour);

    BoundingBox Box;
    // The box's centre, kept because searches ask for it over and over.
    Vector2 Centre;
    SpatialGraphKDNode* Left;
    SpatialGraphKDNode* Right;
    SpatialGraph* Graph;
    // The cell's position code: the path of halves from the root, padded with ones.
    unsigned int Index;
    int Depth;
    bool Blocked;
    // Leaves only. DirectPath runs parallel to Neighbours.
    std::vector<SpatialGraphKDNode*> Neighbours;
    std::vector<bool> DirectPath;
    // A leaf's place in its graph's leaf list; -1 for an inner node.
    int LeafNumber;

private:
    // How many finest cells fit across and up this node, rounded to the nearest whole cell so
    // float error never drops the last row.
    int CountColumns() const;
    int CountRows() const;
};
