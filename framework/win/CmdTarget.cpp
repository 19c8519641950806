#include "framework/win/CmdTarget.h"

#include "framework/win/CmdUI.h"

IMPLEMENT_DYNAMIC(CCmdTarget, CObject)

const MessageMap* CCmdTarget::GetThisMessageMap() {
  static const MessageMapEntry s_entries[] = {{MsgKind::End, 0, 0, 0, 0, nullptr}};
  static const MessageMap s_map = {nullptr, s_entries};
  return &s_map;
}

const MessageMap* CCmdTarget::GetMessageMap() const {
  return GetThisMessageMap();
}

static bool EntryMatches(const MessageMapEntry& e, MsgKind kind, UINT message, int code, UINT nID) {
  if (e.kind != kind)
    return false;
  switch (kind) {
    case MsgKind::Message:
    case MsgKind::ReflectMessage:
      return e.message == message;
    case MsgKind::Command:
    case MsgKind::Notify:
      return e.code == code && nID >= e.firstId && nID <= e.lastId;
    case MsgKind::UpdateCommandUI:
      return nID >= e.firstId && nID <= e.lastId;
    case MsgKind::ReflectCommand:
    case MsgKind::ReflectNotify:
      return e.code == code;
    case MsgKind::End:
      break;
  }
  return false;
}

const MessageMapEntry* CCmdTarget::FindMessageEntry(MsgKind kind, UINT message, int code, UINT nID) const {
  for (const MessageMap* map = GetMessageMap(); map != nullptr; map = map->base ? map->base() : nullptr) {
    for (const MessageMapEntry* e = map->entries; e->kind != MsgKind::End; ++e) {
      if (EntryMatches(*e, kind, message, code, nID))
        return e;
    }
  }
  return nullptr;
}

BOOL CCmdTarget::OnCmdMsg(UINT nID, int nCode, void* pExtra, CCmdProbe* pProbe) {
  MsgKind kind = nCode == CN_UPDATE_COMMAND_UI ? MsgKind::UpdateCommandUI : MsgKind::Command;
  const MessageMapEntry* e = FindMessageEntry(kind, 0, nCode, nID);
  if (e == nullptr)
    return FALSE;
  if (pProbe != nullptr) {
    pProbe->pTarget = this;
    return TRUE;
  }
  MessageCall call = {WM_COMMAND, 0, 0, 0, nID, nCode, pExtra};
  if (kind == MsgKind::UpdateCommandUI) {
    CCmdUI* pCmdUI = static_cast<CCmdUI*>(pExtra);
    pCmdUI->m_bContinueRouting = FALSE;
    CallEntry(*e, call);
    // A handler that calls ContinueRouting lets the next target decide.
    return !pCmdUI->m_bContinueRouting;
  }
  return CallEntry(*e, call) ? TRUE : FALSE;
}

BOOL CCmdTarget::HasCommandHandler(UINT nID) {
  CCmdProbe probe;
  return OnCmdMsg(nID, CN_COMMAND, nullptr, &probe);
}
