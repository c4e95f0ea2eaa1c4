#pragma once
// MainWindow, described once and read by both front ends: the window's settings and its five
// controls in Tab order. Geometry is in pixels; the window size is its outer size, control
// positions are relative to the client area. Texts are UTF-8.

#include <array>
#include <string_view>

namespace zicha {

enum class ControlKind { kLabel, kEdit, kMultiLineReadOnlyEdit, kPushButton };

// The controls by name, in creation order (top left to bottom right).
enum class ControlId { k标签1, k编辑框1, k按钮1, k标签2, k编辑框2 };

struct ControlDescription {
  ControlId id;
  std::string_view name;
  ControlKind kind;
  int x, y, width, height;
  std::string_view initialText;
  int tabOrder;  // 1-based; 0: never takes the focus
};

struct WindowDescription {
  std::string_view title;
  int outerWidth, outerHeight;
  // Client area the controls need (at least); the front ends keep the outer size where they can.
  int minClientWidth, minClientHeight;
  std::array<ControlDescription, 5> controls;
};

inline constexpr WindowDescription kMainWindow = {
    "数据泄露自查:",
    373,
    312,
    344,
    264,
    {{
        {ControlId::k标签1, "标签1", ControlKind::kLabel, 22, 13, 48, 32, "邮箱:", 0},
        {ControlId::k编辑框1, "编辑框1", ControlKind::kEdit, 74, 13, 172, 30, "", 1},
        {ControlId::k按钮1, "按钮1", ControlKind::kPushButton, 270, 13, 72, 32, "查询", 2},
        {ControlId::k标签2, "标签2", ControlKind::kLabel, 22, 64, 56, 32, "查询结果:", 0},
        {ControlId::k编辑框2, "编辑框2", ControlKind::kMultiLineReadOnlyEdit, 24, 104, 320, 160, "", 3},
    }},
};

// Left/top of the window centred on a screen: (screen - outer) / 2, integer division.
inline int CentredOrigin(int screen, int outer) { return (screen - outer) / 2; }

// The control that follows `from` in Tab order (delta +1) or precedes it (-1), wrapping around;
// labels are skipped.
ControlId NextTabStop(ControlId from, int delta);

}  // namespace zicha
