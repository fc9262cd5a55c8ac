// TranslateColor against the system's own OleTranslateColor.
#include "support/win32/system_colors.h"

#include "support/win32/windows_gate.h"

#include <ole2.h>
#include <olectl.h>

#include <gtest/gtest.h>

namespace vellumark {
namespace {

std::int32_t SystemTranslation(std::uint32_t clr) {
  COLORREF result = 0;
  return SUCCEEDED(::OleTranslateColor(clr, nullptr, &result)) ? static_cast<std::int32_t>(result) : -1;
}

TEST(TranslateColor, AgreesWithTheSystemOnEveryForm) {
  const std::uint32_t samples[] = {0x00000000, 0x00FFFFFF, 0x00123456, 0x01000003, 0x02ABCDEF, 0x03000000,
                                   0x7F000000, 0x80000000, 0x80000005, 0x8000000F, 0x8000001E, 0x8000001F,
                                   0x80000100, 0x8012341E, 0x801234FF, 0x81000000, 0xFFFFFFFF};
  for (const std::uint32_t clr : samples) EXPECT_EQ(TranslateColor(clr), SystemTranslation(clr)) << std::hex << clr;
}

}  // namespace
}  // namespace vellumark
