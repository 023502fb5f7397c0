#include "engine/pathfinding/AStarSearch.h"

#include "engine/pathfinding/SpatialGraph.h"
#include "engine/pathfinding/SpatialGraphKDNode.h"

#include <algorithm>
#include <cmath>

namespace
{
float CentreDistance(const SpatialGraphKDNode* a, const SpatialGraphKDNode* b)
{
    const float dx = a->Centre.X - b->Centre.X;
    const float dy = a->Centre.Y - b->Centre.Y;
    return std::sqrt(dx * dx + dy * dy);
}
}

AStarSearch::AStarSearch() : _search(0), _goal(nullptr), _goalRecord(-1), _state(SEARCH_Failed), _stepCount(0) {}

bool AStarSearch::FindRoute(const SpatialGraph& graph, const SpatialGraphKDNode* start,
                            const SpatialGraphKDNode* goal, Vector2List& route)
{
    Begin(graph, start, goal);
    while (_state == SEARCH_Searching)
    {
        Step();
    }
    if (_state != SEARCH_Succeeded)
    {
        return false;
    }
    AppendRoute(route);
    return true;
}

void AStarSearch::Begin(const SpatialGraph& graph, const SpatialGraphKDNode* start, const SpatialGraphKDNode* goal)
{
    if (_leaves.size() != graph.GetLeaves().size() || ++_search == 0)
    {
        _leaves.assign(graph.GetLeaves().size(), LeafState{0, -1});
        _search = 1;
    }
    _records.clear();
    _open.clear();
    _goal = goal;
    _goalRecord = -1;
    _stepCount = 0;
    _state = SEARCH_Searching;
    Offer(-1, start);
}

AStarSearch::LeafState& AStarSearch::StateOf(const SpatialGraphKDNode* node)
{
    LeafState& state = _leaves[node->LeafNumber];
    if (state.Search != _search)
    {
        state.Search = _search;
        state.Record = -1;
    }
    return state;
}

bool AStarSearch::IsCheaper(int left, int right) const
{
    return _records[left].F < _records[right].F;
}

void AStarSearch::Offer(int parent, const SpatialGraphKDNode* node)
{
    const float g = parent < 0 ? 0.0f : _records[parent].G + CentreDistance(_records[parent].Node, node);
    LeafState& state = StateOf(node);
    // A leaf already reached at no greater cost, open or closed, keeps its record.
    if (state.Record >= 0 && _records[state.Record].G <= g)
    {
        return;
    }
    const float h = CentreDistance(node, _goal);
    state.Record = (int)_records.size();
    _records.push_back(Record{parent, g, h, g + h, node});
    _open.push_back(state.Record);
    std::push_heap(_open.begin(), _open.end(), [this](int a, int b) { return IsCheaper(b, a); });
}

void AStarSearch::Step()
{
    if (_open.empty())
    {
        _state = SEARCH_Failed;
        return;
    }
    std::pop_heap(_open.begin(), _open.end(), [this](int a, int b) { return IsCheaper(b, a); });
    const int current = _open.back();
    _open.pop_back();
    ++_stepCount;

    const SpatialGraphKDNode* node = _records[current].Node;
    LeafState& state = StateOf(node);
    // A leaf that found a cheaper record since this one was pushed has been handled.
    if (state.Record != current)
    {
        return;
    }
    if (node == _goal)
    {
        _goalRecord = current;
        _state = SEARCH_Succeeded;
        return;
    }
    const int parent = _records[current].Parent;
    const SpatialGraphKDNode* parentNode = parent < 0 ? nullptr : _records[parent].Node;
    for (size_t i = 0; i < node->Neighbours.size(); ++i)
    {
        const SpatialGraphKDNode* successor = node->Neighbours[i];
        if (!successor->Blocked && successor != parentNode && node->DirectPath[i])
        {
            Offer(current, successor);
        }
    }
}

void AStarSearch::AppendRoute(Vector2List& route) const
{
    const size_t first = route.size();
    for (int record = _goalRecord; record >= 0 && _records[record].Parent >= 0; record = _records[record].Parent)
    {
        route.push_back(_records[record].Node->Centre);
    }
    std::reverse(route.begin() + first, route.end());
}
