#pragma once

#include "gui/animation/Animation.h"

namespace Gui
{
    namespace Anim
    {
        namespace Size
        {
            // Takes a control's width from one value to another; at the end the control is
            // hidden or shown as asked.
            class Width : public TimedAnimation
            {
            public:
                Width(int startSize, int endSize, float length, bool hide = false, float delay = 0.0f,
                      float ease = 1.0f);

            protected:
                void OnStart() override;
                void Run(float delta) override;
                void OnFinish() override;

                virtual void Apply(int size);

                int _startSize;
                int _delta;
                bool _hide;
            };

            // The same for the height.
            class Height : public Width
            {
            public:
                using Width::Width;

            protected:
                void Apply(int size) override;
            };
        }
    }
}
