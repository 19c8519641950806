#include "onedim/import/ImportBruker.h"

#include <memory>
#include <new>
#include <utility>

#include "onedim/import/BrukerParams.h"
#include "onedim/import/ImportPath.h"
#include "onedim/import/ImportTarget.h"
#include "onedim/model/Spectrum.h"
#include "onedim/model/SpectrumParams.h"

namespace {

// A 2D experiment has at most a few thousand FIDs; more would fill memory
// with spectrum records long before the data.
const int kMaxSeriesFids = 65536;

const char kMemoryExhausted[] = "Memory exhausted. \nImporting aborted";
// The buffer the words of the file are read into, before the spectrum's own.
const char kNoReadBuffer[] = "error no memory";
const char kShortFid[] = "error opening FID. \nNumber of points different from expected";

// The index of the separator that begins the first "pdata" folder of the
// path, or -1.
int FindPdataFolder(const CString& strPath) {
  CString strUpper(strPath);
  strUpper.MakeUpper();
  int nBack = strUpper.Find("\\PDATA");
  int nSlash = strUpper.Find("/PDATA");
  if (nBack < 0)
    return nSlash;
  if (nSlash < 0)
    return nBack;
  return nBack < nSlash ? nBack : nSlash;
}

}  // namespace

BOOL CBrukerImporter::Import(LPCSTR lpszPath) {
  m_strPath = lpszPath != nullptr ? lpszPath : "";
  m_strFolder = GetImportFolder(m_strPath);
  try {
    return DoImport();
  } catch (CMemoryException* e) {
    e->Delete();
    return Fail(kMemoryExhausted);
  } catch (const std::bad_alloc&) {
    return Fail(kMemoryExhausted);
  } catch (CException* e) {
    e->Delete();
    History("error");
    return Fail("Error reading the data files.\nImporting aborted");
  }
}

BOOL CBrukerImporter::DoImport() {
  CSpectrumParams params;
  History("Starting traslation for " + m_strPath + " Bruker XWIN-NMR/UXNMR data type");
  int nFids = CountSeriesFids();
  ReadTitle(params);
  if (IsProcessedPath())
    return ImportProcessed(params);
  if (nFids < 1 || nFids > kMaxSeriesFids) {
    CString strError;
    strError.Format("Acqu2s gives no usable number of FIDs (%d).\nImporting aborted", nFids);
    History(strError);
    return Fail(strError);
  }
  m_nFids = nFids;
  return ImportFid(params);
}

int CBrukerImporter::CountSeriesFids() {
  CFile acqu2s, ser;
  if (!OpenImportFile(acqu2s, m_strFolder + "Acqu2s") || !OpenImportFile(ser, m_strFolder + "ser"))
    return 1;
  CSpectrumParams series;
  ReadBrukerAcqus(series, acqu2s);
  if (IsMissing(series, "td") || series.td < 1)
    return 0;
  return series.td;
}

BOOL CBrukerImporter::ImportFid(CSpectrumParams& params) {
  int nDataType = brukerInt32;
  BOOL bProcs = FALSE;
  if (!ReadFidParameters(params, &nDataType, bProcs))
    return FALSE;
  CFile fid;
  if (!OpenFid(fid, params))
    return FALSE;

  ConvertProcsOffset(params, 0.0);
  const int td = params.td;

  const BrukerWordKind kind = nDataType == brukerFloat64 ? brukerWordFloat64 : brukerWordInt32;
  const BOOL bBigEndian = params.byteorder == 1;
  const ULONGLONG nRecord = (ULONGLONG)td * (ULONGLONG)BrukerWordSize(kind);
  const ULONGLONG nStride = m_nFids > 1 ? BrukerSeriesStride(fid.GetLength(), nRecord, m_nFids) : nRecord;

  // A series goes to the head of the list, so the last FID read is first.
  m_target.SetSpectrumCount(0);
  for (int i = 0; i < m_nFids; ++i) {
    if (!AddFidSpectrum(params, fid, nStride * (ULONGLONG)i, kind, bBigEndian, m_nFids < 2))
      return FALSE;
    m_target.SetSpectrumCount(i + 1);
  }
  return TRUE;
}

