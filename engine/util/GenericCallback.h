#pragma once

#include <cstdio>

// A member function bound to its object, called later with one argument.
// An empty record (no function) only warns when executed.
template <class ClassType, class ArgumentType>
class TGenericCallback
{
public:
    typedef void (ClassType::*Function)(ArgumentType);

    TGenericCallback() : _object(0), _function(0) {}
    TGenericCallback(ClassType* object, Function function) : _object(object), _function(function) {}
    virtual ~TGenericCallback() {}

    virtual void Execute(ArgumentType argument)
    {
        if (_function == 0)
        {
            std::printf("WARNING: No callback function specified!\n");
            return;
        }
        (_object->*_function)(argument);
    }

    bool IsBound() const { return _object != 0 && _function != 0; }

private:
    ClassType* _object;
    Function _function;
};
