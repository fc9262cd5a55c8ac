#include "designer/designer_window.h"

#include "controls/dpi.h"
#include "controls/font_description.h"
#include "designer/property_pages/form_text.h"
#include "support/file_services.h"
#include "support/win32/wide_string.h"

#include <algorithm>

namespace vellumark::designer {
namespace {

using controls::pages::PageKind;
using controls::pages::PropertyPage;

constexpr const wchar_t* kTitle = L"Vellumark Designer";
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;

// Layout in 96-DPI units.
constexpr int kMargin = 8;
constexpr int kListWidth = 150;
constexpr int kLabelHeight = 16;
constexpr int kButtonWidth = 68;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 6;

constexpr int kPageTop = kMargin + kLabelHeight + 6;
constexpr int kIdList = 10;
constexpr PageKind kPageKinds[3] = {PageKind::kPanels, PageKind::kSystemMenuItems, PageKind::kPopupMenuItems};

std::string FileNameOf(std::string_view path) {
  const auto slash = path.find_last_of("\\/");
  return std::string(slash == std::string_view::npos ? path : path.substr(slash + 1));
}

}  // namespace

DesignerWindow::DesignerWindow(bool endsProgram) : endsProgram_(endsProgram) {
  if (!CreateHostWindow(nullptr, RECT{CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT}, kWindowStyle,
                        WS_EX_CONTROLPARENT, kTitle))
    return;
  CreateChrome();
  Layout();
  UpdateCommands();
}

DesignerWindow::~DesignerWindow() {
  endsProgram_ = false;
  preview_.reset();
  for (auto& page : pages_) page.reset();
  DestroyHostWindow();
}

void DesignerWindow::CreateChrome() {
  dpi_ = controls::DpiForWindow(Hwnd());
  font_ = controls::CreateFontFromDescription(controls::FontDescription{}, dpi_);
  controls::FontDescription bold;
  bold.bold = true;
  bold.size = 10;
  boldFont_ = controls::CreateFontFromDescription(bold, dpi_);
  const auto create = [&](DWORD exStyle, const wchar_t* className, const wchar_t* text, DWORD style, int id) {
    HWND window = ::CreateWindowExW(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, Hwnd(),
                                    reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), controls::ModuleInstance(),
                                    nullptr);
    ::SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    return window;
  };
  listLabel_ = create(0, L"STATIC", L"&Controls:", SS_LEFT, -1);
  list_ = create(WS_EX_CLIENTEDGE, L"LISTBOX", L"", LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL | WS_TABSTOP,
                 kIdList);
  pageTitle_ = create(0, L"STATIC", L"", SS_LEFT | SS_NOPREFIX, -1);
  ::SendMessageW(pageTitle_, WM_SETFONT, reinterpret_cast<WPARAM>(boldFont_.get()), FALSE);
  noPage_ = create(0, L"STATIC", L"This control has no item pages.", SS_LEFT, -1);
  const wchar_t* captions[4] = {L"&Add", L"&Remove", L"A&pply", L"&Save"};
  for (int i = 0; i < 4; ++i) {
    buttons_[static_cast<std::size_t>(i)] = create(0, L"BUTTON", captions[i], BS_PUSHBUTTON | WS_TABSTOP, kAdd + i);
  }
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    pages_[i] = std::make_unique<PropertyPage>(Hwnd(), POINT{0, 0}, kPageKinds[i]);
    PropertyPage& page = *pages_[i];
    ::ShowWindow(page.Hwnd(), SW_HIDE);
    page.onChanged = [this] { UpdateCommands(); };
    page.onApplied = [this] {
      modified_ = true;
      UpdateTitle();
      UpdateCommands();
    };
    page.onRefused = [this](const std::string& error) { ShowError(error); };
  }
}

