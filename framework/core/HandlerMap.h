#pragma once
// What message maps and event sink maps share: each class has one small, ordered table of
// entries, chained to its base class's table. An entry remembers its handler's class until
// the map checks that the handler belongs to the map's class or one of its bases.
#include <array>
#include <cstddef>
#include <type_traits>

template <class Entry>
struct CHandlerMap
{
    const CHandlerMap* (*pfnGetBaseMap)();
    const Entry* pEntries;
    size_t nCount;

    // The first entry that matches, searching this table before its base classes'.
    template <class Match>
    const Entry* Find(Match match) const
    {
        for (const CHandlerMap* pMap = this; pMap; pMap = pMap->pfnGetBaseMap ? pMap->pfnGetBaseMap() : nullptr) {
            for (size_t i = 0; i < pMap->nCount; ++i) {
                if (match(pMap->pEntries[i]))
                    return &pMap->pEntries[i];
            }
        }
        return nullptr;
    }
};

namespace HandlerMapDetail
{
template <class Entry, class C> struct TypedEntry
{
    Entry entry;
};

// Closes a map's entry list (the map macros put it last).
struct EndOfMap
{
};

template <class T, class Entry, class C> constexpr Entry Checked(const TypedEntry<Entry, C>& typed)
{
    static_assert(std::is_base_of<C, T>::value,
                  "map entry: the handler must be a member of the map's class or of one of its bases");
    return typed.entry;
}
template <class T, class Entry> constexpr Entry Checked(EndOfMap) { return Entry{}; }

// The map's entries followed by an empty one.
template <class T, class Entry, class... E> constexpr std::array<Entry, sizeof...(E)> MakeEntries(const E&... entries)
{
    return {{Checked<T, Entry>(entries)...}};
}
} // namespace HandlerMapDetail

// The map macros of each kind of map name their types and functions through these.
#define KELO_DECLARE_HANDLER_MAP(MapType, GetThisMap, GetMap)   \
public:                                                         \
    static const MapType* GetThisMap();                         \
    const MapType* GetMap() const override;                     \
private:

#define KELO_BEGIN_HANDLER_MAP(MapType, EntryType, GetThisMap, GetMap, theClass, baseClass) \
    const MapType* theClass::GetMap() const { return GetThisMap(); }                      \
    const MapType* theClass::GetThisMap()                                                 \
    {                                                                                     \
        using TheBase = baseClass;                                                        \
        static_assert(std::is_base_of<TheBase, theClass>::value,                          \
                      "map: the base map must be a base class's");                        \
        static constexpr auto s_entries = HandlerMapDetail::MakeEntries<theClass, EntryType>(

#define KELO_END_HANDLER_MAP(MapType, GetThisMap)                                         \
            HandlerMapDetail::EndOfMap{});                                                \
        static const MapType s_map = {&TheBase::GetThisMap, s_entries.data(), s_entries.size() - 1}; \
        return &s_map;                                                                    \
    }
