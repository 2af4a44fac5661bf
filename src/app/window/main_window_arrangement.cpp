#include "app/window/main_window_arrangement.h"

#include <algorithm>
#include <limits>
#include <vector>

#include "app/row_fit.h"

namespace quorvane {

namespace {

using window_layout::kHeight;
using window_layout::kWidth;

// Figures at 96 DPI, as the layout's.
constexpr int kRowEndMargin = 24;        // kept free right of a row
constexpr int kMinimumGridHeight = 120;  // the title row and a few results
constexpr int kPanelClearance = 6;       // between the panel's lowest control and the bottom row

enum class Placement { HeaderFrame, HeaderRow, Grid, BottomRow, Panel, InPanel };

Placement placementOf(const ControlLayout& c) {
  if (c.parent == ControlParent::Panel) return Placement::InPanel;
  if (c.parent == ControlParent::Header) return Placement::HeaderRow;
  switch (c.name) {
    case Control::分组框1:
      return Placement::HeaderFrame;
    case Control::高级表格1:
      return Placement::Grid;
    case Control::图片框1:
      return Placement::Panel;
    default:
      // The window's own labels and buttons: 透明标签3 stands in the header,
      // the others below the grid.
      return c.top < layoutOf(Control::高级表格1).top ? Placement::HeaderRow : Placement::BottomRow;
  }
}

// The controls that may narrow in a squeezed row, and how far.
int minimumWidthOf(Control c, int width) {
  switch (c) {
    case Control::关键词输入框:
      return 200;
    case Control::旺旺输入框:
    case Control::联系旺旺列表框:
      return 120;
    default:
      return width;
  }
}

// One row of controls, in the window's coordinates (header controls are
// placed in the header frame, which starts left of the window's edge).
struct Row {
  std::vector<Control> controls;
  std::vector<int> offsets;  // from the control's parent to the window
  std::vector<RowItem> items;

