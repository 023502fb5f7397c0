// Tick cost of the World's layer machinery and the Switchboard's delivery rate.
#include "engine/core/Renderable.h"
#include "engine/core/World.h"
#include "engine/messaging/Message.h"
#include "engine/messaging/MessageListener.h"
#include "engine/messaging/Switchboard.h"

#include <benchmark/benchmark.h>

#include <vector>

namespace
{
// Does a little work per update and, now and then, moves itself to another layer so the
// deferred changes are part of what is measured.
class Churner : public Renderable
{
public:
    explicit Churner(int seed) : _counter(seed), _value(0.0f) {}
    void Update(float dt) override
    {
        _value += dt * 0.5f;
        if (++_counter % 97 == 0)
        {
            World::GetInstance()->UpdateLayer(this, (GetLayer() + 1) % 10);
        }
    }

private:
    int _counter;
    float _value;
};

class CountingListener : public MessageListener
{
public:
    void ReceiveMessage(Message*) override { ++received; }
    long long received = 0;
};
}

static void BM_TickTenThousandRenderablesOnTenLayers(benchmark::State& state)
{
    World* world = World::GetInstance();
    for (int i = 0; i < 10000; ++i)
    {
        world->Add(new Churner(i), i % 10);
    }
    for (auto _ : state)
    {
        world->Tick(true);
    }
    state.SetItemsProcessed(state.iterations() * 10000);
    world->UnloadAll();
}
BENCHMARK(BM_TickTenThousandRenderablesOnTenLayers)->Unit(benchmark::kMillisecond);

static void BM_SwitchboardDeliveryToHundredListeners(benchmark::State& state)
{
    Switchboard* board = Switchboard::GetInstance();
    std::vector<CountingListener> listeners(100);
    for (size_t i = 0; i < listeners.size(); ++i)
    {
        board->SubscribeTo(&listeners[i], "Tick");
    }
    const int messagesPerBatch = 1000;
    for (auto _ : state)
    {
        for (int i = 0; i < messagesPerBatch; ++i)
        {
            board->Broadcast(new Message("Tick"));
        }
        board->SendAllMessages();
    }
    // Deliveries: every message reaches all hundred listeners.
    state.SetItemsProcessed(state.iterations() * messagesPerBatch * 100);
    state.counters["messages/s"] =
        benchmark::Counter(double(state.iterations() * messagesPerBatch), benchmark::Counter::kIsRate);
}
BENCHMARK(BM_SwitchboardDeliveryToHundredListeners)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
