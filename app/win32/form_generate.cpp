#include "app/win32/form_generate.h"

#include "controls/dpi.h"
#include "controls/host_window.h"
#include "controls/window_messages.h"
#include "generate/generate_options.h"
#include "runner/site_settings.h"
#include "support/win32/keyboard.h"
#include "support/win32/wide_string.h"
#include "support/win32/window_helpers.h"

#include <array>
#include <optional>
#include <string>
#include <utility>

namespace vellumark {
namespace {

constexpr const wchar_t* kApplicationTitle = L"Tarnwell Vellumark";
constexpr int kTwipsPerInch = 1440;

// A control's place in twips within the client area.
struct TwipRect {
  int left, top, width, height;
};

constexpr TwipRect kClient{0, 0, 6015, 1230};

struct GenerateControl {
  FormGenerate::ControlId id;
  const wchar_t* windowClass;
  const wchar_t* text;
  DWORD style;
  DWORD exStyle;
  TwipRect place;
};

// Creation order is the tab order. The labels stand a little lower than
// their inputs so that the texts share a baseline.
const std::array<GenerateControl, 8> kControls{{
    {FormGenerate::kLabelInterval, L"STATIC", L"&Interval:", SS_LEFT, 0, {120, 165, 855, 255}},
    {FormGenerate::kTextInterval, L"EDIT", L"", ES_NUMBER | ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE,
     {1080, 120, 495, 285}},
    {FormGenerate::kLabelUpdated, L"STATIC", L"&Updated:", SS_LEFT, 0, {120, 525, 855, 255}},
    {FormGenerate::kTextUpdated, L"EDIT", L"", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, {1080, 480, 3375, 285}},
    {FormGenerate::kLabelTemplate, L"STATIC", L"&Template:", SS_LEFT, 0, {120, 885, 855, 255}},
    {FormGenerate::kComboTemplate, L"COMBOBOX", L"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0,
     {1080, 825, 2295, 315}},
    {FormGenerate::kCommandOK, L"BUTTON", L"OK", BS_DEFPUSHBUTTON | WS_TABSTOP, 0, {4680, 120, 1215, 375}},
    {FormGenerate::kCommandCancel, L"BUTTON", L"Cancel", BS_PUSHBUTTON | WS_TABSTOP, 0, {4680, 600, 1215, 375}},
}};

// How many entries the opened template list shows before it scrolls.
constexpr int kVisibleTemplates = 8;

int Pixels(int twips, int dpi) { return ::MulDiv(twips, dpi, kTwipsPerInch); }

// Template names go straight into the combo box, in the order given.
class ComboTemplateList final : public TemplateList {
 public:
  explicit ComboTemplateList(HWND combo) : combo_(combo) {}
  void Clear() override { ::SendMessageW(combo_, CB_RESETCONTENT, 0, 0); }
  void AddItem(std::string_view name) override {
    const std::wstring wide = win32::Widen(name);
    ::SendMessageW(combo_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
  }

 private:
  HWND combo_;
};

std::string WindowText(HWND window) {
  std::wstring text(static_cast<std::size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<std::size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return win32::Narrow(text);
}

std::optional<std::string> SelectedEntry(HWND combo) {
  const LRESULT index = ::SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (index == CB_ERR) return std::nullopt;
  const LRESULT length = ::SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
  if (length == CB_ERR) return std::nullopt;
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const LRESULT copied = ::SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  if (copied == CB_ERR) return std::nullopt;
  text.resize(static_cast<std::size_t>(copied));
  return win32::Narrow(text);
}

// Gives a drop-down list's closed field the height `fieldHeight` and
// returns the window height that also holds the opened list. The field
// takes its height from the item height plus borders; some systems report
// the item height back with padding of their own, so the borders are
// measured rather than assumed.
int FitDropDownList(HWND combo, int fieldHeight) {
  const LRESULT item = ::SendMessageW(combo, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0);
  if (item > 0) {
    ::SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), item);
    RECT field{};
    ::GetWindowRect(combo, &field);
    const int borders = (field.bottom - field.top) - static_cast<int>(item);
    if (fieldHeight > borders) ::SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), fieldHeight - borders);
  }
  const LRESULT entry = ::SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0);
  return fieldHeight + kVisibleTemplates * static_cast<int>(entry > 0 ? entry : fieldHeight) + 2;
}

}  // namespace

void ShowExclamationMessage(HWND owner, std::string_view text) {
  ::MessageBoxW(owner, win32::Widen(text).c_str(), kApplicationTitle, MB_OK | MB_ICONEXCLAMATION);
}

FormGenerate::FormGenerate(Settings& settings, const Templates& templates, ShowMessageBox showMessage)
    : settings_(settings), templates_(templates), showMessage_(std::move(showMessage)) {}

bool FormGenerate::ShowModal(HWND owner) {
  ok_ = false;
  win32::ShowControllessDialog(controls::ModuleInstance(), owner, &FormGenerate::DialogProc,
                               reinterpret_cast<LPARAM>(this));
  return ok_;
}

