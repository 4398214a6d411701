// windows.h, with the macros that would rename our own members taken back out: every file that needs the
// Win32 API includes this one, so map::Canvas::TextOut and the like mean the same everywhere. The API
// functions behind those names are called by their W names.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
// clang-format off
#include <commctrl.h>
#include <commdlg.h>
// clang-format on

#undef TextOut
#undef CreateWindow
#undef DrawText
#undef GetMessage
#undef MessageBox
#undef Rectangle
#undef CopyRect
#undef LoadImage
#undef GetObject
#undef SendMessage
#undef PostMessage
#undef CreateFont
#undef ChooseColor
#undef ChooseFont
#undef GetOpenFileName
#undef GetSaveFileName
#undef SetWindowText
#undef GetWindowText
#undef GetWindowTextLength