BOOL CBrukerImporter::ReadFidParameters(CSpectrumParams& params, int* pnDataType, BOOL& bProcs) {
  History("Selected file corresponds to an FID");
  CFile acqus;
  if (!OpenFidAcqus(acqus))
    return FALSE;
  History("Acqus file correctly opened");
  History("ok");
  BOOL bBadGroupDelay = FALSE;
  ReadBrukerAcqus(params, acqus, pnDataType, &bBadGroupDelay);
  acqus.Abort();
  if (!m_bXwinNmr) {
    // WinNMR writes the PC's own floats, whatever order the acquisition had.
    params.byteorder = 0;
    params.names.RemoveKey("byteorder");
  }
  const int nAcqusTd = params.td;
  const BOOL bAcqusGaveTd = !IsMissing(params, "td");

  CFile procs;
  bProcs = OpenFidProcs(procs);
  if (bProcs) {
    History("Procs file correctly opened");
    ReadBrukerProcs(params, procs);
    KeepAcqusSize(params, nAcqusTd, bAcqusGaveTd);
    if (!m_target.CheckMissingParameters(params)) {
      History("Importing aborted");
      return FALSE;
    }
  }
  // A size the import refuses next says enough.
  if (IsValidImportSize(params.td))
    CheckFidGroupDelay(m_target, params, bBadGroupDelay, "acqus");
  return TRUE;
}

BOOL CBrukerImporter::OpenFid(CFile& fid, const CSpectrumParams& params) {
  History("Attempting to open file " + m_strPath + "...");
  if (!OpenImportFile(fid, m_strPath)) {
    m_target.SetImportError("Error opening the fid");
    History("error");
    return FALSE;
  }
  History("ok");
  return CheckSize(params);
}

void CBrukerImporter::KeepAcqusSize(CSpectrumParams& params, int nAcqusTd, BOOL bAcqusGaveTd) {
  // An FID keeps the acqus TD (the procs SI is the size of the spectrum).
  // It is put back before the question, so that a td the user enters is
  // the one used, and asked for when the acqus did not give it.
  params.td = nAcqusTd;
  if (!bAcqusGaveTd)
    params.names.SetAt("td", "Time domain");
}

BOOL CBrukerImporter::ImportProcessed(CSpectrumParams& params) {
  History("Selected file corresponds to a processed spectrum");
  CFile real, imag;
  BOOL bImaginary = FALSE;
  if (!OpenProcessedPair(real, imag, bImaginary))
    return FALSE;
  if (!ReadProcessedParameters(params, TRUE))
    return FALSE;
  if (!CheckSize(params))
    return FALSE;
  ConvertProcsOffset(params, params.td);
  return AddProcessedSpectrum(params, real, bImaginary ? &imag : nullptr, brukerWordInt32, params.byteorder == 1);
}

void CBrukerImporter::ConvertProcsOffset(CSpectrumParams& params, double dMissing) {
  const int td = params.td;
  if (IsMissing(params, "offset"))
    params.offset = dMissing;
  else if (params.sw == 0.0)
    params.offset = 0.0;
  else
    params.offset = td - td * (params.sf * params.offset) / params.sw;
}

void CBrukerImporter::History(LPCSTR lpszLine) {
  m_target.AppendHistory(lpszLine);
}

BOOL CBrukerImporter::IsMissing(const CSpectrumParams& params, LPCSTR lpszKey) {
  CString strDescription;
  return params.names.Lookup(lpszKey, strDescription);
}

BOOL CBrukerImporter::Fail(LPCSTR lpszError) {
  m_target.SetImportError(lpszError);
  return FALSE;
}

BOOL CBrukerImporter::IsProcessedPath() const {
  CString strEnd = m_strPath.Right(2);
  return strEnd.CompareNoCase("1i") == 0 || strEnd.CompareNoCase("1r") == 0;
}

