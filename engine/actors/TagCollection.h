#pragma once

#include "engine/util/StringTypes.h"

#include <map>
#include <set>
#include <vector>

class Actor;

typedef std::set<Actor*> ActorSet;
typedef std::vector<Actor*> ActorList;

// The engine-wide index of actors by tag. A tag is listed only while some actor carries it.
class TagCollection
{
public:
    static TagCollection* GetInstance();

    // Tags separated by commas or blanks; the actors that carry every one of them.
    ActorSet GetObjectsTagged(const String& findTags);
    StringSet GetTagList();

    // Kept up to date by Actor::Tag and Actor::Untag; tags arrive lower-cased.
    void AddObjToTagList(Actor* obj, const String& tag);
    void RemoveObjFromTagList(Actor* obj, const String& tag);

private:
    TagCollection() {}

    ActorSet GetObjectsWithTag(const String& tag);

    static TagCollection* s_instance;

    std::map<String, ActorSet> _tagMappings;
};
