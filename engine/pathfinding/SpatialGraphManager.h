#pragma once

#include "engine/math/BoundingBox.h"
#include "engine/math/MathUtil.h"
#include "engine/pathfinding/AStarSearch.h"

#include <box2d/b2_math.h>
#include <box2d/b2_polygon_shape.h>
#include <box2d/b2_world_callbacks.h>

#include <utility>

class SpatialGraph;
class SpatialGraphKDNode;
class b2World;

typedef std::pair<Vector2, Vector2> Vector2Pair;

// Path finding for agents of one width through the obstacles of the World's physics world:
// every polygon and circle fixture there when the graph is built blocks the cells it overlaps.
// Created without a graph by the World at start-up and drawn by it every frame; a graph
// exists only after CreateGraph. The manager owns its graph; the graph does not follow
// bodies that move later.
class SpatialGraphManager : public b2QueryCallback
{
public:
    static SpatialGraphManager* GetInstance();

    // Replaces the graph with one over bounds for entities entityWidth wide (0 gives the
    // finest graph). Refused with an error line, keeping the old graph, when the width is
    // negative, the bounds are not finite or there is no physics world. Allowed while the
    // physics world is stepping.
    bool CreateGraph(float entityWidth, const BoundingBox& bounds);
    // Null until a graph was built. Owned by the manager; invalid after the next CreateGraph.
    const SpatialGraph* GetGraph() const { return _graph; }

    // Appends from, the centres of the cells on the way and to. False, and path untouched,
    // when there is no graph, a point lies outside it or no way exists.
    bool GetPath(const Vector2& from, const Vector2& to, Vector2List& path);
    // Whether a straight walk from one point reaches the other without crossing a blocked cell.
    bool CanGo(const Vector2& from, const Vector2& to);
    bool CanGo(const Vector2Pair& fromAndTo);
    // The centre of the free cell next to point's cell that a ray from point reaches first
    // (point's own cell never counts). False when there is none.
    bool FindNearestNonBlocked(const Vector2& point, Vector2& out);

    // Draws the graph in world coordinates as the debug flags say; nothing without a graph,
    // nor unless the bounds, blocked, grid-points or graph drawing is on (node indices are
    // drawn only beside one of them).
    void Render();

    // Debug flags: cell outlines, translucent red blocked cells, the probe points that found
    // each cell's neighbours (small squares), the links between free cells and each cell's
    // index code. All off at first. The toggles return the new value.
    void SetDrawBounds(bool draw) { _drawBounds = draw; }
    bool ToggleDrawBounds() { return _drawBounds = !_drawBounds; }
    bool GetDrawBounds() const { return _drawBounds; }
    void SetDrawBlocked(bool draw) { _drawBlocked = draw; }
    bool ToggleDrawBlocked() { return _drawBlocked = !_drawBlocked; }
    bool GetDrawBlocked() const { return _drawBlocked; }
    void SetDrawGridPoints(bool draw) { _drawGridPoints = draw; }
    bool ToggleDrawGridPoints() { return _drawGridPoints = !_drawGridPoints; }
    bool GetDrawGridPoints() const { return _drawGridPoints; }
    void SetDrawGraph(bool draw) { _drawGraph = draw; }
    bool ToggleDrawGraph() { return _drawGraph = !_drawGraph; }
    bool GetDrawGraph() const { return _drawGraph; }
    void SetDrawNodeIndex(bool draw) { _drawNodeIndex = draw; }
    bool ToggleDrawNodeIndex() { return _drawNodeIndex = !_drawNodeIndex; }
    bool GetDrawNodeIndex() const { return _drawNodeIndex; }

    // Box2D's query callback while a cell is tested; stops the query at the first fixture
    // that overlaps the cell.
    bool ReportFixture(b2Fixture* fixture) override;

private:
    SpatialGraphManager();

    bool IsBlocked(b2World* physics, const BoundingBox& cell);
    // The leaves holding both points; false without a graph or when either lies outside it.
    bool FindLeaves(const Vector2& from, const Vector2& to, const SpatialGraphKDNode*& start,
                    const SpatialGraphKDNode*& goal) const;
    void RenderLeaves();
    void RenderNodeIndices();

    static SpatialGraphManager* s_instance;

    SpatialGraph* _graph;
    bool _drawBounds;
    bool _drawBlocked;
    bool _drawGridPoints;
    bool _drawGraph;
    bool _drawNodeIndex;

    AStarSearch _search;
    // The cell under test while a query runs.
    b2PolygonShape _cellShape;
    b2Transform _cellTransform;
    bool _cellBlocked;
};