// Controls list on the left, the form in the middle, the page and its
// buttons on the right.
void DesignerWindow::Layout() {
  const auto scale = [this](int value) { return controls::Scale(value, dpi_); };
  const int previewLeft = scale(kMargin + kListWidth + kMargin);
  SIZE preview{scale(320), scale(240)};
  if (preview_) {
    RECT rect{};
    ::GetWindowRect(preview_->Hwnd(), &rect);
    preview = SIZE{rect.right - rect.left, rect.bottom - rect.top};
    ::SetWindowPos(preview_->Hwnd(), nullptr, previewLeft, scale(kMargin), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  const int right = previewLeft + preview.cx + scale(kMargin);
  int pageHeight = 0;
  for (PageKind kind : kPageKinds) pageHeight = std::max<int>(pageHeight, PropertyPage::Size96(kind).cy);
  const int pageTop = kPageTop;
  for (auto& page : pages_) {
    ::SetWindowPos(page->Hwnd(), nullptr, right, scale(pageTop), 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  }
  ::MoveWindow(pageTitle_, right + scale(kMargin), scale(kMargin), scale(PropertyPage::kWidth - 2 * kMargin),
               scale(kLabelHeight + 2), TRUE);
  ::MoveWindow(noPage_, right + scale(kMargin), scale(pageTop + kMargin), scale(PropertyPage::kWidth - 16),
               scale(kLabelHeight), TRUE);
  right_ = right;
  const int buttonsTop = pageTop + pageHeight + kMargin;
  PlaceButtons(pageHeight);
  const int clientWidth = right + scale(PropertyPage::kWidth + kMargin);
  const int clientHeight =
      std::max<int>(scale(kMargin) + preview.cy, scale(buttonsTop + kButtonHeight)) + scale(kMargin);
  ::MoveWindow(listLabel_, scale(kMargin), scale(kMargin), scale(kListWidth), scale(kLabelHeight), TRUE);
  const int listTop = scale(kMargin + kLabelHeight + 2);
  ::MoveWindow(list_, scale(kMargin), listTop, scale(kListWidth), clientHeight - listTop - scale(kMargin), TRUE);
  RECT frame{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&frame, kWindowStyle, FALSE, WS_EX_CONTROLPARENT);
  ::SetWindowPos(Hwnd(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The buttons follow the page shown, `pageHeight` units high.
void DesignerWindow::PlaceButtons(int pageHeight) {
  const auto scale = [this](int value) { return controls::Scale(value, dpi_); };
  const int top = kPageTop + pageHeight + kMargin;
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const int left = kMargin + static_cast<int>(i) * (kButtonWidth + kButtonGap);
    ::MoveWindow(buttons_[i], right_ + scale(left), scale(top), scale(kButtonWidth), scale(kButtonHeight), TRUE);
  }
}

bool DesignerWindow::Open(std::string_view path, std::string& error) {
  const std::optional<std::string> text = NativeFileServices().ReadFile(path);
  if (!text) {
    error = "The file " + std::string(path) + " cannot be read.";
    return false;
  }
  std::string reason;
  std::optional<controls::FormDescription> form = controls::FormDescription::Parse(*text, &reason);
  if (!form) {
    error = "The file " + std::string(path) + " is no form description (" + reason + ").";
    return false;
  }
  // Edits pending on a page go to the form now shown before it is replaced.
  for (auto& page : pages_) {
    if (!page->SetObject(nullptr)) {
      error = "The edits on the page cannot be applied; correct them first.";
      return false;
    }
  }
  preview_.reset();
  form_ = std::move(*form);
  text_ = *text;
  path_ = path;
  modified_ = false;
  selection_.clear();
  preview_ = std::make_unique<FormPreview>(Hwnd(), POINT{0, 0}, form_);
  if (preview_->Hwnd() == nullptr) {
    error = "The form cannot be shown.";
    return false;
  }
  preview_->onClick = [this](const std::string& name) { Select(name); };
  ::SendMessageW(list_, LB_RESETCONTENT, 0, 0);
  for (const std::string& name : preview_->Names()) {
    ::SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(win32::Widen(name).c_str()));
  }
  Layout();
  Select(preview_->Names().empty() ? "" : preview_->Names().front());
  UpdateTitle();
  return true;
}

PropertyPage* DesignerWindow::Page() const {
  for (const auto& page : pages_) {
    if ((::GetWindowLongPtrW(page->Hwnd(), GWL_STYLE) & WS_VISIBLE) != 0) return page.get();
  }
  return nullptr;
}

bool DesignerWindow::Select(std::string_view name) {
  if (!preview_) return false;
  const auto& names = preview_->Names();
  const auto found = std::find(names.begin(), names.end(), name);
  if (found == names.end()) return false;
  // Edits pending on the page shown now go to its control first.
  if (PropertyPage* shown = Page(); shown != nullptr && shown->Changed()) {
    std::string error;
    if (!shown->Apply(error)) {
      ShowError(error);
      const auto previous = std::find(names.begin(), names.end(), selection_) - names.begin();
      ::SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(previous), 0);
      return false;
    }
  }
  selection_ = name;
  ::SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(found - names.begin()), 0);
  preview_->Select(name);
  const std::optional<PageKind> kind = PageOf(controls::KindOfName(name));
  for (std::size_t i = 0; i < pages_.size(); ++i) {
    const bool shown = kind && *kind == kPageKinds[i];
    if (shown) pages_[i]->SetObject(preview_->ItemsOf(name));
    ::ShowWindow(pages_[i]->Hwnd(), shown ? SW_SHOWNA : SW_HIDE);
  }
  ::ShowWindow(noPage_, kind ? SW_HIDE : SW_SHOWNA);
  ::SetWindowTextW(pageTitle_, win32::Widen(kind ? controls::pages::PageName(*kind) : name).c_str());
  PlaceButtons(kind ? PropertyPage::Size96(*kind).cy : kLabelHeight + kMargin);
  UpdateCommands();
  return true;
}

bool DesignerWindow::Save(std::string& error) {
  if (PropertyPage* page = Page(); page != nullptr && page->Changed() && !page->Apply(error)) return false;
  if (!preview_) {
    error = "No form description is open.";
    return false;
  }
  controls::FormDescription edited = form_;
  preview_->StoreItems(edited);
  const std::string text = controls::pages::RewriteFormText(text_, edited);
  // A read-only form description is left alone, as editors do.
  FileServices& files = NativeFileServices();
  if ((files.GetAttributes(path_) & attribute::kReadOnly) != 0 || !files.ReplaceFile(path_, text)) {
    error = "The file " + path_ + " cannot be written.";
    return false;
  }
  form_ = std::move(edited);
  text_ = text;
  modified_ = false;
  UpdateTitle();
  UpdateCommands();
  return true;
}

bool DesignerWindow::Modified() const {
  const PropertyPage* page = Page();
  return modified_ || (page != nullptr && page->Changed());
}

HWND DesignerWindow::CommandButton(Command command) const {
  return buttons_[static_cast<std::size_t>(command - kAdd)];
}

void DesignerWindow::UpdateCommands() {
  const PropertyPage* page = Page();
  const controls::pages::ItemList* items = page != nullptr ? page->Object() : nullptr;
  const int count = items != nullptr ? items->Count() : 0;
  ::EnableWindow(CommandButton(kAdd), items != nullptr && count < items->MaxCount());
  ::EnableWindow(CommandButton(kRemove), count > 0);
  ::EnableWindow(CommandButton(kApply), page != nullptr && page->Changed());
  ::EnableWindow(CommandButton(kSave), preview_ != nullptr && Modified());
  UpdateTitle();
}

void DesignerWindow::UpdateTitle() {
  std::wstring title = kTitle;
  if (!path_.empty()) title += L" - " + win32::Widen(FileNameOf(path_)) + (Modified() ? L" *" : L"");
  ::SetWindowTextW(Hwnd(), title.c_str());
}

void DesignerWindow::ShowError(const std::string& text) {
  ::MessageBoxW(Hwnd(), win32::Widen(text).c_str(), kTitle, MB_OK | MB_ICONEXCLAMATION);
}

void DesignerWindow::OnCommand(int id, int code) {
  PropertyPage* page = Page();
  std::string error;
  switch (id) {
    case kIdList:
      if (code == LBN_SELCHANGE) {
        const auto index = ::SendMessageW(list_, LB_GETCURSEL, 0, 0);
        if (preview_ && index >= 0 && static_cast<std::size_t>(index) < preview_->Names().size()) {
          Select(preview_->Names()[static_cast<std::size_t>(index)]);
        }
      }
      return;
    case kAdd:
      if (page != nullptr) page->InsertItemAfterCurrent();
      break;
    case kRemove:
      if (page != nullptr) page->RemoveCurrentItem();
      break;
    case kApply:
      if (page != nullptr && !page->Apply(error)) ShowError(error);
      break;
    case kSave:
      if (!Save(error)) ShowError(error);
      break;
    default: return;
  }
  UpdateCommands();
}

void DesignerWindow::OnClose() {
  if (Modified()) {
    const std::wstring question = L"Save the changes to " + win32::Widen(FileNameOf(path_)) + L"?";
    const int answer = ::MessageBoxW(Hwnd(), question.c_str(), kTitle, MB_YESNOCANCEL | MB_ICONEXCLAMATION);
    if (answer == IDCANCEL) return;
    std::string error;
    if (answer == IDYES && !Save(error)) {
      ShowError(error);
      return;
    }
  }
  ::DestroyWindow(Hwnd());
}

LRESULT DesignerWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_CLOSE:
      OnClose();
      return 0;
    case WM_DESTROY:
      if (endsProgram_) ::PostQuitMessage(0);
      return 0;
    default: return DefaultHandling(message, wParam, lParam);
  }
}

}  // namespace vellumark::designer
