// The current spectrum's FID played once through the wave-out device as
// 8-bit mono sound at 11025 Hz. The window given to Play receives the
// device's MM_WOM_DONE when the sound has ended and then calls Stop.
#pragma once

#include <vector>

#include "framework/win/Win32.h"

#include <mmsystem.h>

class CBrivaneProDoc;
class CWnd;

class CFidSound {
 public:
  CFidSound() = default;
  virtual ~CFidSound();

  // The real parts of the current spectrum as unsigned 8-bit samples
  // around 128, scaled by the spread between its largest and smallest
  // point; the views are redrawn.
  void LoadFid(CBrivaneProDoc& doc);
  // Stops what plays, loads the FID and starts it: 0 (MMSYSERR_NOERROR) or
  // the device's error, with nothing left open.
  MMRESULT Play(CWnd* pWnd, CBrivaneProDoc& doc);
  // Ends playback and releases the device; nothing when idle.
  void Stop();

  bool IsPlaying() const { return m_bPlaying != 0; }
  // The device's end-of-playback message: stops when the buffer has come
  // back (TRUE). The buffer of a stopped playback is reported too, possibly
  // after the next one started; that one plays on.
  BOOL Finish();
  const std::vector<BYTE>& GetSamples() const { return m_Samples; }

 private:
  std::vector<BYTE> m_Samples;
  HWAVEOUT m_hWaveOut = nullptr;
  WAVEHDR m_Header = {};
  int m_nSamples = 0;
  BYTE m_bPlaying = 0;

  CFidSound(const CFidSound&) = delete;
  CFidSound& operator=(const CFidSound&) = delete;
};
