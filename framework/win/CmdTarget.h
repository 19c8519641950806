// CCmdTarget: an object that takes commands and messages through its message
// map. Frames, views, documents and the application route a command among
// themselves by overriding OnCmdMsg.
#pragma once

#include "framework/base/Object.h"
#include "framework/win/MessageMap.h"

// Passed to OnCmdMsg to ask whether a handler exists without running it.
struct CCmdProbe {
  CCmdTarget* pTarget = nullptr;  // the target whose map holds the handler
};

class CCmdTarget : public CObject {
  DECLARE_DYNAMIC(CCmdTarget)
 public:
  CCmdTarget() = default;

  // Runs the handler for command nID with nCode (CN_COMMAND, a control
  // notification code, or CN_UPDATE_COMMAND_UI with pExtra the CCmdUI).
  // With pProbe set, only reports whether a handler exists. Returns whether
  // the command was taken. Overrides route to other targets.
  virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdProbe* pProbe);

  // Whether a command handler for nID exists along the route.
  BOOL HasCommandHandler(UINT nID);

  // The entry of this object's map chain answering the key, or null.
  const MessageMapEntry* FindMessageEntry(MsgKind kind, UINT message, int code, UINT nID) const;

  // Runs an entry found in this object's map.
  bool CallEntry(const MessageMapEntry& entry, MessageCall& call) { return entry.thunk(this, call); }

  static const MessageMap* GetThisMessageMap();
  virtual const MessageMap* GetMessageMap() const;
};
