// An actor's identity: its tags, its unique name and the layer it asks to be on.
#include "engine/actors/Actor.h"

#include "engine/core/World.h"
#include "engine/util/StringUtil.h"

#include <cctype>

unsigned long long Actor::s_nameClashes = 0;

Actor::NameRegistry& Actor::Names()
{
    static NameRegistry registry;
    return registry;
}

void Actor::Tag(const String& newTags)
{
    StringList tags = SplitString(newTags, ", ");
    for (size_t i = 0; i < tags.size(); ++i)
    {
        const String tag = ToLower(tags[i]);
        _tags.insert(tag);
        TagCollection::GetInstance()->AddObjToTagList(this, tag);
    }
}

void Actor::Untag(const String& oldTag)
{
    const String tag = ToLower(oldTag);
    _tags.erase(tag);
    TagCollection::GetInstance()->RemoveObjFromTagList(this, tag);
}

bool Actor::IsTagged(const String& tag) const { return _tags.find(ToLower(tag)) != _tags.end(); }

const String& Actor::SetName(String newName)
{
    if (newName.empty())
    {
        newName = GetClassName();
    }
    if (!newName.empty())
    {
        newName[0] = (char)std::toupper((unsigned char)newName[0]);
    }

    NameRegistry& names = Names();
    String finalName = newName;
    NameRegistry::iterator holder = names.find(finalName);
    // The counter runs on until the name it makes is free, so the result is really unique.
    while (holder != names.end() && holder->second != this)
    {
        finalName = newName + ULongToString(++s_nameClashes);
        holder = names.find(finalName);
    }

    if (finalName != _name)
    {
        ForgetName();
    }
    _name = finalName;
    names[_name] = this;
    return _name;
}

void Actor::ForgetName()
{
    NameRegistry& names = Names();
    NameRegistry::iterator it = names.find(_name);
    if (it != names.end() && it->second == this)
    {
        names.erase(it);
    }
}

Actor* Actor::GetNamed(const String& nameLookup)
{
    NameRegistry& names = Names();
    NameRegistry::iterator it = names.find(nameLookup);
    return it == names.end() ? 0 : it->second;
}

void Actor::RestartNameCounter() { s_nameClashes = 0; }

void Actor::SetLayer(int layerIndex)
{
    if (layerIndex != GetLayer())
    {
        World::GetInstance()->UpdateLayer(this, layerIndex);
    }
}

void Actor::SetLayer(const String& layerName) { World::GetInstance()->UpdateLayer(this, layerName); }
