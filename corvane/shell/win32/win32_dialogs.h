// The standard dialogs as Windows shows them: common file, colour and font dialogs, message and input boxes.
#pragma once

#include <string>
#include <string_view>

#include "corvane/shell/dialogs.h"
#include "platform/win32/windows_api.h"

namespace corvane::shell::win32 {

// "NAV files|*.nav|All files|*.*" becomes "NAV files\0*.nav\0All files\0*.*\0\0", as the file dialogs take it.
std::wstring ToNativeFilter(std::string_view filter);

class Win32Dialogs final : public Dialogs {
 public:
  // The owner may be set once the window exists; until then the dialogs have none.
  void SetOwner(HWND owner) { owner_ = owner; }

  std::optional<std::string> OpenFile(const FileDialog& dialog) override;
  std::optional<std::string> SaveFile(const FileDialog& dialog) override;
  std::optional<Color> PickColor(Color initial) override;
  std::optional<map::Font> PickFont(const map::Font& initial) override;
  void ShowMessage(std::string_view text, std::string_view title) override;
  bool Confirm(std::string_view text, std::string_view title) override;
  std::string InputBox(std::string_view title, std::string_view prompt, std::string_view defaultText) override;

 private:
  std::optional<std::string> RunFileDialog(const FileDialog& dialog, bool save);
  HWND owner_ = nullptr;
  COLORREF customColors_[16] = {};
};

}  // namespace corvane::shell::win32