void CBrukerImporter::ReadTitle(CSpectrumParams& params) {
  CFile file;
  CString strName = m_strFolder + "title";
  History("Attempting to open file " + strName + "...");
  BOOL bOpen = OpenImportFile(file, strName);
  if (!bOpen) {
    CString strStem = GetPathUpToLastDot(m_strPath);
    strName = strStem + "tit";
    History("Attempting to open file " + strName + "...");
    bOpen = !strStem.IsEmpty() && OpenImportFile(file, strName);
  }
  if (!bOpen)
    bOpen = OpenImportFile(file, m_strFolder + "\\pdata\\1\\title");
  if (!bOpen) {
    History("Cannot read the title of the FID/spectrum.");
    params.title = "Untitled";
    return;
  }
  History("File title correctly opened");
  ReadTitleFile(params, file);
}

BOOL CBrukerImporter::OpenFidAcqus(CFile& file) {
  CString strName = m_strFolder + "Acqus";
  History("Attempting to open file " + strName + "...");
  if (OpenImportFile(file, strName))
    return TRUE;
  CString strStem = GetPathUpToLastDot(m_strPath);
  strName = strStem + "aqs";
  History("Attempting to open file " + strName);
  if (!strStem.IsEmpty() && OpenImportFile(file, strName))
    return TRUE;
  History("Failed to import acqus file.\n Importing aborted");
  return Fail("Error opening acqus file");
}

BOOL CBrukerImporter::OpenFidProcs(CFile& file) {
  const CString names[] = {m_strFolder + "procs", m_strFolder + "\\pdata\\1\\procs",
                           m_strPath.Left(m_strPath.GetLength() - 3) + "fqs"};
  for (const CString& strName : names) {
    History("Attempting to open file " + strName);
    if (OpenImportFile(file, strName))
      return TRUE;
  }
  History("Cannot open procs file: the spectrum will not be refereneced");
  return FALSE;
}

BOOL CBrukerImporter::OpenProcessedPair(CFile& real, CFile& imag, BOOL& bImaginary) {
  CString strStem = m_strPath.Left(m_strPath.GetLength() - 2);
  CString strReal = strStem + "1r";
  CString strImag = strStem + "1i";
  History("Attempting to open " + strReal + " (Real part)...");
  if (!OpenImportFile(real, strReal)) {
    History("Failed to import real part. Importing aborted");
    return Fail("Failed to import real part. Importing aborted\n Importing aborted");
  }
  History("Done");
  History("Attempting to open file " + strImag + " (Imaginary part)...");
  bImaginary = OpenImportFile(imag, strImag);
  // A real spectrum still shows; it cannot be phased.
  History(bImaginary ? "Done" : "No imaginary part found: the spectrum is read as real, its imaginary part 0");
  return TRUE;
}

BOOL CBrukerImporter::OpenProcessedAcqus(CFile& file) {
  CString strName = m_strPath.Left(m_strPath.GetLength() - 2) + "aqs";
  History("Attempting to open file " + strName + "...");
  if (OpenImportFile(file, strName))
    return TRUE;
  History("Failed to import " + strName);
  History("Attempting to open ACQUS file");
  History("Failed to import " + strName);
  strName = m_strFolder + "acqus";
  History("Attempting to open " + strName);
  if (OpenImportFile(file, strName))
    return TRUE;
  // The experiment folder above the processed data.
  int nPdata = FindPdataFolder(m_strPath);
  if (nPdata >= 0) {
    strName = m_strPath.Left(nPdata + 1) + "acqus";
    if (OpenImportFile(file, strName))
      return TRUE;
  }
  History("Failed to import " + strName + ". Importing aborted");
  return Fail("Failed to import acqus file.\n Importing aborted");
}

BOOL CBrukerImporter::OpenProcessedProcs(CFile& file) {
  CString strName = m_strFolder + "procs";
  if (OpenImportFile(file, strName))
    return TRUE;
  History("Failed to import " + strName);
  strName = m_strFolder + "\\pdata\\1\\procs";
  History("Attempting to open " + strName);
  if (OpenImportFile(file, strName))
    return TRUE;
  History("Failed to import " + strName);
  strName = m_strPath.Left(m_strPath.GetLength() - 2) + "fqs";
  History("Attempting with " + strName);
  if (OpenImportFile(file, strName))
    return TRUE;
  const char szError[] = "Failed to import procs/fqs file.\n Importing aborted";
  History(szError);
  return Fail(szError);
}

