#include "engine/pathfinding/SpatialGraphKDNode.h"

#include "engine/pathfinding/SpatialGraph.h"

#include <algorithm>

SpatialGraphKDNode::SpatialGraphKDNode(SpatialGraph* graph, const BoundingBox& box, int depth)
    : Box(box), Centre(box.Centroid()), Left(nullptr), Right(nullptr), Graph(graph), Index(0), Depth(depth),
      Blocked(false), LeafNumber(-1)
{
}

SpatialGraphKDNode::~SpatialGraphKDNode()
{
    DeleteChildren();
}

bool SpatialGraphKDNode::IsWhollyBlocked(const SpatialGraphKDNode* node)
{
    return node == nullptr || (node->Blocked && IsWhollyBlocked(node->Left) && IsWhollyBlocked(node->Right));
}

void SpatialGraphKDNode::DeleteChildren()
{
    delete Left;
    delete Right;
    Left = nullptr;
    Right = nullptr;
}

SpatialGraphKDNode* SpatialGraphKDNode::FindLeaf(const Vector2& point)
{
    SpatialGraphKDNode* node = this;
    while (node != nullptr && node->Box.Contains(point))
    {
        if (node->IsLeaf())
        {
            return node;
        }
        node = node->Left->Box.Contains(point) ? node->Left : node->Right;
    }
    return nullptr;
}

int SpatialGraphKDNode::CountColumns() const
{
    return std::max(1, MathUtil::RoundToInt((Box.Max.X - Box.Min.X) / Graph->GetFinestCellSize().X));
}

int SpatialGraphKDNode::CountRows() const
{
    return std::max(1, MathUtil::RoundToInt((Box.Max.Y - Box.Min.Y) / Graph->GetFinestCellSize().Y));
}

void SpatialGraphKDNode::GetProbePoints(Vector2List& points) const
{
    const Vector2 cell = Graph->GetFinestCellSize();
    const int columns = CountColumns();
    const int rows = CountRows();
    for (int column = 0; column < columns; ++column)
    {
        const float x = Box.Min.X + (column + 0.5f) * cell.X;
        points.push_back(Vector2(x, Box.Max.Y + 0.5f * cell.Y));
        points.push_back(Vector2(x, Box.Min.Y - 0.5f * cell.Y));
    }
    for (int row = 0; row < rows; ++row)
    {
        const float y = Box.Max.Y - (row + 0.5f) * cell.Y;
        points.push_back(Vector2(Box.Min.X - 0.5f * cell.X, y));
        points.push_back(Vector2(Box.Max.X + 0.5f * cell.X, y));
    }
}

void SpatialGraphKDNode::AddNeighbour(SpatialGraphKDNode* neighbour)
{
    if (std::find(Neighbours.begin(), Neighbours.end(), neighbour) != Neighbours.end())
    {
        return;
    }
    Neighbours.push_back(neighbour);
    DirectPath.push_back(true);
}
