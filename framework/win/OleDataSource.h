// COleDataSource: data offered to another window or program, on the OLE
// clipboard or by drag and drop. The program caches each format's data in
// it; a receiver gets a copy of what it asks for. A data source is made with
// new and counts its users: SetClipboard hands it to the clipboard, which
// frees it when it is replaced; after DoDragDrop its maker calls
// InternalRelease.
#pragma once

#include <vector>

#include <ole2.h>

#include "framework/win/Win32.h"

class COleDataSource : public IDataObject, public IDropSource {
 public:
  COleDataSource();
  COleDataSource(const COleDataSource&) = delete;
  COleDataSource& operator=(const COleDataSource&) = delete;

  // Offers hGlobal as cfFormat; the data source owns the block from then on.
  void CacheGlobalData(CLIPFORMAT cfFormat, HGLOBAL hGlobal, LPFORMATETC lpFormatEtc = nullptr);
  // Offers a medium as cfFormat; the data source owns it (released with it).
  void CacheData(CLIPFORMAT cfFormat, LPSTGMEDIUM lpStgMedium, LPFORMATETC lpFormatEtc = nullptr);
  // Offers nothing any more.
  void Empty();

  // Drags the data with the left button, which is down, until it is let go
  // (DROPEFFECT_NONE when Escape cancels, or where no window takes the data).
  DROPEFFECT DoDragDrop(DWORD dwEffects = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
  // Puts the data on the clipboard; the clipboard holds this object from
  // then on (its maker's reference goes with it).
  BOOL SetClipboard();

  ULONG InternalAddRef();
  // Frees the object when nobody uses it any more.
  ULONG InternalRelease();

  // IUnknown
  STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override;
  STDMETHODIMP_(ULONG) AddRef() override { return InternalAddRef(); }
  STDMETHODIMP_(ULONG) Release() override { return InternalRelease(); }
  // IDataObject
  STDMETHODIMP GetData(FORMATETC* pFormatEtc, STGMEDIUM* pMedium) override;
  STDMETHODIMP GetDataHere(FORMATETC* pFormatEtc, STGMEDIUM* pMedium) override;
  STDMETHODIMP QueryGetData(FORMATETC* pFormatEtc) override;
  STDMETHODIMP GetCanonicalFormatEtc(FORMATETC* pFormatEtcIn, FORMATETC* pFormatEtcOut) override;
  STDMETHODIMP SetData(FORMATETC* pFormatEtc, STGMEDIUM* pMedium, BOOL fRelease) override;
  STDMETHODIMP EnumFormatEtc(DWORD dwDirection, IEnumFORMATETC** ppEnum) override;
  STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override;
  STDMETHODIMP DUnadvise(DWORD) override;
  STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override;
  // IDropSource
  STDMETHODIMP QueryContinueDrag(BOOL fEscapePressed, DWORD grfKeyState) override;
  STDMETHODIMP GiveFeedback(DWORD dwEffect) override;

 protected:
  virtual ~COleDataSource();

 private:
  struct Entry {
    FORMATETC format;
    STGMEDIUM medium;
  };
  const Entry* Find(const FORMATETC* pFormatEtc) const;

  std::vector<Entry> m_entries;
  LONG m_nRefs = 1;  // the maker's
};
