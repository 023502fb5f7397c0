#include "engine/pathfinding/SpatialGraphManager.h"

#include "engine/core/DebugDraw.h"
#include "engine/core/World.h"
#include "engine/log/CompoundLog.h"
#include "engine/pathfinding/SpatialGraph.h"
#include "engine/pathfinding/SpatialGraphKDNode.h"
#include "engine/rendering/FontRegistry.h"
#include "engine/util/StringUtil.h"

#include <box2d/b2_body.h>
#include <box2d/b2_collision.h>
#include <box2d/b2_circle_shape.h>
#include <box2d/b2_fixture.h>
#include <box2d/b2_world.h>

#include <GL/gl.h>
#include <cmath>

namespace
{
bool IsFinite(const Vector2& v)
{
    return std::isfinite(v.X) && std::isfinite(v.Y);
}

// Links are drawn halfway towards the neighbour, so a link both ways meets in the middle.
const float kLinkReach = 0.5f;
// The grid-points drawing shows each probe point as a square this many finest cells wide.
const float kProbeSquareSize = 0.15f;
}

SpatialGraphManager* SpatialGraphManager::s_instance = nullptr;

SpatialGraphManager* SpatialGraphManager::GetInstance()
{
    if (s_instance == nullptr)
    {
        s_instance = new SpatialGraphManager();
    }
    return s_instance;
}

SpatialGraphManager::SpatialGraphManager()
    : _graph(nullptr), _drawBounds(false), _drawBlocked(false), _drawGridPoints(false), _drawGraph(false),
      _drawNodeIndex(false), _cellBlocked(false)
{
}

bool SpatialGraphManager::CreateGraph(float entityWidth, const BoundingBox& bounds)
{
    CompoundLog& log = CompoundLog::GetSystemLog();
    // A negative width would never stop the halving, and neither would half of infinity.
    if (!(entityWidth >= 0.0f))
    {
        log.Printf("ERROR: Can't build a spatial graph for an entity width of %f; the old graph is kept.",
                   entityWidth);
        return false;
    }
    if (!IsFinite(bounds.Min) || !IsFinite(bounds.Max))
    {
        log.Printf("ERROR: Can't build a spatial graph over bounds that are not finite; the old graph is kept.");
        return false;
    }
    b2World* physics = World::GetInstance()->GetPhysicsWorld();
    if (physics == nullptr)
    {
        log.Printf("ERROR: Can't build a spatial graph before physics is set up; the old graph is kept.");
        return false;
    }

    SpatialGraph* graph = new SpatialGraph(entityWidth, bounds,
                                           [this, physics](const BoundingBox& cell) { return IsBlocked(physics, cell); });
    delete _graph;
    _graph = graph;
    return true;
}

bool SpatialGraphManager::IsBlocked(b2World* physics, const BoundingBox& cell)
{
    const Vector2 halfExtents = cell.HalfExtents();
    const Vector2 centre = cell.Centroid();
    // The cell keeps Box2D's polygon skin, as a box fixture would: a fixture that touches the
    // cell, or comes closer to it than the two shapes' skins together, blocks it.
    _cellShape.SetAsBox(halfExtents.X, halfExtents.Y);
    _cellTransform.Set(b2Vec2(centre.X, centre.Y), 0.0f);
    _cellBlocked = false;

    b2AABB box;
    box.lowerBound.Set(cell.Min.X, cell.Min.Y);
    box.upperBound.Set(cell.Max.X, cell.Max.Y);
    physics->QueryAABB(this, box);
    return _cellBlocked;
}

bool SpatialGraphManager::ReportFixture(b2Fixture* fixture)
{
    const b2Transform& bodyTransform = fixture->GetBody()->GetTransform();
    b2Manifold manifold;
    manifold.pointCount = 0;
    switch (fixture->GetType())
    {
    case b2Shape::e_polygon:
        b2CollidePolygons(&manifold, &_cellShape, _cellTransform, static_cast<b2PolygonShape*>(fixture->GetShape()),
                          bodyTransform);
        break;
    case b2Shape::e_circle:
        b2CollidePolygonAndCircle(&manifold, &_cellShape, _cellTransform,
                                  static_cast<b2CircleShape*>(fixture->GetShape()), bodyTransform);
        break;
    default:
        // Edges and chains have no inside, so they never block a cell.
        break;
    }
    _cellBlocked = manifold.pointCount > 0;
    // Every fixture under the cell is looked at until one blocks it, however many there are.
    return !_cellBlocked;
}

bool SpatialGraphManager::FindLeaves(const Vector2& from, const Vector2& to, const SpatialGraphKDNode*& start,
                                     const SpatialGraphKDNode*& goal) const
{
    if (_graph == nullptr)
    {
        return false;
    }
    start = _graph->FindLeaf(from);
    goal = _graph->FindLeaf(to);
    return start != nullptr && goal != nullptr;
}

