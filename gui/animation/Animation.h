#pragma once

namespace Gui
{
    namespace Controls
    {
        class Base;
    }

    namespace Anim
    {
        // A change of a control over time. Belongs to the registry once added (Gui::Anim::Add),
        // which deletes it when it has finished or when its control is deleted.
        class Animation
        {
        public:
            virtual ~Animation() {}
            virtual void Think() = 0;
            virtual bool Finished() { return false; }

            Controls::Base* m_Control = nullptr;
        };

        // An animation that starts after a delay and runs for a length of toolkit time. The
        // progress p (0 to 1) is eased: p to the power ease, or for a negative ease the cosine
        // form that starts and ends slowly.
        class TimedAnimation : public Animation
        {
        public:
            TimedAnimation(float length, float delay = 0.0f, float ease = 1.0f);

            void Think() override;
            bool Finished() override { return _finished; }

        protected:
            virtual void OnStart() {}
            virtual void Run(float delta) { (void)delta; }
            virtual void OnFinish() {}

        private:
            bool _started = false;
            bool _finished = false;
            float _start;
            float _end;
            float _ease;
        };
    }
}
