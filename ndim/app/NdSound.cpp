#include "ndim/app/NdSound.h"

#include <algorithm>

#include "framework/win/Wnd.h"
#include "ndim/document/NdSoundSamples.h"

CNdSound::~CNdSound() {
  Stop();
}

MMRESULT CNdSound::Play(CWnd* pNotify, int nOuter, int nInner, int nCurrent, BOOL bComplex) {
  Stop();
  m_samples = BuildNdSoundSamples(m_pData, nOuter, nInner, nCurrent, bComplex != FALSE, m_fLeast, m_fGreatest);
  if (m_samples.empty())
    return MMSYSERR_INVALPARAM;
  WAVEFORMATEX format = {};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 1;
  format.nSamplesPerSec = 11025;
  format.nAvgBytesPerSec = 11025;
  format.nBlockAlign = 1;
  format.wBitsPerSample = 8;
  const HWND hWnd = pNotify != nullptr ? pNotify->GetSafeHwnd() : nullptr;
  MMRESULT result = ::waveOutOpen(&m_hWaveOut, WAVE_MAPPER, &format, (DWORD_PTR)hWnd, 0, CALLBACK_WINDOW);
  if (result != MMSYSERR_NOERROR) {
    m_hWaveOut = nullptr;
    m_samples.clear();
    return result;
  }
  const size_t chunk = (size_t)m_nChunkBytes;
  m_headers.assign((m_samples.size() + chunk - 1) / chunk, WAVEHDR());
  m_bPlaying = 1;
  for (size_t i = 0; i < m_headers.size() && result == MMSYSERR_NOERROR; ++i) {
    WAVEHDR& header = m_headers[i];
    header.lpData = reinterpret_cast<LPSTR>(m_samples.data() + i * chunk);
    header.dwBufferLength = (DWORD)std::min(chunk, m_samples.size() - i * chunk);
    result = ::waveOutPrepareHeader(m_hWaveOut, &header, sizeof header);
    if (result == MMSYSERR_NOERROR)
      result = ::waveOutWrite(m_hWaveOut, &header, sizeof header);
  }
  if (result != MMSYSERR_NOERROR)
    Stop();
  return result;
}

MMRESULT CNdSound::Stop() {
  if (!m_bPlaying)
    return MMSYSERR_NOERROR;
  // The device hands every queued chunk back before any is released.
  ::waveOutReset(m_hWaveOut);
  for (WAVEHDR& header : m_headers)
    if (header.dwFlags & WHDR_PREPARED)
      ::waveOutUnprepareHeader(m_hWaveOut, &header, sizeof header);
  const MMRESULT result = ::waveOutClose(m_hWaveOut);
  m_hWaveOut = nullptr;
  m_headers.clear();
  m_samples.clear();
  m_bPlaying = 0;
  return result;
}

BOOL CNdSound::Finish(HWAVEOUT hWaveOut) {
  if (!m_bPlaying || hWaveOut != m_hWaveOut)
    return FALSE;
  for (const WAVEHDR& header : m_headers)
    if ((header.dwFlags & WHDR_DONE) == 0)
      return FALSE;
  Stop();
  return TRUE;
}