INT_PTR CALLBACK FormGenerate::DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
  return win32::DispatchToForm(dialog, message, wParam, lParam, &FormGenerate::dialog_, &FormGenerate::HandleMessage);
}

INT_PTR FormGenerate::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog();
      return TRUE;  // the first tab stop gets the focus
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return TRUE;
    case controls::kDpiChanged:
      OnDpiChanged(LOWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
      return TRUE;
    default:
      return FALSE;
  }
}

void FormGenerate::OnInitDialog() {
  ::SetWindowTextW(dialog_, L"Generate");
  dpi_ = controls::DpiForWindow(dialog_);
  font_ = win32::MessageFont(dpi_);
  CreateControls();
  Layout();
  win32::CentreOnOwner(dialog_, ::GetWindow(dialog_, GW_OWNER));
  Fill();
}

void FormGenerate::CreateControls() {
  for (const GenerateControl& entry : kControls) {
    ::CreateWindowExW(entry.exStyle, entry.windowClass, entry.text, WS_CHILD | WS_VISIBLE | entry.style, 0, 0, 0, 0,
                      dialog_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(entry.id)), controls::ModuleInstance(),
                      nullptr);
  }
  ::SendMessageW(dialog_, DM_SETDEFID, kCommandOK, 0);
}

void FormGenerate::Layout() {
  RECT frame{};
  RECT client{};
  ::GetWindowRect(dialog_, &frame);
  ::GetClientRect(dialog_, &client);
  ::SetWindowPos(dialog_, nullptr, 0, 0,
                 (frame.right - frame.left) - client.right + Pixels(kClient.width, dpi_),
                 (frame.bottom - frame.top) - client.bottom + Pixels(kClient.height, dpi_),
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  for (const GenerateControl& entry : kControls) {
    const HWND control = Control(entry.id);
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    int height = Pixels(entry.place.height, dpi_);
    if (entry.id == kComboTemplate) height = FitDropDownList(control, height);
    ::SetWindowPos(control, nullptr, Pixels(entry.place.left, dpi_), Pixels(entry.place.top, dpi_),
                   Pixels(entry.place.width, dpi_), height, SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ::InvalidateRect(dialog_, nullptr, TRUE);
}

void FormGenerate::Fill() {
  ::SetWindowTextW(Control(kTextInterval), std::to_wstring(settings_.Interval()).c_str());
  ::SetWindowTextW(Control(kTextUpdated), win32::Widen(settings_.Updated()).c_str());
  ComboTemplateList list(Control(kComboTemplate));
  if (!templates_.Enumerate(list)) {
    // Shown before the dialog appears, over the window it belongs to.
    const HWND owner = ::GetWindow(dialog_, GW_OWNER);
    showMessage_(owner != nullptr ? owner : dialog_, kErrorEnumeratingTemplates);
  }
  if (const std::string chosen = settings_.Template(); !chosen.empty()) {
    const std::wstring wide = win32::Widen(chosen);
    const LRESULT index = ::SendMessageW(Control(kComboTemplate), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                         reinterpret_cast<LPARAM>(wide.c_str()));
    if (index != CB_ERR) ::SendMessageW(Control(kComboTemplate), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  }
}

void FormGenerate::OnCommand(int id, int code) {
  switch (id) {
    case kCommandOK:
      if (code == BN_CLICKED) OnOK();
      break;
    case kCommandCancel:
      ::EndDialog(dialog_, IDCANCEL);
      break;
    case kTextInterval:
    case kTextUpdated:
      // Arriving by Tab selects the whole text; a click leaves the caret
      // where it fell.
      if (code == EN_SETFOCUS && Keyboard().IsTabKey()) {
        ::SendMessageW(Control(static_cast<ControlId>(id)), EM_SETSEL, 0, -1);
      }
      break;
    default:
      break;
  }
}

void FormGenerate::OnOK() {
  const win32::BusyPointer busy;
  const GenerateOptions options{WindowText(Control(kTextInterval)), WindowText(Control(kTextUpdated)),
                                SelectedEntry(Control(kComboTemplate))};
  ConfirmedOptions confirmed;
  const std::string_view problem = CheckGenerateOptions(options, templates_, confirmed);
  if (!problem.empty()) {
    showMessage_(dialog_, problem);
    const HWND offending = Control(problem == kInvalidInterval ? kTextInterval : kComboTemplate);
    // Focus through the dialog manager, which also selects an edit's text.
    ::SendMessageW(dialog_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(offending), TRUE);
    if (problem == kInvalidInterval) ::SendMessageW(offending, EM_SETSEL, 0, -1);
    return;
  }
  // The run reads the stored options: unsaved ones would build another site.
  if (!StoreGenerateOptions(confirmed, settings_)) {
    showMessage_(dialog_, kErrorSavingOptions);
    return;
  }
  ok_ = true;
  ::EndDialog(dialog_, IDOK);
}

void FormGenerate::OnDpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  win32::UniqueFont previous = std::move(font_);
  font_ = win32::MessageFont(dpi_);
  ::SetWindowPos(dialog_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  Layout();
}

}  // namespace vellumark
