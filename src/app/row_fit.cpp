#include "app/row_fit.h"

#include <algorithm>

namespace quorvane {

namespace {

int rowEnd(std::span<const RowItem> row) {
  return row.empty() ? 0 : row.back().left + row.back().width;
}

// Shares `total` out over parts in proportion to their weights. Each part's
// share is the difference of rounded running totals, so the shares add up
// to `total` exactly and none is larger than its weight.
std::vector<int> shareOut(std::span<const int> weights, int total) {
  long long weightSum = 0;
  for (int weight : weights) weightSum += weight;
  std::vector<int> shares(weights.size(), 0);
  if (weightSum == 0) return shares;
  long long runningWeight = 0, given = 0;
  for (size_t i = 0; i < weights.size(); ++i) {
    runningWeight += weights[i];
    const long long upToHere = (runningWeight * total + weightSum / 2) / weightSum;
    shares[i] = static_cast<int>(upToHere - given);
    given = upToHere;
  }
  return shares;
}

std::vector<int> gapsOf(std::span<const RowItem> row) {
  std::vector<int> gaps;
  int end = 0;
  for (const RowItem& item : row) {
    gaps.push_back(std::max(0, item.left - end));
    end = item.left + item.width;
  }
  return gaps;
}

int shrinkableGap(std::span<const int> gaps) {
  int shrinkable = 0;
  for (int gap : gaps) shrinkable += gap - (gap * kMinimumGapPercent + 99) / 100;
  return shrinkable;
}

}  // namespace

int narrowestRowEnd(std::span<const RowItem> row) {
  int end = rowEnd(row);
  for (const RowItem& item : row) end -= item.width - std::min(item.width, item.minimumWidth);
  return end - shrinkableGap(gapsOf(row));
}

std::vector<RowItem> fitRow(std::span<const RowItem> row, int right) {
  std::vector<RowItem> fitted(row.begin(), row.end());
  int excess = rowEnd(row) - right;
  if (excess <= 0) return fitted;

  std::vector<int> slack;
  for (const RowItem& item : row) slack.push_back(item.width - std::min(item.width, item.minimumWidth));
  int slackSum = 0;
  for (int s : slack) slackSum += s;
  const int narrowing = std::min(excess, slackSum);
  std::vector<int> narrowed = shareOut(slack, narrowing);
  excess -= narrowing;

  std::vector<int> gaps = gapsOf(row);
  std::vector<int> gapSlack;
  for (int gap : gaps) gapSlack.push_back(gap - (gap * kMinimumGapPercent + 99) / 100);
  std::vector<int> closed = shareOut(gapSlack, std::min(excess, shrinkableGap(gaps)));

  int end = 0;
  for (size_t i = 0; i < fitted.size(); ++i) {
    fitted[i].left = end + gaps[i] - closed[i];
    fitted[i].width -= narrowed[i];
    end = fitted[i].left + fitted[i].width;
  }
  return fitted;
}

}  // namespace quorvane
