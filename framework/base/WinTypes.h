// The Win32 value types the portable code uses, declared by the project with
// the platform's byte layout. Window code includes the platform headers first
// (framework/win/Win32.h, forced into every Windows-only target) and then
// takes the platform's own declarations: this header then only checks that
// they are the types declared here. Struct tags and scalar types are the
// platform's, so a function of the portable code links with window code under
// the same name in either kind of translation unit.
#pragma once

#include <climits>
#include <cstddef>
#include <cstdint>
#include <type_traits>

// The scalar types behind LONG, DWORD and the pointer-sized integers follow
// the widths of long and of pointers: where long is 32 bits (the Windows
// targets) LONG is long, as the platform declares it; where long is 64 bits
// LONG must still be 32 bits and is int.
namespace WinAbi {
#if LONG_MAX == 0x7fffffffL
typedef long Long;
typedef unsigned long ULong;
#else
typedef int Long;
typedef unsigned int ULong;
#endif
#if UINTPTR_MAX == 0xffffffffu
typedef int IntPtr;
typedef unsigned int UIntPtr;
typedef long LongPtr;
typedef unsigned long ULongPtr;
#elif LONG_MAX == 0x7fffffffL
typedef long long IntPtr;
typedef unsigned long long UIntPtr;
typedef long long LongPtr;
typedef unsigned long long ULongPtr;
#else
typedef long IntPtr;
typedef unsigned long UIntPtr;
typedef long LongPtr;
typedef unsigned long ULongPtr;
#endif
}  // namespace WinAbi

#ifndef BRIVANE_PLATFORM_TYPES

#ifdef _WINDEF_
#error "Window code includes framework/win/Win32.h before any portable header"
#endif

// Window code checks for this to find out that it came too late.
#define BRIVANE_OWN_WIN_TYPES 1

typedef int BOOL;
typedef unsigned char BYTE;
typedef unsigned short WORD;
typedef WinAbi::ULong DWORD;
typedef unsigned int UINT;
typedef WinAbi::Long LONG;
typedef WinAbi::ULong ULONG;
typedef short SHORT;
typedef char CHAR;
typedef const char* LPCSTR;
typedef char* LPSTR;
typedef const char* LPCTSTR;
typedef char* LPTSTR;
typedef char TCHAR;
typedef void* LPVOID;
typedef const void* LPCVOID;
typedef BYTE* LPBYTE;
typedef DWORD COLORREF;
typedef WinAbi::UIntPtr UINT_PTR;
typedef WinAbi::IntPtr INT_PTR;
typedef WinAbi::LongPtr LONG_PTR;
typedef WinAbi::ULongPtr ULONG_PTR;
typedef ULONG_PTR DWORD_PTR;
typedef UINT_PTR WPARAM;
typedef LONG_PTR LPARAM;
typedef LONG_PTR LRESULT;
typedef long long LONGLONG;
typedef unsigned long long ULONGLONG;

#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif

// Message box styles and answers, passed through the error-report hook.
#define MB_OK 0x00000000L
#define MB_ICONSTOP 0x00000010L
#define MB_ICONEXCLAMATION 0x00000030L
#define MB_ICONINFORMATION 0x00000040L
#define IDOK 1
#define IDCANCEL 2

#define RGB(r, g, b) ((COLORREF)(((BYTE)(r)) | ((WORD)((BYTE)(g)) << 8) | (((DWORD)(BYTE)(b)) << 16)))
#define GetRValue(rgb) ((BYTE)(rgb))
#define GetGValue(rgb) ((BYTE)(((WORD)(rgb)) >> 8))
#define GetBValue(rgb) ((BYTE)((rgb) >> 16))
#define LOWORD(l) ((WORD)(((DWORD_PTR)(l)) & 0xffff))
#define HIWORD(l) ((WORD)((((DWORD_PTR)(l)) >> 16) & 0xffff))
#define MAKELONG(a, b) \
  ((LONG)(((WORD)(((DWORD_PTR)(a)) & 0xffff)) | ((DWORD)((WORD)(((DWORD_PTR)(b)) & 0xffff))) << 16))

struct tagPOINT {
  LONG x;
  LONG y;
};
typedef tagPOINT POINT;
typedef POINT* LPPOINT;

struct tagSIZE {
  LONG cx;
  LONG cy;
};
typedef tagSIZE SIZE;
typedef SIZE* LPSIZE;

struct tagRECT {
  LONG left;
  LONG top;
  LONG right;
  LONG bottom;
};
typedef tagRECT RECT;
typedef RECT* LPRECT;
typedef const RECT* LPCRECT;

