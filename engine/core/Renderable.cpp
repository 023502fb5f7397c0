#include "engine/core/Renderable.h"

Renderable::Renderable() : _destroyed(false), _layer(0), _onLayer(false) {}

Renderable::~Renderable() {}

void Renderable::Update(float /*dt*/) {}

void Renderable::Render() {}

void Renderable::PreDestroy() {}

void Renderable::Destroy()
{
    if (_destroyed)
    {
        return;
    }
    PreDestroy();
    _destroyed = true;
}
