// tessel-gui.exe's window: controls from a layout table, the run on a worker thread, TESSEL.INI at
// start and close.
#include "tessel/win32/tessel_window.h"

#include <algorithm>
#include <stdexcept>

#include "platform/win32/child_windows.h"
#include "platform/win32/dpi.h"
#include "platform/win32/wide_text.h"
#include "platform/win32/window_screenshot.h"
#include "tessel/tessel_run.h"
// clang-format off
#include <shlobj.h>
// clang-format on

namespace tessel::win32 {
namespace {
using namespace corvane::platform::win32;

constexpr wchar_t kWindowClass[] = L"TesselWindow";
constexpr UINT kRunPosted = WM_APP + 1;
constexpr UINT kRunFinished = WM_APP + 2;
constexpr int kTwipsPerPixel = 15;
constexpr int kMarginPx = 8;
constexpr int kRowPx = 24;
constexpr int kTabTopPx = 96;
constexpr std::size_t kProblemsTab = kTabCount;
constexpr std::array<const char*, kTabCount + 1> kListNames = {
    "lstDirs", "lstFiles", "lstNDB", "lstVOR", "lstILS", "lstARP", "lstRWY", "lstHEL", "lstAPV", "lstProblems"};
constexpr std::array<const char*, 7> kKindNames = {"chARP", "chRWY", "chVOR", "chNDB", "chHEL", "chILS", "chAPV"};
constexpr std::array<const wchar_t*, 7> kKindCaptions = {L"Airports", L"Runways", L"VORs",        L"NDBs",
                                                         L"Heliport", L"ILSs",    L"Airport View"};

std::array<bool*, 7> KindFlags(OutputKinds& kinds) {
  return {&kinds.airports, &kinds.runways, &kinds.vors, &kinds.ndbs, &kinds.heliports, &kinds.ilss, &kinds.airportView};
}

void RegisterWindowClass(WNDPROC procedure) {
  static const bool registered = [procedure] {
    const WNDCLASSW description = corvane::platform::win32::TopLevelWindowClass(procedure, kWindowClass);
    return RegisterClassW(&description) != 0;
  }();
  (void)registered;
}

// A row of the layout table: placed later by LayOut.
ChildLayout Row(const wchar_t* windowClass, DWORD style, DWORD extendedStyle = 0, std::wstring text = {}) {
  return {windowClass, style, extendedStyle, 0, 0, 0, 0, std::move(text)};
}

void SetText(HWND window, const std::string& utf8) { SetWindowTextW(window, ToWide(utf8).c_str()); }
void SetLatin1Text(HWND window, const std::string& text) { SetWindowTextW(window, Latin1ToWide(text).c_str()); }

}  // namespace

TesselWindow::TesselWindow(WindowScript script) : script_(std::move(script)) {
  form_.settingsFile = script_.places.settingsFile;
  form_.Form_Load(script_.places.outputFolder);
  if (script_.outputFolder) form_.outputFolder = std::filesystem::path(ToWide(*script_.outputFolder));
  if (script_.scanRoot) form_.txtPath = WithTrailingSeparator(*script_.scanRoot);
  INITCOMMONCONTROLSEX common{sizeof(common), ICC_WIN95_CLASSES | ICC_TAB_CLASSES | ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&common);
  RegisterWindowClass(&TesselWindow::WindowProcedure);
  main_ = CreateWindowExW(0, kWindowClass, Latin1ToWide(form_.caption).c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                          form_.windowLeftTwips / kTwipsPerPixel, form_.windowTopTwips / kTwipsPerPixel, 900, 620,
                          nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (main_ == nullptr) throw std::runtime_error("cannot create the window");
  dpi_ = DpiOfWindow(main_);
  // The window's size is that of the 96-DPI layout, at the monitor's DPI.
  SetWindowPos(main_, nullptr, 0, 0, Scaled(900, dpi_), Scaled(620, dpi_), SWP_NOMOVE | SWP_NOZORDER);
  fonts_.Make(dpi_);
  BuildControls();
  observer_ = std::make_unique<PostingObserver>(main_, kRunPosted);
  LayOut();
}

TesselWindow::~TesselWindow() {
  StopWorker();
  if (main_ != nullptr && IsWindow(main_)) {
    closed_ = true;
    DestroyWindow(main_);
  }
}

void TesselWindow::BuildControls() {
  // Placed by LayOut; the table gives each control its class, styles and text.
  struct TableRow {
    const char* name;
    HWND* window;
    ChildLayout layout;
  };
  std::vector<TableRow> table;
  for (std::size_t i = 0; i < kindBoxes_.size(); ++i) {
    table.push_back({kKindNames[i], &kindBoxes_[i],
                     Row(L"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_AUTOCHECKBOX, 0, kKindCaptions[i])});
  }
  table.push_back({"txtPath", &txtPath_,
                   Row(L"EDIT", WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, ToWide(form_.txtPath))});
  table.push_back({"btDir", &btDir_, Row(L"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, L">")});
  table.push_back({"btStart", &btStart_, Row(L"BUTTON", WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, L"Start")});
  table.push_back(
      {"btStop", &btStop_, Row(L"BUTTON", WS_VISIBLE | WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, 0, L"Stop")});
  table.push_back({"PB1", &progress_, Row(PROGRESS_CLASSW, WS_VISIBLE)});
  table.push_back({"lbMess", &lbMess_, Row(L"STATIC", WS_VISIBLE | SS_LEFTNOWORDWRAP)});
  table.push_back({"lbError", &lbError_, Row(L"STATIC", WS_VISIBLE | SS_LEFTNOWORDWRAP)});
  table.push_back({"lbFile", &lbFile_, Row(L"STATIC", WS_VISIBLE | SS_LEFTNOWORDWRAP | SS_PATHELLIPSIS)});
  table.push_back({"SSTab1", &tabs_, Row(WC_TABCONTROLW, WS_VISIBLE | WS_CLIPSIBLINGS)});
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    // The lines are drawn from the form's lists as they are shown: millions cost no copy.
    table.push_back({kListNames[i], &lists_[i],
                     Row(L"LISTBOX", WS_VSCROLL | LBS_NODATA | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT | LBS_NOTIFY,
                         WS_EX_CLIENTEDGE)});
  }
  for (TableRow& row : table) {
    *row.window = CreateChild(main_, row.layout, FontFor(row.name), dpi_);
    named_.push_back({row.name, *row.window});
  }
  const std::array<bool*, 7> flags = KindFlags(form_.kinds);
  for (std::size_t i = 0; i < kindBoxes_.size(); ++i) {
    SendMessageW(kindBoxes_[i], BM_SETCHECK, *flags[i] ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  for (std::size_t i = 0; i <= kTabCount; ++i) {
    std::wstring caption = i < kTabCount ? Latin1ToWide(kTabCaptions[i]) : std::wstring(L"Problems");
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = caption.data();
    SendMessageW(tabs_, TCM_INSERTITEMW, i, reinterpret_cast<LPARAM>(&item));
  }
  SendMessageW(progress_, PBM_SETRANGE32, 0, 1000);
  ShowTab(0);
}

HFONT TesselWindow::FontFor(std::string_view controlName) const {
  return controlName.starts_with("lst") ? fonts_.fixedPitch() : fonts_.text();  // the lists are fixed-pitch
}

HWND TesselWindow::Control(const std::string& name) const {
  for (const Named& named : named_) {
    if (named.name == name) return named.window;
  }
  return nullptr;
}

void TesselWindow::Show() {
  ShowWindow(main_, SW_SHOW);
  UpdateWindow(main_);
  if (script_.scanRoot) {
    btStart_Click();
  } else if (script_.screenshotPath) {
    SaveScreenshot(*script_.screenshotPath);
    if (script_.quitAfterRun) PostMessageW(main_, WM_CLOSE, 0, 0);
  }
}

void TesselWindow::LayOut() {
  RECT client{};
  GetClientRect(main_, &client);
  // The layout rules work in the 96-DPI window's pixels, as the Qt window's do.
  const int width = Unscaled(client.right, dpi_);
  const int height = Unscaled(client.bottom, dpi_);
  form_.Form_Resize(width * kTwipsPerPixel);
  const int tabWidth = form_.tabWidthTwips / kTwipsPerPixel;
  const int listWidth = form_.listWidthTwips / kTwipsPerPixel;
  const int progressWidth = form_.progressWidthTwips / kTwipsPerPixel;
  const int columnLeft = kMarginPx + tabWidth + kMarginPx;
  const int columnWidth = width - columnLeft - kMarginPx / 2;

  PlaceChild(txtPath_, kMarginPx, kMarginPx, tabWidth - 32, kRowPx, dpi_);
  PlaceChild(btDir_, kMarginPx + tabWidth - 28, kMarginPx, 28, kRowPx, dpi_);
  PlaceChild(btStart_, columnLeft, kMarginPx, columnWidth, kRowPx, dpi_);
  PlaceChild(progress_, (width - progressWidth) / 2, kMarginPx + kRowPx + 8, progressWidth, 18, dpi_);
  PlaceChild(lbMess_, kMarginPx, kMarginPx + 2 * kRowPx + 10, tabWidth / 3, 20, dpi_);
  PlaceChild(lbError_, kMarginPx + tabWidth / 3, kMarginPx + 2 * kRowPx + 10, tabWidth * 2 / 3, 20, dpi_);
  PlaceChild(lbFile_, kMarginPx, kMarginPx + 3 * kRowPx + 2, width - 2 * kMarginPx, 16, dpi_);
  const int tabHeight = std::max(height - kTabTopPx - kMarginPx, 60);
  PlaceChild(tabs_, kMarginPx, kTabTopPx, tabWidth, tabHeight, dpi_);
  int y = kTabTopPx + 24;
  for (HWND box : kindBoxes_) {
    PlaceChild(box, columnLeft, y, columnWidth, 22, dpi_);
    y += 24;
  }
  PlaceChild(btStop_, columnLeft, y + 12, columnWidth, kRowPx, dpi_);
  // The lists lie over the tab control's page area, below its row of tabs.
  RECT page = {0, 0, Scaled(tabWidth, dpi_), Scaled(tabHeight, dpi_)};
  SendMessageW(tabs_, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&page));
  const int left = Scaled(kMarginPx, dpi_) + page.left;
  const int top = Scaled(kTabTopPx, dpi_) + page.top;
  const int listWidthPx = std::min<int>(Scaled(listWidth, dpi_), page.right - page.left);
  for (HWND list : lists_) {
    SetWindowPos(list, HWND_TOP, left, top, std::max(listWidthPx, 10), std::max<int>(page.bottom - page.top, 10),
                 SWP_NOACTIVATE);
    SendMessageW(list, LB_SETITEMHEIGHT, 0, Scaled(15, dpi_));
  }
}

void TesselWindow::ShowTab(std::size_t tab) {
  shownTab_ = std::min(tab, kProblemsTab);
  SendMessageW(tabs_, TCM_SETCURSEL, shownTab_, 0);
  for (std::size_t i = 0; i < lists_.size(); ++i) ShowWindow(lists_[i], i == shownTab_ ? SW_SHOWNA : SW_HIDE);
}

LRESULT CALLBACK TesselWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = static_cast<TesselWindow*>(OwnerOfWindow(window, message, lParam));
  if (self == nullptr || self->main_ == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  return self->Handle(message, wParam, lParam);
}

LRESULT TesselWindow::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      if (tabs_ != nullptr) LayOut();
      return 0;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wParam);
      fonts_.Make(dpi_);
      for (const Named& named : named_) {
        SendMessageW(named.window, WM_SETFONT, reinterpret_cast<WPARAM>(FontFor(named.name)), TRUE);
      }
      MoveToSuggestedRect(main_, lParam);
      LayOut();
      return 0;
    }
    case WM_COMMAND:
      if (lParam != 0) OnCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
      return 0;
    case WM_NOTIFY: {
      const auto* header = reinterpret_cast<const NMHDR*>(lParam);
      if (header->hwndFrom == tabs_ && header->code == TCN_SELCHANGE) {
        ShowTab(static_cast<std::size_t>(SendMessageW(tabs_, TCM_GETCURSEL, 0, 0)));
      }
      return 0;
    }
    case WM_MEASUREITEM: reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = Scaled(15, dpi_); return TRUE;
    case WM_DRAWITEM: DrawListLine(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lParam) == lbError_) {
        SetTextColor(reinterpret_cast<HDC>(wParam), RGB(0xB0, 0, 0));
        SetBkColor(reinterpret_cast<HDC>(wParam), GetSysColor(COLOR_BTNFACE));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      }
      break;
    case kRunPosted: OnRunPosted(); return 0;
    case kRunFinished: OnRunFinished(); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: break;
  }
  return DefWindowProcW(main_, message, wParam, lParam);
}

void TesselWindow::OnCommand(HWND control, int code) {
  if (code != BN_CLICKED) return;
  if (control == btStart_) btStart_Click();
  if (control == btStop_) btStop_Click();
  if (control == btDir_) btDir_Click();
}

void TesselWindow::DrawListLine(const DRAWITEMSTRUCT& item) {
  if (item.itemID == static_cast<UINT>(-1)) return;
  const std::size_t index =
      static_cast<std::size_t>(std::find(lists_.begin(), lists_.end(), item.hwndItem) - lists_.begin());
  if (index >= lists_.size()) return;
  const LineList& lines = index < kTabCount ? form_.lists.lines[index] : form_.problems;
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  // The worker writes the lists while a run is on: they show once it has ended.
  if (Running() || item.itemID >= lines.size()) return;
  const std::wstring text = Latin1ToWide(lines[item.itemID]);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  RECT area = item.rcItem;
  area.left += 2;
  DrawTextW(item.hDC, text.c_str(), static_cast<int>(text.size()), &area, DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
}

void TesselWindow::btDir_Click() {
  BROWSEINFOW browse{};
  browse.hwndOwner = main_;
  browse.lpszTitle = L"Scenery folder";
  browse.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  PIDLIST_ABSOLUTE picked = SHBrowseForFolderW(&browse);
  std::optional<std::string> folder;
  if (picked != nullptr) {
    wchar_t path[MAX_PATH] = {};
    if (SHGetPathFromIDListW(picked, path)) folder = FromWide(path);
    CoTaskMemFree(picked);
  }
  form_.btDir_FolderPicked(folder);
  SetText(txtPath_, form_.txtPath);
}

void TesselWindow::btStart_Click() {
  if (Running()) return;
  const std::array<bool*, 7> flags = KindFlags(form_.kinds);
  for (std::size_t i = 0; i < kindBoxes_.size(); ++i) {
    *flags[i] = SendMessageW(kindBoxes_[i], BM_GETCHECK, 0, 0) == BST_CHECKED;
  }
  form_.txtPath = WithTrailingSeparator(WindowTextOf(txtPath_));
  SetText(txtPath_, form_.txtPath);
  progressShotTaken_ = false;
  SetWindowTextW(lbError_, L"");
  SetWindowTextW(lbFile_, L"");
  for (HWND list : lists_) SendMessageW(list, LB_SETCOUNT, 0, 0);
  observer_->Reset();
  SetRunning(true);
  // The form belongs to the worker until it ends; the window shows only what the observer posts.
  worker_ = std::thread([this] {
    result_ = form_.btStart_Click(observer_.get());
    PostMessageW(main_, kRunFinished, 0, 0);
  });
}

void TesselWindow::btStop_Click() {
  observer_->RequestStop();
  EnableWindow(btStop_, FALSE);
}

void TesselWindow::OnRunPosted() {
  if (!Running()) return;
  const RunSnapshot state = observer_->Take();
  if (!state.step.empty()) SetLatin1Text(lbMess_, state.step);
  if (state.tab != static_cast<TabList>(shownTab_)) ShowTab(static_cast<std::size_t>(state.tab));
  if (!state.file.empty()) SetLatin1Text(lbFile_, state.file);
  if (!state.bucketWarning.empty()) SetLatin1Text(lbError_, state.bucketWarning);
  ShowProgress(state.value, state.maximum);
  if (script_.progressShotPath && !progressShotTaken_ && state.step.empty() &&
      WindowTextOf(lbMess_) == kStepScanningFiles && state.maximum > 0 && state.value * 2 >= state.maximum) {
    progressShotTaken_ = true;
    SaveScreenshot(*script_.progressShotPath);
  }
}

void TesselWindow::OnRunFinished() {
  if (!Running()) return;
  worker_.join();
  lastResult_ = result_;
  SetRunning(false);
  RefreshFromForm();
  if (!lastResult_.outputWritten) SetWindowTextW(lbError_, L"Output not written, see Problems");
  if (script_.screenshotPath) SaveScreenshot(*script_.screenshotPath);
  if (script_.quitAfterRun) PostMessageW(main_, WM_CLOSE, 0, 0);
}

void TesselWindow::SetRunning(bool running) {
  EnableWindow(btStart_, !running);
  EnableWindow(btStop_, running);
  EnableWindow(btDir_, !running);
  SendMessageW(txtPath_, EM_SETREADONLY, running, 0);
  for (HWND box : kindBoxes_) EnableWindow(box, !running);
}

void TesselWindow::RefreshFromForm() {
  for (std::size_t i = 0; i < lists_.size(); ++i) {
    const LineList& lines = i < kTabCount ? form_.lists.lines[i] : form_.problems;
    SendMessageW(lists_[i], LB_SETCOUNT, lines.size(), 0);
  }
  SetLatin1Text(lbMess_, form_.lbMess);
  // Progress posts are coalesced on their way here; the bar ends where the run really ended.
  ShowProgress(form_.PB1Value, form_.PB1Max);
  if (!form_.lbError.empty()) SetLatin1Text(lbError_, form_.lbError);
  ShowTab(static_cast<std::size_t>(form_.SSTab1Tab));
  std::wstring problems =
      form_.problems.empty() ? L"Problems" : L"Problems (" + std::to_wstring(form_.problems.size()) + L")";
  TCITEMW item{};
  item.mask = TCIF_TEXT;
  item.pszText = problems.data();
  SendMessageW(tabs_, TCM_SETITEMW, kProblemsTab, reinterpret_cast<LPARAM>(&item));
  // The file list selects its last line, as after the walk.
  HWND files = lists_[static_cast<std::size_t>(TabList::Files)];
  const LRESULT count = SendMessageW(files, LB_GETCOUNT, 0, 0);
  if (count > 0) SendMessageW(files, LB_SETCURSEL, static_cast<WPARAM>(count - 1), 0);
}

void TesselWindow::ShowProgress(std::size_t value, std::size_t maximum) {
  // The bar counts in thousandths so that very long lists still fit its range.
  const std::size_t thousandths = maximum == 0 ? 0 : std::min(value, maximum) * 1000 / maximum;
  SendMessageW(progress_, PBM_SETPOS, thousandths, 0);
}

void TesselWindow::SaveScreenshot(const std::string& path) {
  if (!SaveWindowScreenshot(main_, std::filesystem::path(ToWide(path)))) {
    SetWindowTextW(lbError_, L"Cannot save the screenshot");
  }
}

void TesselWindow::StopWorker() {
  if (!Running()) return;
  observer_->RequestStop();
  worker_.join();
  lastResult_ = result_;
}

void TesselWindow::OnClose() {
  if (!closed_) {
    closed_ = true;
    // A run still on ends between two files before the settings are written.
    StopWorker();
    RECT outer{};
    GetWindowRect(main_, &outer);
    form_.windowTopTwips = outer.top * kTwipsPerPixel;
    form_.windowLeftTwips = outer.left * kTwipsPerPixel;
    form_.txtPath = WindowTextOf(txtPath_);
    form_.Form_Unload();
  }
  DestroyWindow(main_);
}

}  // namespace tessel::win32
