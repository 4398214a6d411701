// The Windows transport: the facilities an FSUIPC server inside the simulator answers to.
#ifdef _WIN32

#include "corvane/simlink/win32_transport.h"

#include <windows.h>

#include <string>

#include "corvane/simlink/ipc_wire.h"

namespace corvane::simlink {

Win32Transport::~Win32Transport() { Release(); }

ServerClass Win32Transport::FindServer() {
  window_ = FindWindowExA(nullptr, nullptr, "UIPCMAIN", nullptr);
  if (window_ != nullptr) return ServerClass::kUipcMain;
  window_ = FindWindowExA(nullptr, nullptr, "FS98MAIN", nullptr);
  return window_ != nullptr ? ServerClass::kFs98Main : ServerClass::kNone;
}

bool Win32Transport::RegisterMessage() {
  messageId_ = RegisterWindowMessageA("FsasmLib:IPC");
  return messageId_ != 0;
}

bool Win32Transport::AddBlockNameAtom(std::string_view blockName) {
  const std::string name(blockName);
  atom_ = GlobalAddAtomA(name.c_str());
  return atom_ != 0;
}

BlockCreation Win32Transport::CreateBlock(std::string_view blockName, std::size_t sizeBytes) {
  const std::string name(blockName);
  mapping_ =
      CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, static_cast<DWORD>(sizeBytes), name.c_str());
  if (mapping_ == nullptr) return BlockCreation::kFailed;
  if (GetLastError() == ERROR_ALREADY_EXISTS) return BlockCreation::kAlreadyExists;
  return BlockCreation::kCreated;
}

std::byte* Win32Transport::MapBlock() {
  view_ = static_cast<std::byte*>(MapViewOfFile(mapping_, FILE_MAP_WRITE, 0, 0, 0));
  return view_;
}

SendOutcome Win32Transport::SendRequest(std::chrono::milliseconds timeout) {
  DWORD_PTR reply = 0;
  SetLastError(0);
  const LRESULT delivered = SendMessageTimeoutA(static_cast<HWND>(window_), messageId_, atom_, 0, SMTO_BLOCK,
                                                static_cast<UINT>(timeout.count()), &reply);
  if (delivered != 0) return {SendStatus::kDelivered, static_cast<std::uint32_t>(reply)};
  return {UndeliveredSendStatus(GetLastError()), 0};
}

void Win32Transport::Release() {
  window_ = nullptr;
  messageId_ = 0;
  if (atom_ != 0) GlobalDeleteAtom(atom_);
  atom_ = 0;
  if (view_ != nullptr) UnmapViewOfFile(view_);
  view_ = nullptr;
  if (mapping_ != nullptr) CloseHandle(mapping_);
  mapping_ = nullptr;
}

std::uint32_t Win32Transport::ProcessId() { return GetCurrentProcessId(); }

}  // namespace corvane::simlink

#endif
