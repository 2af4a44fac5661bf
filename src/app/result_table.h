#pragma once
// The contents of the result grid: 10 001 rows of 9 cells (row 0 holds the
// titles), each with its text, text format and colours; column 0 holds the
// ticks. The window draws from it; the search worker writes into it from its
// own thread, so every access takes the table's lock, and a change listener
// (called outside the lock) lets the window redraw the rows that changed.
#include <cstdint>
#include <functional>
#include <mutex>
#include <vector>

#include "text/text.h"

namespace quorvane {

using Colour = std::uint32_t;  // 0x00BBGGRR, as Windows colour values

constexpr Colour rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }
constexpr Colour kWhite = rgb(255, 255, 255);
constexpr Colour kBlack = rgb(0, 0, 0);
constexpr Colour kContactedGrey = rgb(220, 220, 220);
constexpr Colour kOnlineGreen = rgb(0, 139, 69);

// First row, first column, last row, last column; all inclusive.
struct CellRange {
  int firstRow;
  int firstColumn;
  int lastRow;
  int lastColumn;
};

struct Cell {
  LocalText text;
  bool tick = false;  // column 0 only
  Colour background = kWhite;
  Colour textColour = kBlack;
  unsigned textFormat = 0;  // DrawText flags
};

class ResultTable {
 public:
  static constexpr int kRowCount = 10001;
  static constexpr int kColumnCount = 9;
  static constexpr int kTickColumn = 0;
  using ChangeListener = std::function<void(int firstRow, int lastRow)>;

  ResultTable();

  int rowCount() const { return kRowCount; }

  // Out-of-range rows or columns are ignored on write and read as empty.
  void setText(int row, int column, LocalText text);
  LocalText text(int row, int column) const;
  void setTick(int row, bool ticked);
  bool tick(int row) const;
  Cell cell(int row, int column) const;

  void setBackground(CellRange range, Colour colour);
  void setTextColour(CellRange range, Colour colour);
  void setTextFormat(CellRange range, unsigned format);
  // Empties texts and ticks; colours and formats stay.
  void clear(CellRange range);

  void setChangeListener(ChangeListener listener);

 private:
  template <typename Edit>
  void editRange(CellRange range, Edit edit);
  void notify(int firstRow, int lastRow) const;
  static bool inside(int row, int column);

  mutable std::mutex mutex_;
  std::vector<Cell> cells_;
  ChangeListener listener_;
};

}  // namespace quorvane
