#include "gui/animation/SizeAnimation.h"

#include "gui/controls/Base.h"

namespace Gui
{
namespace Anim
{
namespace Size
{
Width::Width(int startSize, int endSize, float length, bool hide, float delay, float ease)
    : TimedAnimation(length, delay, ease), _startSize(startSize), _delta(endSize - startSize), _hide(hide)
{
}

void Width::OnStart()
{
    Apply(_startSize);
}

void Width::Run(float delta)
{
    Apply((int)(_startSize + _delta * delta));
}

void Width::OnFinish()
{
    Apply(_startSize + _delta);
    m_Control->SetHidden(_hide);
}

void Width::Apply(int size)
{
    m_Control->SetWidth(size);
}

void Height::Apply(int size)
{
    m_Control->SetHeight(size);
}
}
}
}
