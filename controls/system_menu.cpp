#include "controls/system_menu.h"

#include "support/win32/wide_string.h"

namespace vellumark::controls {

void SystemMenuItem::Changed(const std::string& key) {
  if (owner_->onPropertyChanged) owner_->onPropertyChanged(key);
  owner_->UpdateSystemMenuItems(Index());
}

SystemMenu::SystemMenu(HWND form) : form_(form) { Update(); }

SystemMenu::~SystemMenu() {
  formSubclass_.Destroy();
  if (form_ != nullptr && ::IsWindow(form_) && ::GetSystemMenu(form_, FALSE) == menu_) RemoveAppended();
}

void SystemMenu::ResizeItems(int count) {
  items_.resize(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i)
    if (!items_[i]) items_[i] = std::make_unique<SystemMenuItem>(*this, i);
}

void SystemMenu::Update() {
  menu_ = form_ != nullptr ? ::GetSystemMenu(form_, FALSE) : nullptr;
  if (menu_ == nullptr) return;
  ResizeItems(Count());
  UpdateSystemMenuItems(-1);
}

void SystemMenu::RemoveAppended() {
  for (int i = appended_ - 1; i >= 0; --i) ::DeleteMenu(menu_, CommandId(i), MF_BYCOMMAND);
  appended_ = 0;
}

void SystemMenu::UpdateSystemMenuItems(int index) {
  if (menu_ == nullptr || preventUpdate_) return;
  if (index == -1) {
    // What the last build appended goes first, so a smaller Count leaves
    // nothing behind and a rebuild never duplicates entries.
    RemoveAppended();
    for (const auto& item : items_) {
      const UINT id = CommandId(item->Index());
      if (item->Style() == SystemMenuItem::kSeparator) {
        ::AppendMenuW(menu_, MF_SEPARATOR, id, nullptr);
      } else {
        UINT flags = MF_STRING;
        if (!(enabled_ && item->Enabled())) flags |= MF_GRAYED;
        if (item->Checked()) flags |= MF_CHECKED;
        ::AppendMenuW(menu_, flags, id, win32::Widen(item->Text()).c_str());
      }
      ++appended_;
    }
    formSubclass_.Create(form_, [this](HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
      return FormProcedure(window, message, wParam, lParam);
    });
    return;
  }
  if (index < 0 || index >= Count() || index >= appended_) return;
  const SystemMenuItem& item = *items_[static_cast<std::size_t>(index)];
  std::wstring text = win32::Widen(item.Text());
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STATE | MIIM_ID | MIIM_FTYPE | MIIM_STRING;
  info.fType = item.Style() == SystemMenuItem::kSeparator ? MFT_SEPARATOR : MFT_STRING;
  info.fState = (item.Checked() ? MFS_CHECKED : 0u) | (enabled_ && item.Enabled() ? 0u : MFS_GRAYED);
  info.wID = CommandId(index);
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
  ::SetMenuItemInfoW(menu_, CommandId(index), FALSE, &info);
}

LRESULT SystemMenu::FormProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_SYSCOMMAND) {
    const auto command = static_cast<UINT>(wParam & 0xFFF0);
    if (command != 0 && command < CommandId(Count())) {
      SystemMenuItem& item = *items_[(command >> 4) - 1];
      if (item.Style() != SystemMenuItem::kSeparator && onItemClick) onItemClick(item);
      return 0;
    }
  }
  return Subclassing::Default(window, message, wParam, lParam);
}

void SystemMenu::Changed(std::string_view key) {
  if (onPropertyChanged) onPropertyChanged(key);
}

void SystemMenu::SetCount(int value) {
  if (value < 0 || value > kMaxCount) return;
  ResizeItems(value);
  Changed("Count");
  Update();
}

void SystemMenu::SetEnabled(bool value) {
  enabled_ = value;
  Changed("Enabled");
  Update();
}

SystemMenuItem* SystemMenu::SystemMenuItemAt(int index) {
  if (index < 0 || index >= Count()) return nullptr;
  return items_[static_cast<std::size_t>(index)].get();
}

void SystemMenu::ReadProperties(const PropertyStore& store) {
  const int count = store.ReadNumber("Count", 0);
  enabled_ = store.ReadBool("Enabled", true);
  preventUpdate_ = true;
  items_.clear();
  ResizeItems(count < 0 || count > kMaxCount ? 0 : count);
  for (const auto& item : items_) item->ReadProperties(store);
  preventUpdate_ = false;
  Update();
}

void SystemMenu::WriteProperties(PropertyStore& store) const {
  store.WriteNumber("Count", Count());
  store.WriteBool("Enabled", enabled_);
  for (const auto& item : items_) item->WriteProperties(store);
}

}  // namespace vellumark::controls
