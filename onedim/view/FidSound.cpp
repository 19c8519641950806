#include "onedim/view/FidSound.h"

#include "framework/win/Wnd.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/model/Spectrum.h"

CFidSound::~CFidSound() {
  Stop();
}

void CFidSound::LoadFid(CBrivaneProDoc& doc) {
  m_Samples.clear();
  m_nSamples = 0;
  CSpectrum* pSpectrum = doc.GetCurrentSpectrum();
  if (pSpectrum == nullptr || pSpectrum->m_pData == nullptr)
    return;
  const float* pData = pSpectrum->m_pData;
  const double dMax = pData[pSpectrum->GetMaxIndex()];
  const double dSpread = dMax - pData[pSpectrum->GetMinIndex()];
  m_nSamples = pSpectrum->m_paramsA.td / 2;
  m_Samples.resize((size_t)m_nSamples, 128);
  // A flat FID is silence rather than a division by zero.
  if (dSpread > 0.0)
    for (int i = 0; i < m_nSamples; i++)
      m_Samples[i] = (BYTE)((int)(pData[2 * i] * 255.0 / dSpread) + 128);
  pSpectrum->m_bDataChanged = 1;
  doc.UpdateViews();
}

MMRESULT CFidSound::Play(CWnd* pWnd, CBrivaneProDoc& doc) {
  Stop();
  LoadFid(doc);
  WAVEFORMATEX format = {};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 1;
  format.nSamplesPerSec = 11025;
  format.nAvgBytesPerSec = 11025;
  format.nBlockAlign = 1;
  format.wBitsPerSample = 8;
  format.cbSize = 18;
  const HWND hWnd = pWnd != nullptr ? pWnd->GetSafeHwnd() : nullptr;
  MMRESULT result = ::waveOutOpen(&m_hWaveOut, WAVE_MAPPER, &format, (DWORD_PTR)hWnd, 0, CALLBACK_WINDOW);
  if (result != MMSYSERR_NOERROR) {
    m_hWaveOut = nullptr;
    return result;
  }
  m_Header = WAVEHDR();
  m_Header.lpData = reinterpret_cast<LPSTR>(m_Samples.data());
  m_Header.dwBufferLength = (DWORD)m_Samples.size();
  result = ::waveOutPrepareHeader(m_hWaveOut, &m_Header, sizeof(m_Header));
  if (result == MMSYSERR_NOERROR) {
    m_bPlaying = 1;
    result = ::waveOutWrite(m_hWaveOut, &m_Header, sizeof(m_Header));
  }
  if (result != MMSYSERR_NOERROR)
    Stop();
  // A device opened but not playing is closed here, not left behind.
  if (result != MMSYSERR_NOERROR && m_hWaveOut != nullptr) {
    ::waveOutClose(m_hWaveOut);
    m_hWaveOut = nullptr;
  }
  return result;
}

void CFidSound::Stop() {
  if (!m_bPlaying)
    return;
  // The buffer stays owned until the device has given it back.
  ::waveOutReset(m_hWaveOut);
  ::waveOutUnprepareHeader(m_hWaveOut, &m_Header, sizeof(m_Header));
  ::waveOutClose(m_hWaveOut);
  m_hWaveOut = nullptr;
  m_Samples.clear();
  m_bPlaying = 0;
}

BOOL CFidSound::Finish() {
  if (!m_bPlaying || (m_Header.dwFlags & WHDR_DONE) == 0)
    return FALSE;
  Stop();
  return TRUE;
}
