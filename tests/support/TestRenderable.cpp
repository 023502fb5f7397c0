#include "support/TestRenderable.h"

TestRenderable::TestRenderable(const std::string& name, std::vector<std::string>* journal)
    : name(name), journal(journal), renders(0), preDestroys(0), deletedFlag(0)
{
}

TestRenderable::~TestRenderable()
{
    if (journal != 0)
    {
        journal->push_back("delete " + name);
    }
    if (deletedFlag != 0)
    {
        *deletedFlag = true;
    }
}

void TestRenderable::Update(float dt)
{
    updateSteps.push_back(dt);
    if (journal != 0)
    {
        journal->push_back("update " + name);
    }
    if (onUpdate)
    {
        onUpdate(this);
    }
}

void TestRenderable::Render()
{
    ++renders;
    if (journal != 0)
    {
        journal->push_back("render " + name);
    }
}

void TestRenderable::PreDestroy()
{
    ++preDestroys;
}
