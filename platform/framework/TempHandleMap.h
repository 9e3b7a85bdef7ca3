// Wrapper objects made on the fly for handles that no object owns, one set a thread, emptied
// when the thread is idle. The handles are only borrowed: each is taken out of its wrapper
// before the wrapper goes, so that no destructor destroys it.
#pragma once

#include <map>
#include <memory>

template <typename Wrapper, typename Handle, Handle Wrapper::*Member>
class TempHandleMap {
public:
    static Wrapper* FromHandle(Handle handle)
    {
        if (!handle)
            return nullptr;
        Map*& map = ThreadMap();
        if (!map)
            map = new Map;  // never freed: a wrapper left at thread exit must not run its destructor
        auto& slot = (*map)[handle];
        if (!slot) {
            slot = std::make_unique<Wrapper>();
            (*slot).*Member = handle;
        }
        return slot.get();
    }

    static void Clear()
    {
        Map* map = ThreadMap();
        if (!map)
            return;
        for (auto& entry : *map)
            (*entry.second).*Member = nullptr;
        map->clear();
    }

private:
    using Map = std::map<Handle, std::unique_ptr<Wrapper>>;

    static Map*& ThreadMap()
    {
        thread_local Map* map = nullptr;
        return map;
    }
};