BOOL CBrukerImporter::ReadProcessedParameters(CSpectrumParams& params, BOOL bAcqusOrder) {
  CFile acqus;
  if (!OpenProcessedAcqus(acqus))
    return FALSE;
  History("acqus file correctly imported");
  ReadBrukerAcqus(params, acqus);
  const BOOL bAcqusGaveOrder = !IsMissing(params, "byteorder");
  History("Attempting to open PROCS file");
  CFile procs;
  if (!OpenProcessedProcs(procs))
    return FALSE;
  History("Procs file correctly opened");
  int nProcsOrder = -1;
  ReadBrukerProcs(params, procs, &nProcsOrder);

  // Data are often processed on another computer than the one that
  // acquired them: 1r and 1i are in the order the processing wrote.
  LPCSTR lpszSource = "chosen";
  if (nProcsOrder >= 0 || !bAcqusOrder) {
    params.byteorder = nProcsOrder >= 0 ? nProcsOrder : 0;
    params.names.RemoveKey("byteorder");
    lpszSource = nProcsOrder >= 0 ? "procs" : "PC";
  } else if (bAcqusGaveOrder) {
    lpszSource = "acqus";
  }
  if (!m_target.CheckMissingParameters(params)) {
    History("Importing aborted");
    return FALSE;
  }
  // The processing took the delay off already; it only travels along.
  if (GroupDelayFault(params.GRPDLY, params.td, FALSE) != nullptr)
    params.GRPDLY = 0.0;
  LogProcessedOrder(lpszSource, params.byteorder);
  return TRUE;
}

void CBrukerImporter::LogProcessedOrder(LPCSTR lpszSource, int nByteOrder) {
  History(CString("Processed data read in the ") + lpszSource + " byte order (" +
          (nByteOrder == 1 ? "Big Endian" : "Little Endian") + ")");
}

BOOL CBrukerImporter::CheckSize(const CSpectrumParams& params) {
  if (IsValidImportSize(params.td))
    return TRUE;
  CString strError;
  strError.Format("Invalid number of data points (td = %d).\nImporting aborted", params.td);
  History(strError);
  return Fail(strError);
}

BOOL CBrukerImporter::AddProcessedSpectrum(const CSpectrumParams& params, CFile& real, CFile* pImag,
                                           BrukerWordKind kind, BOOL bBigEndian) {
  const int nHalf = params.td / 2;
  std::unique_ptr<float[]> data(CSpectrum::AllocateFloats(params.td));
  if (!data)
    return Fail(m_pszNoRealPartBuffer);
  if (!ReadBrukerWords(real, 0, nHalf, kind, bBigEndian, data.get(), 2))
    return Fail("error opening real part. \nNumber of points different from expected");
  if (pImag != nullptr && !ReadBrukerWords(*pImag, 0, nHalf, kind, bBigEndian, data.get() + 1, 2))
    return Fail("error opening imaginary part. \nNumber of points different from expected");
  CSpectrum* pSpectrum = AddImportedSpectrum(m_target, params, std::move(data), TRUE);
  if (pSpectrum == nullptr)
    return Fail(kMemoryExhausted);
  OpenAsTransformed(*pSpectrum, m_bXwinNmr);
  return TRUE;
}

BOOL CBrukerImporter::AddFidSpectrum(const CSpectrumParams& params, CFile& fid, ULONGLONG nOffset, BrukerWordKind kind,
                                     BOOL bBigEndian, BOOL bAtEnd) {
  std::unique_ptr<float[]> data(CSpectrum::AllocateFloats(params.td));
  if (!data)
    return Fail(kNoReadBuffer);
  if (!ReadBrukerWords(fid, nOffset, params.td, kind, bBigEndian, data.get(), 1))
    return Fail(kShortFid);
  if (!AddImportedSpectrum(m_target, params, std::move(data), bAtEnd))
    return Fail(kMemoryExhausted);
  return TRUE;
}
