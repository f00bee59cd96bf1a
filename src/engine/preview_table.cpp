#include "engine/preview_table.h"

#include <algorithm>
#include <numeric>

namespace vantrel {

namespace {

bool HasSize(const RemovalTally& tally) {
  return tally.files > 0 || (tally.recycleBinVisited && tally.recycleBinKnown);
}

void AddStepRows(const StepTally& step, std::vector<PreviewRow>& rows) {
  const RemovalTally& tally = step.tally;
  rows.push_back(PreviewRow{step.name, DescribeRemovals(tally, RemovalWording::kCountsOnly),
                            HasSize(tally) ? ReadableSize(PreviewTable::BytesOf(tally)) : ""});
  for (const auto& [key, count] : tally.valuesPerKey) {
    rows.push_back(PreviewRow{"", "  " + key + ": 값 " + CountOf(count, "개"), ""});
  }
  if (tally.filesLeft > 0) {
    rows.push_back(PreviewRow{"", "  지울 수 없는 파일 " + CountOf(tally.filesLeft, "개"), ""});
  }
  for (const RefusedFolder& refused : tally.refusedFolders) {
    rows.push_back(PreviewRow{"", "  거부: " + refused.folder + " (" + refused.reason + ")", ""});
  }
  for (const std::string& browser : tally.skippedBrowsers) {
    rows.push_back(PreviewRow{"", "  건너뜀: " + browser + " (실행 중)", ""});
  }
}

}  // namespace

std::string ReadableSize(std::uint64_t bytes) {
  if (bytes < 1024) return std::to_string(bytes) + " B";
  const char* const units[] = {"KB", "MB", "GB"};
  std::uint64_t unit = 1024;
  std::size_t index = 0;
  while (index + 1 < std::size(units) && bytes >= unit * 1024) {
    unit *= 1024;
    ++index;
  }
  const std::uint64_t whole = bytes / unit;
  const std::uint64_t tenth = (bytes % unit) * 10 / unit;
  return GroupedNumber(whole) + "." + std::to_string(tenth) + " " + units[index];
}

PreviewTable::PreviewTable(std::vector<StepTally> steps) : steps_(std::move(steps)) {
  for (const StepTally& step : steps_) total_.Add(step.tally);
}

std::uint64_t PreviewTable::BytesOf(const RemovalTally& tally) {
  const bool binKnown = tally.recycleBinVisited && tally.recycleBinKnown;
  return tally.bytes + (binKnown ? static_cast<std::uint64_t>(tally.recycleBinBytes) : 0);
}

void PreviewTable::ToggleOrder() {
  order_ = order_ == Order::kRun ? Order::kLargestFirst : Order::kRun;
}

std::vector<PreviewRow> PreviewTable::Rows() const {
  std::vector<std::size_t> order(steps_.size());
  std::iota(order.begin(), order.end(), 0);
  if (order_ == Order::kLargestFirst) {
    // Steps of the same size keep their run order.
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
      return BytesOf(steps_[a].tally) > BytesOf(steps_[b].tally);
    });
  }
  std::vector<PreviewRow> rows;
  for (std::size_t index : order) AddStepRows(steps_[index], rows);
  return rows;
}

std::string PreviewTable::TotalsText() const {
  std::string gone = "합계: 파일 " + CountOf(total_.files, "개") + " (" + ReadableSize(total_.bytes) +
                     "), 캐시 항목 " + CountOf(total_.CacheEntries(), "개") + ", 레지스트리 값 " +
                     CountOf(total_.values, "개");
  if (total_.recycleBinVisited) {
    gone += total_.recycleBinKnown
                ? ", 휴지통 " + CountOf(total_.recycleBinItems, "개") + " (" +
                      ReadableSize(static_cast<std::uint64_t>(total_.recycleBinBytes)) + ")"
                : std::string(", 휴지통 크기 모름");
  }
  const std::string kept =
      "남는 것: 지울 수 없는 파일 " + CountOf(total_.filesLeft, "개") + ", 거부된 폴더 " +
      CountOf(static_cast<std::int64_t>(total_.refusedFolders.size()), "곳") +
      ", 건너뛴 브라우저 " + CountOf(static_cast<std::int64_t>(total_.skippedBrowsers.size()), "개");
  return gone + "\n" + kept;
}

}  // namespace vantrel
