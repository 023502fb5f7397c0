#pragma once

#include "engine/math/MathUtil.h"

#include <vector>

class SpatialGraph;
class SpatialGraphKDNode;

// A* over the leaves of a spatial graph: from leaf to neighbouring free leaf, only where a
// straight walk between their centres is possible, costed by the distance between centres.
// One search object serves many searches; it keeps its lists between them to save
// allocations, so it must not be used on two graphs at once.
class AStarSearch
{
public:
    enum SearchState
    {
        SEARCH_Searching = 1,
        SEARCH_Succeeded = 2,
        SEARCH_Failed = 3
    };

    AStarSearch();

    // Runs a whole search from start to goal, both leaves of graph. On success appends the
    // centres of the leaves on the route after start, goal included, to route.
    bool FindRoute(const SpatialGraph& graph, const SpatialGraphKDNode* start, const SpatialGraphKDNode* goal,
                   Vector2List& route);

    SearchState GetState() const { return _state; }
    // The records taken off the open list by the last search.
    int GetStepCount() const { return _stepCount; }

private:
    struct Record
    {
        int Parent;
        float G;
        float H;
        float F;
        const SpatialGraphKDNode* Node;
    };

    // Per leaf: which search last touched it and its cheapest record, open or closed.
    struct LeafState
    {
        unsigned int Search;
        int Record;
    };

    void Begin(const SpatialGraph& graph, const SpatialGraphKDNode* start, const SpatialGraphKDNode* goal);
    void Step();
    void Offer(int parent, const SpatialGraphKDNode* node);
    LeafState& StateOf(const SpatialGraphKDNode* node);
    bool IsCheaper(int left, int right) const;
    void AppendRoute(Vector2List& route) const;

    std::vector<Record> _records;
    // Record numbers, a heap ordered by F, lowest first. Records whose leaf has since found
    // a better one stay in the heap and are skipped when they come up.
    std::vector<int> _open;
    std::vector<LeafState> _leaves;
    unsigned int _search;
    const SpatialGraphKDNode* _goal;
    int _goalRecord;
    SearchState _state;
    int _stepCount;
};
