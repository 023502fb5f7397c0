#pragma once

#include <list>

namespace Gui
{
    namespace Controls
    {
        class Base;
    }

    namespace Event
    {
        class Dispatcher;
        struct Information;

        // Anything that attaches its member functions to event sources. Either side's
        // destruction detaches the pair, so neither is ever called after it is gone.
        class Handler
        {
        public:
            typedef void (Handler::*FunctionWithControl)(Controls::Base* control);
            typedef void (Handler::*FunctionWithInformation)(const Information& information);
            typedef void (Handler::*FunctionBlank)();

            Handler() {}
            virtual ~Handler();
            Handler(const Handler&) = delete;
            Handler& operator=(const Handler&) = delete;

            // Bookkeeping of the sources this handler is attached to, one entry per
            // attachment; called by the sources themselves.
            void RegisterCaller(Dispatcher* source);
            void UnRegisterCaller(Dispatcher* source);

        private:
            std::list<Dispatcher*> _sources;
        };
    }
}
