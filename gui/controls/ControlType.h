#pragma once

// Declares, inside a control class derived from Parent, its type name, its type identifier
// for gui_cast and the DynamicCast that answers for it and for every ancestor below Base.
// The identifier's text is defined once in the class's source with GUI_CONTROL_IDENTIFIER.
#define GUI_CONTROL_TYPE(ThisClass, Parent)                                                        \
public:                                                                                            \
    static TypeIdentifier GetIdentifier();                                                         \
    const char* GetTypeName() override { return #ThisClass; }                                      \
    const char* GetBaseTypeName() override { return Parent::GetTypeName(); }                       \
    Gui::Controls::Base* DynamicCast(TypeIdentifier identifier) override                           \
    {                                                                                              \
        return identifier == GetIdentifier() ? this : Parent::DynamicCast(identifier);             \
    }

// The identifier is the address of this text, "<parent as written>:<class>".
#define GUI_CONTROL_IDENTIFIER(QualifiedClass, Text)                                               \
    Gui::Controls::Base::TypeIdentifier QualifiedClass::GetIdentifier()                            \
    {                                                                                              \
        static const char identifier[] = Text;                                                     \
        return identifier;                                                                         \
    }
