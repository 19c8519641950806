// Temporary wrapper objects for handles that no C++ object owns (a window
// found by id, the pen a DC had selected, a window's menu): FromHandle gives
// the same wrapper for the same handle until the application's next idle
// time, when all of them are detached and freed. A handle that an object
// takes for good keeps its wrapper until then: someone may still hold it,
// and a wrapper never owns its handle. The program has one
// user-interface thread, so the maps are plain process globals.
#pragma once

#include <unordered_map>

template <class Handle, class Object>
class CTempHandleMap {
 public:
  ~CTempHandleMap() { DeleteAll(); }

  // The wrapper of h, made on first use (by pfnMake when given, which picks
  // the wrapper's class); null for a null handle.
  Object* Lookup(Handle h, Object* (*pfnMake)(Handle) = nullptr) {
    if (h == nullptr)
      return nullptr;
    auto it = m_objects.find(h);
    if (it != m_objects.end())
      return it->second;
    Object* p = pfnMake != nullptr ? pfnMake(h) : new Object;
    p->AttachTemporary(h);
    m_objects.emplace(h, p);
    return p;
  }

  void DeleteAll() {
    auto objects = std::move(m_objects);
    m_objects.clear();
    for (auto& entry : objects) {
      entry.second->DetachTemporary();
      delete entry.second;
    }
  }

 private:
  std::unordered_map<Handle, Object*> m_objects;
};
