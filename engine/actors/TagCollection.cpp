#include "engine/actors/TagCollection.h"

#include "engine/util/StringUtil.h"

#include <algorithm>
#include <iterator>

TagCollection* TagCollection::s_instance = 0;

TagCollection* TagCollection::GetInstance()
{
    if (s_instance == 0)
    {
        s_instance = new TagCollection();
    }
    return s_instance;
}

ActorSet TagCollection::GetObjectsWithTag(const String& tag)
{
    std::map<String, ActorSet>::iterator it = _tagMappings.find(ToLower(tag));
    return it == _tagMappings.end() ? ActorSet() : it->second;
}

ActorSet TagCollection::GetObjectsTagged(const String& findTags)
{
    StringList tags = SplitString(findTags, ", ");
    if (tags.empty())
    {
        return ActorSet();
    }
    ActorSet result = GetObjectsWithTag(tags[0]);
    for (size_t i = 1; i < tags.size() && !result.empty(); ++i)
    {
        ActorSet carriers = GetObjectsWithTag(tags[i]);
        ActorSet both;
        std::set_intersection(result.begin(), result.end(), carriers.begin(), carriers.end(),
                              std::inserter(both, both.begin()));
        result.swap(both);
    }
    return result;
}

StringSet TagCollection::GetTagList()
{
    StringSet tags;
    for (std::map<String, ActorSet>::iterator it = _tagMappings.begin(); it != _tagMappings.end(); ++it)
    {
        tags.insert(it->first);
    }
    return tags;
}

void TagCollection::AddObjToTagList(Actor* obj, const String& tag) { _tagMappings[tag].insert(obj); }

void TagCollection::RemoveObjFromTagList(Actor* obj, const String& tag)
{
    std::map<String, ActorSet>::iterator it = _tagMappings.find(tag);
    if (it == _tagMappings.end())
    {
        return;
    }
    it->second.erase(obj);
    if (it->second.empty())
    {
        _tagMappings.erase(it);
    }
}
