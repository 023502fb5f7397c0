#pragma once

#include "gui/events/Handler.h"
#include "gui/events/Information.h"
#include "gui/events/Packet.h"

#include <memory>
#include <vector>

namespace Gui
{
    namespace Event
    {
        // An event source, a member of a control. Firing calls every attached function in
        // attachment order. A handler may attach, detach or destroy handlers (itself
        // included) or the source itself while it is being fired: a detached handler is not
        // called afterwards, and one attached during the fire waits for the next.
        class Dispatcher
        {
        public:
            Dispatcher() {}
            ~Dispatcher();
            Dispatcher(const Dispatcher&) = delete;
            Dispatcher& operator=(const Dispatcher&) = delete;

            template <class T> void AddHandler(Handler* handler, void (T::*function)(Controls::Base*))
            {
                Attach(handler, static_cast<Handler::FunctionWithControl>(function), nullptr, nullptr, Packet());
            }
            template <class T>
            void AddHandler(Handler* handler, void (T::*function)(const Information&), const Packet& packet = Packet())
            {
                Attach(handler, nullptr, static_cast<Handler::FunctionWithInformation>(function), nullptr, packet);
            }
            template <class T> void AddHandler(Handler* handler, void (T::*function)())
            {
                Attach(handler, nullptr, nullptr, static_cast<Handler::FunctionBlank>(function), Packet());
            }

            // Detaches every attachment of the handler.
            void RemoveHandler(Handler* handler);

            void Fire(Controls::Base* control);
            void Fire(Controls::Base* control, const Information& information);

            size_t NumHandlers() const { return _records.size(); }

        private:
            struct Record
            {
                Handler::FunctionWithControl withControl;
                Handler::FunctionWithInformation withInformation;
                Handler::FunctionBlank blank;
                Handler* handler;
                Packet packet;
                bool attached;
            };

            void Attach(Handler* handler, Handler::FunctionWithControl withControl,
                        Handler::FunctionWithInformation withInformation, Handler::FunctionBlank blank,
                        const Packet& packet);

            std::vector<std::shared_ptr<Record>> _records;
        };
    }
}