bool SpatialGraphManager::GetPath(const Vector2& from, const Vector2& to, Vector2List& path)
{
    const SpatialGraphKDNode* start = nullptr;
    const SpatialGraphKDNode* goal = nullptr;
    if (!FindLeaves(from, to, start, goal))
    {
        return false;
    }
    // The route is gathered apart, so a failed search leaves the caller's list as it was.
    Vector2List route;
    if (start != goal && !_search.FindRoute(*_graph, start, goal, route))
    {
        return false;
    }
    path.push_back(from);
    path.insert(path.end(), route.begin(), route.end());
    path.push_back(to);
    return true;
}

bool SpatialGraphManager::CanGo(const Vector2& from, const Vector2& to)
{
    const SpatialGraphKDNode* start = nullptr;
    const SpatialGraphKDNode* goal = nullptr;
    if (!FindLeaves(from, to, start, goal))
    {
        return false;
    }
    return start == goal || _graph->CanWalkStraight(from, goal, to);
}

bool SpatialGraphManager::CanGo(const Vector2Pair& fromAndTo)
{
    return CanGo(fromAndTo.first, fromAndTo.second);
}

bool SpatialGraphManager::FindNearestNonBlocked(const Vector2& point, Vector2& out)
{
    if (_graph == nullptr)
    {
        return false;
    }
    const SpatialGraphKDNode* leaf = _graph->FindLeaf(point);
    if (leaf == nullptr)
    {
        return false;
    }
    const SpatialGraphKDNode* nearest = nullptr;
    float nearestDistance = MathUtil::MaxFloat;
    for (const SpatialGraphKDNode* neighbour : leaf->Neighbours)
    {
        if (neighbour->Blocked)
        {
            continue;
        }
        // A unit direction, so the distances to different neighbours compare.
        const Ray2 ray(point, Vector2::Normalize(neighbour->Centre - point));
        float distance = 0.0f;
        if (neighbour->Box.IntersectsRay(ray, distance) && distance < nearestDistance)
        {
            nearest = neighbour;
            nearestDistance = distance;
        }
    }
    if (nearest == nullptr)
    {
        return false;
    }
    out = nearest->Centre;
    return true;
}

void SpatialGraphManager::Render()
{
    // Node indices are drawn only beside one of the other drawings.
    if (_graph == nullptr || !(_drawBounds || _drawBlocked || _drawGridPoints || _drawGraph))
    {
        return;
    }
    RenderLeaves();
    if (_drawNodeIndex)
    {
        RenderNodeIndices();
    }
}

void SpatialGraphManager::RenderLeaves()
{
    const float probeSize = kProbeSquareSize * _graph->GetFinestCellSize().X;
    Vector2List probes;
    for (const SpatialGraphKDNode* leaf : _graph->GetLeaves())
    {
        if (_drawBlocked && leaf->Blocked)
        {
            glColor4f(1.0f, 0.0f, 0.0f, 0.25f);
            leaf->Box.RenderFilled();
        }
        if (_drawBounds)
        {
            glColor4f(0.0f, 0.0f, 0.0f, 0.5f);
            leaf->Box.RenderOutline();
        }
        if (_drawGraph && !leaf->Blocked)
        {
            const Vector2 centre = leaf->Centre;
            for (size_t i = 0; i < leaf->Neighbours.size(); ++i)
            {
                // Green where a straight walk gets through, orange where it doesn't.
                if (leaf->DirectPath[i])
                {
                    glColor4f(0.0f, 0.6f, 0.0f, 1.0f);
                }
                else
                {
                    glColor4f(1.0f, 0.5f, 0.0f, 1.0f);
                }
                DrawLine(centre, MathUtil::Lerp(centre, leaf->Neighbours[i]->Centre, kLinkReach));
            }
        }
        if (_drawGridPoints)
        {
            // The points that found this leaf's neighbours, one finest cell outside it.
            glColor4f(0.0f, 0.0f, 1.0f, 1.0f);
            probes.clear();
            leaf->GetProbePoints(probes);
            for (const Vector2& probe : probes)
            {
                DrawBoxOutline(probe, probeSize);
            }
        }
    }
}

void SpatialGraphManager::RenderNodeIndices()
{
    const Color textColor(0.0f, 0.0f, 0.5f, 1.0f);
    for (const SpatialGraphKDNode* leaf : _graph->GetLeaves())
    {
        const Vector2 screen = MathUtil::WorldToScreen(leaf->Centre);
        DrawScreenTextColored(ULongToString(leaf->Index), "ConsoleSmall", ToTextPixel(screen.X),
                              ToTextPixel(screen.Y), 0.0f, textColor);
    }
}