  void add(Control c, const ControlBox& box, int offset, DpiScale scale) {
    controls.push_back(c);
    offsets.push_back(offset);
    items.push_back({box.left + offset, box.width, scale(minimumWidthOf(c, layoutOf(c).width))});
  }
};

Row rowOf(Placement placement, const std::array<ControlBox, kControlCount>& boxes, DpiScale scale) {
  const int headerLeft = boxes[indexOf(Control::分组框1)].left;
  Row row;
  for (const ControlLayout& c : mainWindowLayout())
    if (placementOf(c) == placement)
      row.add(c.name, boxes[indexOf(c.name)], c.parent == ControlParent::Header ? headerLeft : 0, scale);
  return row;  // the layout lists each row left to right
}

void fitRowInto(const Row& row, int right, std::array<ControlBox, kControlCount>& boxes) {
  std::vector<RowItem> fitted = fitRow(row.items, right);
  for (size_t i = 0; i < fitted.size(); ++i) {
    ControlBox& box = boxes[indexOf(row.controls[i])];
    box.left = fitted[i].left - row.offsets[i];
    box.width = fitted[i].width;
  }
}

std::array<ControlBox, kControlCount> scaledLayout(DpiScale scale) {
  std::array<ControlBox, kControlCount> boxes{};
  for (const ControlLayout& c : mainWindowLayout()) boxes[indexOf(c.name)] = scaledBox(c, scale);
  boxes[indexOf(Control::图片框1)].left = scale(window_layout::kPanelHiddenLeft);
  return boxes;
}

int panelContentBottom(const std::array<ControlBox, kControlCount>& boxes) {
  int bottom = 0;
  for (const ControlLayout& c : mainWindowLayout())
    if (c.parent == ControlParent::Panel)
      bottom = std::max(bottom, boxes[indexOf(c.name)].top + boxes[indexOf(c.name)].height);
  return bottom;
}

int rowTop(const Row& row, const std::array<ControlBox, kControlCount>& boxes) {
  int top = std::numeric_limits<int>::max();
  for (Control c : row.controls) top = std::min(top, boxes[indexOf(c)].top);
  return top;
}

// The panel's own top, or higher where a short window brings the bottom row
// up over its lowest controls; never above the window's top.
int panelTop(const std::array<ControlBox, kControlCount>& boxes, const Row& bottomRow, DpiScale scale) {
  const int ownTop = boxes[indexOf(Control::图片框1)].top;
  const int clearTop = rowTop(bottomRow, boxes) - scale(kPanelClearance) - panelContentBottom(boxes);
  return std::max(0, std::min(ownTop, clearTop));
}

// The client area the layout's figures are drawn in: the window's own outer
// size less the frame.
SIZE ownClientSize(DpiScale scale, SIZE frame) {
  const SIZE outer = mainWindowSize(scale);
  return {outer.cx - frame.cx, outer.cy - frame.cy};
}

}  // namespace

SIZE mainWindowSize(DpiScale scale) { return {scale(kWidth), scale(kHeight + window_layout::kStatusBarHeight)}; }

bool standsInBottomRow(const ControlLayout& layout) { return placementOf(layout) == Placement::BottomRow; }

MainWindowArrangement arrangeMainWindow(DpiScale scale, SIZE client, SIZE frame) {
  MainWindowArrangement arrangement;
  auto& boxes = arrangement.boxes;
  boxes = scaledLayout(scale);
  const SIZE own = ownClientSize(scale, frame);
  const int wider = client.cx - own.cx, taller = client.cy - own.cy;

  for (const ControlLayout& c : mainWindowLayout()) {
    ControlBox& box = boxes[indexOf(c.name)];
    switch (placementOf(c)) {
      case Placement::HeaderFrame:
        box.width += wider;
        break;
      case Placement::Grid:
        // The layout's grid is as wide as its window's client area, whatever
        // the frame around it takes.
        box.width = client.cx - box.left;
        box.height += taller;
        break;
      case Placement::BottomRow:
        box.top += taller;
        break;
      case Placement::Panel:
        box.left += wider;
        break;
      case Placement::HeaderRow:
      case Placement::InPanel:
        break;
    }
  }
  const int rowRight = client.cx - scale(kRowEndMargin);
  fitRowInto(rowOf(Placement::HeaderRow, boxes, scale), rowRight, boxes);
  Row bottomRow = rowOf(Placement::BottomRow, boxes, scale);
  fitRowInto(bottomRow, rowRight, boxes);

  arrangement.panelShownLeft = client.cx - boxes[indexOf(Control::图片框1)].width;
  boxes[indexOf(Control::图片框1)].top = panelTop(boxes, bottomRow, scale);
  const int bar = scale(window_layout::kStatusBarHeight);
  arrangement.statusBar = {0, client.cy - bar, client.cx, bar};
  return arrangement;
}

// The width: both rows squeezed as far as they go. The height: a few rows of
// the grid, and room for the region panel's controls above the bottom row
// (the panel rising to the window's top).
SIZE mainWindowMinimumClientSize(DpiScale scale, SIZE frame) {
  const auto boxes = scaledLayout(scale);
  int rowEnd = 0;
  for (Placement placement : {Placement::HeaderRow, Placement::BottomRow})
    rowEnd = std::max(rowEnd, narrowestRowEnd(rowOf(placement, boxes, scale).items));
  const int ownHeight = ownClientSize(scale, frame).cy;
  const int gridShrink = boxes[indexOf(Control::高级表格1)].height - scale(kMinimumGridHeight);
  const int panelShrink = rowTop(rowOf(Placement::BottomRow, boxes, scale), boxes) - scale(kPanelClearance) -
                          panelContentBottom(boxes);
  return {rowEnd + scale(kRowEndMargin), ownHeight - std::min(gridShrink, panelShrink)};
}

}  // namespace quorvane
