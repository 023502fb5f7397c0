// Cost of building a spatial graph over 200 static boxes in a 100 x 100 region, and of path
// queries on it, at entity widths 1 and 4. The build is compared with the least a flat grid of
// the same finest cells would cost: one physics query per cell. Goals on this machine class:
// a build under 50 ms and a query under 50 microseconds. Needs no window.
#include "engine/core/World.h"
#include "engine/pathfinding/SpatialGraph.h"
#include "engine/pathfinding/SpatialGraphKDNode.h"
#include "engine/pathfinding/SpatialGraphManager.h"

#include <box2d/box2d.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>

namespace
{
const BoundingBox kRegion(Vector2(0.0f, 0.0f), Vector2(100.0f, 100.0f));

double Milliseconds(const std::function<void()>& work)
{
    const std::chrono::steady_clock::time_point start = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> spent = std::chrono::steady_clock::now() - start;
    return spent.count();
}

// The best of a few runs: the machine's other work only ever adds time.
double BestMilliseconds(int runs, const std::function<void()>& work)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i)
    {
        best = std::min(best, Milliseconds(work));
    }
    return best;
}

void AddRandomBoxes(b2World* physics, int count, std::mt19937& random)
{
    std::uniform_real_distribution<float> position(0.0f, 100.0f);
    std::uniform_real_distribution<float> halfSize(0.25f, 2.0f);
    std::uniform_real_distribution<float> angle(0.0f, 3.14159265f);
    for (int i = 0; i < count; ++i)
    {
        b2BodyDef definition;
        definition.position.Set(position(random), position(random));
        definition.angle = angle(random);
        b2PolygonShape shape;
        shape.SetAsBox(halfSize(random), halfSize(random));
        physics->CreateBody(&definition)->CreateFixture(&shape, 0.0f);
    }
}

class CountingQuery : public b2QueryCallback
{
public:
    bool ReportFixture(b2Fixture*) override
    {
        ++Found;
        return true;
    }
    long long Found = 0;
};

// One AABB query for every finest cell of the region.
void QueryFlatGrid(b2World* physics, const Vector2& cell)
{
    CountingQuery query;
    for (float y = 0.0f; y < 100.0f; y += cell.Y)
    {
        for (float x = 0.0f; x < 100.0f; x += cell.X)
        {
            b2AABB box;
            box.lowerBound.Set(x, y);
            box.upperBound.Set(x + cell.X, y + cell.Y);
            physics->QueryAABB(&query, box);
        }
    }
}

void Report(b2World* physics, float entityWidth, std::mt19937& random)
{
    SpatialGraphManager* manager = SpatialGraphManager::GetInstance();
    const double build = BestMilliseconds(5, [&]() { manager->CreateGraph(entityWidth, kRegion); });
    const SpatialGraph& graph = *manager->GetGraph();
    const double flatGrid = BestMilliseconds(5, [&]() { QueryFlatGrid(physics, graph.GetFinestCellSize()); });

    // Queries between random points in free cells.
    std::vector<const SpatialGraphKDNode*> freeLeaves;
    for (const SpatialGraphKDNode* leaf : graph.GetLeaves())
    {
        if (!leaf->Blocked)
        {
            freeLeaves.push_back(leaf);
        }
    }
    std::uniform_int_distribution<size_t> pick(0, freeLeaves.size() - 1);
    const int queries = 2000;
    std::vector<Vector2> ends;
    for (int i = 0; i < queries * 2; ++i)
    {
        ends.push_back(freeLeaves[pick(random)]->Box.Centroid());
    }
    int found = 0;
    Vector2List path;
    const double searching = Milliseconds([&]() {
        for (int i = 0; i < queries; ++i)
        {
            path.clear();
            found += manager->GetPath(ends[i * 2], ends[i * 2 + 1], path) ? 1 : 0;
        }
    });

    std::printf("entity width %.0f: depth %2d, %6zu leaves (%zu free)\n", entityWidth, graph.GetDepth(),
                graph.GetLeaves().size(), freeLeaves.size());
    std::printf("  build  %8.2f ms   (one query per finest cell: %7.2f ms, ratio %.2f)\n", build, flatGrid,
                build / flatGrid);
    std::printf("  query  %8.2f us per GetPath (%d of %d found)\n", searching * 1000.0 / queries, found, queries);
}
}

int main()
{
    World::GetInstance()->SetupPhysics(Vector2(0.0f, 0.0f), 0);
    b2World* physics = World::GetInstance()->GetPhysicsWorld();
    std::mt19937 random(20240613);
    AddRandomBoxes(physics, 200, random);
    std::printf("Spatial graph over 100 x 100 units with 200 random static boxes\n");
    Report(physics, 1.0f, random);
    Report(physics, 4.0f, random);
    return 0;
}