#define LF_FACESIZE 32

struct tagLOGFONTA {
  LONG lfHeight;
  LONG lfWidth;
  LONG lfEscapement;
  LONG lfOrientation;
  LONG lfWeight;
  BYTE lfItalic;
  BYTE lfUnderline;
  BYTE lfStrikeOut;
  BYTE lfCharSet;
  BYTE lfOutPrecision;
  BYTE lfClipPrecision;
  BYTE lfQuality;
  BYTE lfPitchAndFamily;
  CHAR lfFaceName[LF_FACESIZE];
};
typedef tagLOGFONTA LOGFONTA;
typedef tagLOGFONTA LOGFONT;
typedef LOGFONTA* LPLOGFONTA;
typedef LOGFONTA* LPLOGFONT;

// Font weights, character sets and pitch values stored in files and settings.
#define FW_DONTCARE 0
#define FW_NORMAL 400
#define FW_BOLD 700
#define ANSI_CHARSET 0
#define DEFAULT_CHARSET 1
#define OUT_DEFAULT_PRECIS 0
#define CLIP_DEFAULT_PRECIS 0
#define DEFAULT_QUALITY 0
#define DEFAULT_PITCH 0
#define FIXED_PITCH 1
#define VARIABLE_PITCH 2
#define FF_DONTCARE 0x00
#define FF_ROMAN 0x10
#define FF_SWISS 0x20
#define FF_MODERN 0x30

// Two GDI handles that portable objects hold for window code without using
// them, with the platform's struct tags.
struct HDC__;
typedef HDC__* HDC;
struct HFONT__;
typedef HFONT__* HFONT;

#endif  // BRIVANE_PLATFORM_TYPES

// Whichever declared them, the types are the ones above: the same names in
// both kinds of translation unit, and the layout that files, the registry and
// the clipboard hold.
static_assert(std::is_same<LONG, WinAbi::Long>::value && std::is_same<DWORD, WinAbi::ULong>::value &&
                  std::is_same<ULONG, WinAbi::ULong>::value && std::is_same<COLORREF, WinAbi::ULong>::value,
              "LONG and DWORD");
static_assert(std::is_same<UINT_PTR, WinAbi::UIntPtr>::value && std::is_same<INT_PTR, WinAbi::IntPtr>::value &&
                  std::is_same<LONG_PTR, WinAbi::LongPtr>::value && std::is_same<DWORD_PTR, WinAbi::ULongPtr>::value &&
                  std::is_same<WPARAM, WinAbi::UIntPtr>::value && std::is_same<LPARAM, WinAbi::LongPtr>::value,
              "pointer-sized integers");
static_assert(std::is_same<BOOL, int>::value && std::is_same<BYTE, unsigned char>::value &&
                  std::is_same<WORD, unsigned short>::value && std::is_same<UINT, unsigned int>::value &&
                  std::is_same<LPCSTR, const char*>::value && std::is_same<LONGLONG, long long>::value &&
                  std::is_same<ULONGLONG, unsigned long long>::value,
              "fixed scalar types");
static_assert(std::is_same<POINT, tagPOINT>::value && std::is_same<SIZE, tagSIZE>::value &&
                  std::is_same<RECT, tagRECT>::value && std::is_same<LOGFONT, tagLOGFONTA>::value &&
                  std::is_same<HDC, HDC__*>::value && std::is_same<HFONT, HFONT__*>::value,
              "struct tags");
static_assert(sizeof(LONG) == 4 && sizeof(DWORD) == 4 && sizeof(COLORREF) == 4, "32-bit LONG and DWORD");
static_assert(sizeof(UINT_PTR) == sizeof(void*) && sizeof(LONG_PTR) == sizeof(void*), "pointer-sized integers");
static_assert(sizeof(POINT) == 8 && offsetof(POINT, y) == 4, "POINT layout");
static_assert(sizeof(SIZE) == 8 && offsetof(SIZE, cy) == 4, "SIZE layout");
static_assert(sizeof(RECT) == 16 && offsetof(RECT, top) == 4 && offsetof(RECT, right) == 8 &&
                  offsetof(RECT, bottom) == 12,
              "RECT layout");
static_assert(sizeof(LOGFONTA) == 60 && offsetof(LOGFONTA, lfWeight) == 16 && offsetof(LOGFONTA, lfItalic) == 20 &&
                  offsetof(LOGFONTA, lfPitchAndFamily) == 27 && offsetof(LOGFONTA, lfFaceName) == 28 &&
                  LF_FACESIZE == 32,
              "LOGFONTA layout");
