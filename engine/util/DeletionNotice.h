#pragma once

// Tells the one party that holds handles to engine objects outside the engine (the script
// module) that an object is being deleted, so that none of its handles reaches freed memory.
// The engine sends it from the destructors of the objects that scripts can hold and the
// engine deletes: renderables, message listeners, messages, the sound device and samples.
class DeletionNotice
{
public:
    typedef void (*Observer)(const void* object);

    // One observer at a time; null removes it. The observer must not delete anything.
    static void SetObserver(Observer observer);
    // object is the address of the subobject whose destructor runs (its own class's this).
    static void Send(const void* object)
    {
        if (s_observer != 0)
        {
            s_observer(object);
        }
    }

private:
    static Observer s_observer;
};
