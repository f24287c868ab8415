// sortRecords of survey-point records by a text field, against std::stable_sort of a vector of
// record pointers with the same comparison, and against the floor of this job: std::stable_sort
// of the values copied out into contiguous (text, record) pairs, at doubling sizes.
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include <benchmark/benchmark.h>

#include "records/records.h"

namespace {

const char* const kField = "desc";

// n point records (north, east, elev, desc) in a fixed random order, kept for the whole run.
class PointRecords {
public:
  explicit PointRecords(int n) {
    static const char* const codes[] = {"TREE", "MH", "FH", "EP", "BLDG", "CL", "tbm", "Fence_"};
    std::mt19937 random(20240601u + static_cast<unsigned>(n));
    char text[64];
    for (int i = 0; i < n; ++i) {
      auto* record = new qv::QvUniRecord;
      record->setId(std::to_string(i + 1).c_str());
      record->setFieldReal("north", 5000.0 + (random() % 1000000) / 1000.0, 0, "real");
      record->setFieldReal("east", 2000.0 + (random() % 1000000) / 1000.0, 0, "real");
      record->setFieldReal("elev", 100.0 + (random() % 50000) / 1000.0, 0, "real");
      std::snprintf(text, sizeof text, "%s %u", codes[random() % 8],
                    static_cast<unsigned>(random() % 100000));
      record->setField(kField, text, 0, nullptr);
      records_.push_back(record);
    }
    std::shuffle(records_.begin(), records_.end(), random);
  }
  ~PointRecords() {
    for (qv::IQvUniRecord* record : records_) {
      record->setNext(nullptr);
      record->release();
    }
  }
  // Links the records into one chain in their fixed order and returns its head.
  qv::IQvUniRecord* chain() const {
    for (size_t i = 0; i + 1 < records_.size(); ++i) {
      records_[i]->setNext(records_[i + 1]);
    }
    records_.back()->setNext(nullptr);
    return records_.front();
  }
  const std::vector<qv::IQvUniRecord*>& records() const { return records_; }

  static const PointRecords& of(int n) {
    static std::map<int, std::unique_ptr<PointRecords>> made;
    std::unique_ptr<PointRecords>& slot = made[n];
    if (!slot) {
      slot = std::make_unique<PointRecords>(n);
    }
    return *slot;
  }

private:
  std::vector<qv::IQvUniRecord*> records_;
};

bool lessByField(const qv::IQvUniRecord* a, const qv::IQvUniRecord* b) {
  return a->compareByField(b, kField, 0) < 0;
}

// The order std::stable_sort gives, to check the chain against once before timing.
std::vector<qv::IQvUniRecord*> expectedOrder(const PointRecords& points) {
  std::vector<qv::IQvUniRecord*> order = points.records();
  std::stable_sort(order.begin(), order.end(), lessByField);
  return order;
}

void BM_SortRecords_TextField(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const PointRecords& points = PointRecords::of(n);
  {
    qv::IQvUniRecord* head = points.chain();
    qv::sortRecords(&head, kField, 0);
    const std::vector<qv::IQvUniRecord*> expected = expectedOrder(points);
    size_t i = 0;
    for (qv::IQvUniRecord* r = head; r != nullptr; r = r->next(), ++i) {
      if (i >= expected.size() || r != expected[i]) {
        state.SkipWithError("sortRecords gave another order than std::stable_sort");
        return;
      }
    }
    if (i != expected.size()) {
      state.SkipWithError("sortRecords lost records");
      return;
    }
  }
  for (auto _ : state) {
    state.PauseTiming();
    qv::IQvUniRecord* head = points.chain();
    state.ResumeTiming();
    qv::sortRecords(&head, kField, 0);
    benchmark::DoNotOptimize(head);
  }
  state.SetItemsProcessed(state.iterations() * n);
}

void BM_StableSortPointers_TextField(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const PointRecords& points = PointRecords::of(n);
  std::vector<qv::IQvUniRecord*> order;
  for (auto _ : state) {
    state.PauseTiming();
    order = points.records();
    state.ResumeTiming();
    std::stable_sort(order.begin(), order.end(), lessByField);
    benchmark::DoNotOptimize(order.data());
  }
  state.SetItemsProcessed(state.iterations() * n);
}

// The values taken out once (the copy is timed) and sorted with compareNatural, as sortRecords
// compares them.
void BM_StableSortContiguousValues_TextField(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const PointRecords& points = PointRecords::of(n);
  struct Pair {
    std::string text;
    qv::IQvUniRecord* record;
  };
  std::vector<Pair> pairs;
  for (auto _ : state) {
    pairs.clear();
    pairs.reserve(points.records().size());
    for (qv::IQvUniRecord* record : points.records()) {
      const char* value = "";
      for (const qv::IQvUniField* f = record->firstField(); f != nullptr; f = f->next()) {
        if (std::strcmp(f->getName(), kField) == 0) {
          value = f->getValue();
          break;
        }
      }
      pairs.push_back({value, record});
    }
    std::stable_sort(pairs.begin(), pairs.end(), [](const Pair& a, const Pair& b) {
      return qv::compareNatural(a.text.data(), a.text.size(), b.text.data(), b.text.size()) < 0;
    });
    benchmark::DoNotOptimize(pairs.data());
  }
  state.SetItemsProcessed(state.iterations() * n);
}

BENCHMARK(BM_SortRecords_TextField)
    ->Arg(125000)
    ->Arg(250000)
    ->Arg(500000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StableSortContiguousValues_TextField)
    ->Arg(125000)
    ->Arg(250000)
    ->Arg(500000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StableSortPointers_TextField)
    ->Arg(125000)
    ->Arg(250000)
    ->Arg(500000)
    ->Arg(1000000)
    ->Unit(benchmark::kMillisecond);

} // namespace
