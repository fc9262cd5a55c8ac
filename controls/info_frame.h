// InfoFrame: the header band at the top of a form: an icon and a one-line
// bold caption on a plain or left-to-right gradient background, with an
// etched line at its lower edge. It keeps itself 63 units high and as wide
// as its parent's client area, whoever resizes it. Click comes with the
// release of a press on the band.
#pragma once

#include "controls/control_common.h"
#include "controls/font_description.h"
#include "controls/host_window.h"
#include "controls/property_store.h"
#include "controls/property_table.h"

#include <functional>
#include <string>

namespace vellumark::controls {

class InfoFrame : public HostWindow<InfoFrame> {
 public:
  static constexpr const wchar_t* kClassName = L"VellumarkInfoFrame";
  static constexpr UINT kClassStyle = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
  static constexpr int kHeight = 63;  // 96-DPI units
  static constexpr std::uint32_t kDefaultColor = 0x796150;

  // Placement bounds give only the top edge; Hwnd() is null on failure.
  explicit InfoFrame(const Placement& placement);
  ~InfoFrame();

  // The persisted properties in the order they are written.
  static std::span<const Property<InfoFrame>> Properties();

  std::uint32_t BackColor() const { return backColor_; }  // plain RGB; gradient start
  void SetBackColor(std::uint32_t value);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  std::uint32_t ForeColor() const { return foreColor_; }  // caption colour
  void SetForeColor(std::uint32_t value);
  std::uint32_t GradientColor() const { return gradientColor_; }  // gradient end; == BackColor: none
  void SetGradientColor(std::uint32_t value);
  // The icon as the name of an icon resource of the program ("#101" for a
  // numbered one); "" for none.
  const std::string& Icon() const { return icon_; }
  void SetIcon(std::string_view value);
  const std::string& Text() const { return text_; }
  void SetText(std::string_view value);

  void Refresh();

  // Keys "BackColor", "Enabled", "ForeColor", "GradientColor", "Icon", "Text".
  void ReadProperties(const PropertyStore& store);
  void WriteProperties(PropertyStore& store) const;

  std::function<void()> onClick;
  std::function<void()> onDblClick;
  PropertyChanged onPropertyChanged;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

 private:
  template <class T>
  void Set(std::string_view key, T value);
  void Changed(std::string_view key);
  void Update();
  void Paint(HDC dc);
  void FitToParent();

  win32::UniqueFont captionFont_;
  win32::UniqueIcon iconHandle_;
  std::uint32_t backColor_ = 0;
  bool enabled_ = false;
  std::uint32_t foreColor_ = 0;
  std::uint32_t gradientColor_ = 0;
  std::string icon_;
  std::string text_;
};

}  // namespace vellumark::controls
