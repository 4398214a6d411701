// The input box built in code, answered through its own controls while its modal loop runs.
#include "win32_dialogs.h"

#include <gtest/gtest.h>

#include <iterator>

namespace corvane::shell::win32 {
namespace {

enum class Answer { kOkWithText, kCancel, kClose, kEnterKey };
Answer answer;

BOOL CALLBACK AnswerInputBox(HWND window, LPARAM) {
  wchar_t className[32] = {};
  GetClassNameW(window, className, 32);
  if (std::wstring_view(className) != L"CorvaneInputBox") return TRUE;
  HWND edit = FindWindowExW(window, nullptr, L"EDIT", nullptr);
  switch (answer) {
    case Answer::kOkWithText:
      SetWindowTextW(edit, L"EGLL \u00c9");
      SendMessageW(GetDlgItem(window, IDOK), BM_CLICK, 0, 0);
      break;
    case Answer::kCancel: SendMessageW(GetDlgItem(window, IDCANCEL), BM_CLICK, 0, 0); break;
    case Answer::kClose: PostMessageW(window, WM_CLOSE, 0, 0); break;
    case Answer::kEnterKey:
      SetWindowTextW(edit, L"typed");
      PostMessageW(edit, WM_KEYDOWN, VK_RETURN, 0);
      break;
  }
  return FALSE;
}

void CALLBACK Answer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  EnumThreadWindows(GetCurrentThreadId(), AnswerInputBox, 0);
}

TEST(Win32Dialogs, InputBoxReturnsTheTextOnOkAndTheDefaultOtherwise) {
  const struct {
    enum Answer answer;
    const char* expected;
  } cases[] = {
      {Answer::kOkWithText, "EGLL \xc3\x89"},
      {Answer::kCancel, "EHAM"},
      {Answer::kClose, "EHAM"},
      {Answer::kEnterKey, "typed"},
  };
  Win32Dialogs dialogs;
  for (const auto& c : cases) {
    answer = c.answer;
    SetTimer(nullptr, 0, 50, Answer);
    EXPECT_EQ(dialogs.InputBox("Import", "Route:", "EHAM"), c.expected) << static_cast<int>(c.answer);
  }
}

TEST(Win32Dialogs, FiltersBecomeTheNulSeparatedList) {
  // The literals' own closing NUL is not part of the list.
  const auto list = [](const auto& literal) { return std::wstring(literal, std::size(literal) - 1); };
  EXPECT_EQ(ToNativeFilter("NAV files|*.nav|All files|*.*"), list(L"NAV files\0*.nav\0All files\0*.*\0\0"));
  EXPECT_EQ(ToNativeFilter(""), list(L"All files\0*.*\0\0"));
}

}  // namespace
}  // namespace corvane::shell::win32
