// ProgressBar: the system progress bar (msctls_progress32) inside a host
// window of ours. The control keeps its own copy of every setting and
// re-applies all of them after each change, so the bar window can be
// re-created at any time. The range is 32-bit: Max may exceed 65535.
#pragma once

#include "controls/control_common.h"
#include "controls/host_window.h"
#include "controls/property_store.h"
#include "controls/property_table.h"

#include <cstdint>

namespace vellumark::controls {

class ProgressBar : public HostWindow<ProgressBar> {
 public:
  static constexpr const wchar_t* kClassName = L"VellumarkProgressBar";
  static constexpr UINT kClassStyle = 0;

  // Creates the host and bar windows; Hwnd() is null when that failed.
  explicit ProgressBar(const Placement& placement);
  ~ProgressBar();

  // The persisted properties in the order they are written.
  static std::span<const Property<ProgressBar>> Properties();

  // Setters ignore values outside their range:
  //   Appearance, BorderStyle, Orientation, Scrolling: 0 or 1;
  //   Min: 0 <= Min < Max;  Max: > Min;  Value: Min..Max.
  // Orientation and Scrolling re-create the bar window.
  int Appearance() const { return appearance_; }     // 1: sunken edge
  void SetAppearance(int value);
  int BorderStyle() const { return borderStyle_; }   // 1: single-line border
  void SetBorderStyle(int value);
  HWND ControlHwnd() const { return bar_.get(); }
  std::uint32_t ForeColor() const { return foreColor_; }
  void SetForeColor(std::uint32_t value);
  std::int32_t Max() const { return max_; }
  void SetMax(std::int32_t value);
  std::int32_t Min() const { return min_; }
  void SetMin(std::int32_t value);
  int Orientation() const { return orientation_; }   // 1: vertical
  void SetOrientation(int value);
  int Scrolling() const { return scrolling_; }       // 1: smooth
  void SetScrolling(int value);
  std::int32_t Value() const { return value_; }
  void SetValue(std::int32_t value);

  void Refresh();

  // Keys "Appearance", "BorderStyle", "ForeColor", "Max", "Min",
  // "Orientation", "Scrolling", "Value". A stored value the setter would
  // ignore leaves the default.
  void ReadProperties(const PropertyStore& store);
  void WriteProperties(PropertyStore& store) const;

  PropertyChanged onPropertyChanged;

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) noexcept;

 private:
  template <class T>
  void Set(std::string_view key, T value, bool recreate);
  void Changed(std::string_view key, bool recreate);
  void Update(bool recreate);
  void CreateBar();

  win32::UniqueWindow bar_;
  int appearance_ = 0;
  int borderStyle_ = 0;
  std::uint32_t foreColor_ = 0;
  int max_ = 0;
  int min_ = 0;
  int orientation_ = 0;
  int scrolling_ = 0;
  int value_ = 0;
};

}  // namespace vellumark::controls
