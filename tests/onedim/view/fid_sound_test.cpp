// FID sound: the samples made from the real parts, and a real playback into
// the ALSA file device that the test environment gives Wine.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/win/WindowTest.h"
#include "framework/win/Wnd.h"
#include "onedim/document/BrivaneProDoc.h"
#include "onedim/document/BrivaneProDocHost.h"
#include "onedim/document/SettingsStore.h"
#include "onedim/model/Spectrum.h"
#include "onedim/view/FidSound.h"

namespace {

class CSoundHost : public CDocumentHost {
 public:
  CBrivaneAppState& GetAppState() override { return m_app; }
  CSettingsStore& GetSettings() override { return m_settings; }
  CBrivaneAppState m_app;
  CMemorySettings m_settings;
};

class FidSoundTest : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    AddFid();
  }

  // A spectrum of m_real as its real parts, made current.
  void AddFid() {
    CSpectrumParams params;
    params.td = 2 * (int)m_real.size();
    params.sw = 4000.0;
    m_pSpectrum = m_doc.AddSpectrum(params);
    m_pSpectrum->m_pData = CSpectrum::AllocateFloats(params.td);
    for (size_t i = 0; i < m_real.size(); i++)
      m_pSpectrum->m_pData[2 * i] = m_real[i];
    m_doc.SetCurrentSpectrum(m_pSpectrum);
  }

  std::vector<float> m_real = {0.0f, 1.0f, -1.0f, 0.5f, -0.5f, 0.25f, 0.0f, -0.999f};
  CSoundHost m_host;
  CBrivaneProDoc m_doc{&m_host};
  CSpectrum* m_pSpectrum = nullptr;
};

TEST_F(FidSoundTest, RealPartsBecomeBytesAroundSilence) {
  CFidSound sound;
  sound.LoadFid(m_doc);
  // max - min = 2: each value x 127.5, cut towards zero, plus 128.
  EXPECT_EQ((std::vector<BYTE>{128, 255, 1, 191, 65, 159, 128, 1}), sound.GetSamples());
  EXPECT_EQ(1, m_pSpectrum->m_bDataChanged);

  std::fill(m_pSpectrum->m_pData, m_pSpectrum->m_pData + 16, 3.0f);
  sound.LoadFid(m_doc);
  EXPECT_EQ(std::vector<BYTE>(8, 128), sound.GetSamples()) << "a flat FID is silence";
}

// The ALSA file device of the test environment receives what is played.
TEST_F(FidSoundTest, PlayingWritesTheSamplesToTheDevice) {
  const char* pszFile = std::getenv("BRIVANE_SOUND_FILE");
  if (pszFile == nullptr)
    GTEST_SKIP() << "no sound file device in this environment";
  std::remove(pszFile);
  m_real.assign(4000, 0.0f);
  for (size_t i = 0; i < m_real.size(); i++)
    m_real[i] = (float)((i * 37) % 200) / 100.0f - 1.0f;
  AddFid();
  CWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "sound", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  CFidSound sound;
  // A second play stops the first and starts again; only its end counts.
  ASSERT_EQ((MMRESULT)MMSYSERR_NOERROR, sound.Play(&wnd, m_doc));
  sound.Stop();
  MSG msg;
  while (::PeekMessageA(&msg, wnd.GetSafeHwnd(), MM_WOM_DONE, MM_WOM_DONE, PM_REMOVE)) {
  }
  std::remove(pszFile);
  ASSERT_EQ((MMRESULT)MMSYSERR_NOERROR, sound.Play(&wnd, m_doc));
  const DWORD start = ::GetTickCount();
  bool bDone = false;
  while (!bDone && ::GetTickCount() - start < 10000) {
    if (::PeekMessageA(&msg, wnd.GetSafeHwnd(), MM_WOM_DONE, MM_WOM_DONE, PM_REMOVE))
      bDone = true;
    else
      ::Sleep(20);
  }
  EXPECT_TRUE(bDone);
  const std::vector<BYTE> samples = sound.GetSamples();
  sound.Stop();
  wnd.DestroyWindow();
  std::ifstream in(pszFile, std::ios::binary);
  const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  const std::string expected(samples.begin() + 100, samples.begin() + 1100);
  EXPECT_NE(std::string::npos, written.find(expected)) << written.size() << " bytes written";
}

// Playing again stops the first playback; the device still reports that
// one's buffer, and the new playback must not end on it.
TEST_F(FidSoundTest, TheStoppedPlaybacksReportDoesNotEndTheNextOne) {
  if (std::getenv("BRIVANE_SOUND_FILE") == nullptr)
    GTEST_SKIP() << "no sound file device in this environment";
  m_real.assign(44100, 0.0f);  // four seconds
  for (size_t i = 0; i < m_real.size(); i++)
    m_real[i] = (float)(i % 50) / 25.0f - 1.0f;
  AddFid();
  CWnd wnd;
  ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "sound", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
  CFidSound sound;
  ASSERT_EQ((MMRESULT)MMSYSERR_NOERROR, sound.Play(&wnd, m_doc));
  ASSERT_EQ((MMRESULT)MMSYSERR_NOERROR, sound.Play(&wnd, m_doc));
  MSG msg;
  int nStale = 0;
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < 500) {
    while (::PeekMessageA(&msg, wnd.GetSafeHwnd(), MM_WOM_DONE, MM_WOM_DONE, PM_REMOVE)) {
      nStale++;
      EXPECT_FALSE(sound.Finish());
    }
    ::Sleep(20);
  }
  EXPECT_TRUE(sound.IsPlaying()) << nStale << " reports of the first playback";
  sound.Stop();
  EXPECT_FALSE(sound.Finish()) << "nothing plays";
  wnd.DestroyWindow();
}

}  // namespace
