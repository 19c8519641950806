// CNdSound: a 2D set played through the wave-out device as 8-bit mono sound
// at 11025 Hz, every trace one after another. The samples go to the device
// in chunks no longer than the chunk size, all queued at once; the window
// given to Play receives MM_WOM_DONE as each comes back and ends the
// playback when the last has.
#pragma once

#include <vector>

#include "framework/win/Win32.h"

#include <mmsystem.h>

class CWnd;

class CNdSound {
 public:
  explicit CNdSound(int nChunkBytes = 65536) : m_nChunkBytes(nChunkBytes > 0 ? nChunkBytes : 65536) {}
  virtual ~CNdSound();

  // Stops what plays, builds the samples of the set held by m_pData
  // (m_fLeast and m_fGreatest its range) and starts them: 0
  // (MMSYSERR_NOERROR) or the device's error, with nothing left open.
  MMRESULT Play(CWnd* pNotify, int nOuter, int nInner, int nCurrent, BOOL bComplex);
  // Ends playback: every chunk back from the device, released, the device
  // closed. The close's result; 0 when nothing played.
  MMRESULT Stop();
  // The device's MM_WOM_DONE for hWaveOut: once every chunk is back the
  // playback ends (TRUE). A report of a playback already stopped changes
  // nothing.
  BOOL Finish(HWAVEOUT hWaveOut);

  bool IsPlaying() const { return m_bPlaying != 0; }
  const std::vector<BYTE>& GetSamples() const { return m_samples; }
  int GetChunkCount() const { return (int)m_headers.size(); }

  const float* m_pData = nullptr;
  float m_fLeast = 0.0f;
  float m_fGreatest = 0.0f;

 private:
  HWAVEOUT m_hWaveOut = nullptr;
  std::vector<BYTE> m_samples;
  std::vector<WAVEHDR> m_headers;
  int m_nChunkBytes;
  BYTE m_bPlaying = 0;

  CNdSound(const CNdSound&) = delete;
  CNdSound& operator=(const CNdSound&) = delete;
};
