#pragma once
// What the preview window shows of a counted run: a row for every step in
// run order with what it would remove and its size, a row below it for each
// key, refused folder, skipped browser and file the run would fail on, and
// the totals. A click on the list's header sorts the steps by size, largest
// first; the next click puts them back in run order.

#include <cstdint>
#include <string>
#include <vector>

#include "engine/run_steps.h"

namespace vantrel {

// Sizes as people read them: "512 B", "1.5 KB", "20.3 MB", "1,234.5 GB"
// (units of 1,024, one decimal, rounded down so that a size never reads
// larger than it is).
std::string ReadableSize(std::uint64_t bytes);

struct PreviewRow {
  std::string step;  // the step's name on its first row, empty below it
  std::string what;
  std::string size;  // empty where nothing the step removes has a size
  bool operator==(const PreviewRow& other) const {
    return step == other.step && what == other.what && size == other.size;
  }
};

class PreviewTable {
 public:
  enum class Order { kRun, kLargestFirst };

  explicit PreviewTable(std::vector<StepTally> steps = {});

  void ToggleOrder();
  Order order() const { return order_; }

  std::vector<PreviewRow> Rows() const;
  const RemovalTally& Total() const { return total_; }
  // Two lines: what would go, then what would stay.
  std::string TotalsText() const;
  bool Empty() const { return steps_.empty(); }

  // The bytes a step frees: its files and the Recycle Bin.
  static std::uint64_t BytesOf(const RemovalTally& tally);

 private:
  std::vector<StepTally> steps_;
  RemovalTally total_;
  Order order_ = Order::kRun;
};

}  // namespace vantrel
