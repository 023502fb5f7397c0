#pragma once

#include "engine/core/Renderable.h"

#include <functional>
#include <string>
#include <vector>

// A renderable that writes what happens to it into a shared journal, and can run a
// reaction inside its own update (to add, remove or destroy others while layers are locked).
class TestRenderable : public Renderable
{
public:
    explicit TestRenderable(const std::string& name, std::vector<std::string>* journal = 0);
    virtual ~TestRenderable();

    void Update(float dt) override;
    void Render() override;
    void PreDestroy() override;

    std::string name;
    std::vector<std::string>* journal;
    std::function<void(TestRenderable*)> onUpdate;
    std::vector<float> updateSteps;
    int renders;
    int preDestroys;
    bool* deletedFlag;
};
