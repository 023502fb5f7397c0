#include "gui/events/Dispatcher.h"

#include <algorithm>

namespace Gui
{
namespace Event
{
Dispatcher::~Dispatcher()
{
    for (const std::shared_ptr<Record>& record : _records)
    {
        // A fire in progress holds its own references to the records: let it skip them.
        record->attached = false;
        record->handler->UnRegisterCaller(this);
    }
}

void Dispatcher::Attach(Handler* handler, Handler::FunctionWithControl withControl,
                        Handler::FunctionWithInformation withInformation, Handler::FunctionBlank blank,
                        const Packet& packet)
{
    if (handler == nullptr)
    {
        return;
    }
    _records.push_back(std::make_shared<Record>(Record{withControl, withInformation, blank, handler, packet, true}));
    handler->RegisterCaller(this);
}

void Dispatcher::RemoveHandler(Handler* handler)
{
    handler->UnRegisterCaller(this);
    for (const std::shared_ptr<Record>& record : _records)
    {
        if (record->handler == handler)
        {
            record->attached = false;
        }
    }
    _records.erase(std::remove_if(_records.begin(), _records.end(),
                                  [handler](const std::shared_ptr<Record>& record) {
                                      return record->handler == handler;
                                  }),
                   _records.end());
}

void Dispatcher::Fire(Controls::Base* control)
{
    Information information;
    information.ControlCaller = control;
    Fire(control, information);
}

void Dispatcher::Fire(Controls::Base* control, const Information& information)
{
    // Walks a copy: the calls may change the list, or destroy this source altogether, so
    // nothing of this object is touched once the first call has run.
    const std::vector<std::shared_ptr<Record>> records = _records;
    Information call = information;
    call.Control = control;
    for (const std::shared_ptr<Record>& record : records)
    {
        if (!record->attached)
        {
            continue;
        }
        Handler* handler = record->handler;
        if (record->withControl != nullptr)
        {
            (handler->*record->withControl)(control);
        }
        else if (record->withInformation != nullptr)
        {
            call.Packet = &record->packet;
            (handler->*record->withInformation)(call);
        }
        else if (record->blank != nullptr)
        {
            (handler->*record->blank)();
        }
    }
}
}
}
