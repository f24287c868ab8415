// acedSSGet over drawings of 100,000 and 1,000,000 entities, by a filter of layer, type and a
// wild-card text ("X") and by a window ("W"), against the floor of the job: a plain loop over the
// same entities' group lists (the stand-in's own groups, read as the selection reads them) making
// the same tests by hand, with nothing general about it and no set built.
#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <random>
#include <vector>

#include <benchmark/benchmark.h>

#include "platform/acad/acedads.h"
#include "platform/acad/acutads.h"
#include "platform/acad/dbapserv.h"
#include "platform/acad/internal/entity_store.h"
#include "platform/acad/internal/wildcard_match.h"
#include "platform/sim.h"
#include "platform/win/string_win.h"

namespace {

constexpr double kWindowLow[2] = {0.0, 0.0};
constexpr double kWindowHigh[2] = {300.0, 300.0};
constexpr double kTextHeight = 2.0;

// A drawing of n lines, circles and texts on ten layers, spread over 1000 x 1000, made once per
// size for the whole run (sizes are run in order, so one drawing lives at a time).
AcDbDatabase* drawing(int n) {
  static int made = 0;
  if (made != n) {
    sim::reset();
    AcDbDatabase* db = acdbHostApplicationServices()->workingDatabase();
    std::mt19937 random(20261207u);
    char layer[8], text[32];
    for (int i = 0; i < n; ++i) {
      std::snprintf(layer, sizeof layer, "L%d", static_cast<int>(random() % 10));
      const ads_point a = {random() % 1000000 / 1000.0, random() % 1000000 / 1000.0, 0};
      const ads_point b = {a[0] + random() % 5000 / 1000.0, a[1] + random() % 5000 / 1000.0, 0};
      resbuf* list = nullptr;
      switch (i % 3) {
      case 0:
        list = acutBuildList(RTDXF0, "LINE", 8, layer, 10, a, 11, b, RTNONE);
        break;
      case 1:
        list = acutBuildList(RTDXF0, "CIRCLE", 8, layer, 10, a, 40, 1.0 + random() % 3, RTNONE);
        break;
      default:
        std::snprintf(text, sizeof text, "LOT %u", static_cast<unsigned>(random() % 1000));
        list = acutBuildList(RTDXF0, "TEXT", 8, layer, 10, a, 40, kTextHeight, 1, text, RTNONE);
      }
      AcDbObjectId id;
      makeEntityFromList(*db, list, id);
      acutRelRb(list);
    }
    made = n;
  }
  return acdbHostApplicationServices()->workingDatabase();
}

resbuf* layerTypeTextFilter() {
  return acutBuildList(8, "l3", RTDXF0, "TEXT", 1, "LOT 1*", RTNONE);
}

int32_t selectAndFree(const char* mode, const void* p1, const void* p2, const resbuf* filter) {
  ads_name set;
  if (acedSSGet(mode, p1, p2, filter, set) != RTNORM) {
    return 0;
  }
  int32_t length = 0;
  acedSSLength(set, &length);
  acedSSFree(set);
  return length;
}

const sim::detail::EntityGroup* groupOf(const sim::detail::EntityGroups& groups, int code) {
  for (const sim::detail::EntityGroup& group : groups) {
    if (group.code == code) {
      return &group;
    }
  }
  return nullptr;
}

// The plain loop's filter: the same layer, type and text tests written out.
int32_t loopFilter(AcDbDatabase& db) {
  const sim::detail::WildcardPattern text("LOT 1*");
  sim::detail::EntityGroups groups;
  int32_t found = 0;
  sim::detail::forEachEntity(db, [&](AcDbObjectId, const AcDbEntity& entity) {
    sim::detail::entityGroups(entity, groups);
    const sim::detail::EntityGroup* layer = groupOf(groups, 8);
    const sim::detail::EntityGroup* type = groupOf(groups, 0);
    const sim::detail::EntityGroup* contents = groupOf(groups, 1);
    found += layer && type && contents && _stricmp(layer->text.c_str(), "L3") == 0 &&
             _stricmp(type->text.c_str(), "TEXT") == 0 && text.matches(contents->text);
    return true;
  });
  return found;
}

bool inWindow(double x, double y) {
  return x >= kWindowLow[0] && x <= kWindowHigh[0] && y >= kWindowLow[1] && y <= kWindowHigh[1];
}

// The plain loop's window: each type's extents by hand (the same outline rules).
int32_t loopWindow(AcDbDatabase& db) {
  sim::detail::EntityGroups groups;
  int32_t found = 0;
  sim::detail::forEachEntity(db, [&](AcDbObjectId, const AcDbEntity& entity) {
    sim::detail::entityGroups(entity, groups);
    const std::string& type = groupOf(groups, 0)->text;
    const double* a = groupOf(groups, 10)->values;
    if (type == "LINE") {
      const double* b = groupOf(groups, 11)->values;
      found += inWindow(a[0], a[1]) && inWindow(b[0], b[1]);
    } else if (type == "CIRCLE") {
      const double r = groupOf(groups, 40)->values[0];
      found += inWindow(a[0] - r, a[1] - r) && inWindow(a[0] + r, a[1] + r);
    } else {
      const double width = groupOf(groups, 1)->text.size() * 0.8 * kTextHeight;
      found += inWindow(a[0], a[1]) && inWindow(a[0] + width, a[1] + kTextHeight);
    }
    return true;
  });
  return found;
}

void BM_SSGetFilter(benchmark::State& state) {
  AcDbDatabase& db = *drawing(static_cast<int>(state.range(0)));
  resbuf* filter = layerTypeTextFilter();
  if (selectAndFree("X", nullptr, nullptr, filter) != loopFilter(db)) {
    state.SkipWithError("acedSSGet and the loop selected different entities");
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(selectAndFree("X", nullptr, nullptr, filter));
  }
  acutRelRb(filter);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_LoopFilter(benchmark::State& state) {
  AcDbDatabase& db = *drawing(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(loopFilter(db));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_SSGetWindow(benchmark::State& state) {
  AcDbDatabase& db = *drawing(static_cast<int>(state.range(0)));
  const ads_point low = {kWindowLow[0], kWindowLow[1], 0},
                  high = {kWindowHigh[0], kWindowHigh[1], 0};
  if (selectAndFree("W", low, high, nullptr) != loopWindow(db)) {
    state.SkipWithError("acedSSGet and the loop selected different entities");
  }
  for (auto _ : state) {
    benchmark::DoNotOptimize(selectAndFree("W", low, high, nullptr));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

void BM_LoopWindow(benchmark::State& state) {
  AcDbDatabase& db = *drawing(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    benchmark::DoNotOptimize(loopWindow(db));
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}

// Size by size, so that each drawing is made once in a plain run.
BENCHMARK(BM_SSGetFilter)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoopFilter)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SSGetWindow)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoopWindow)->Arg(100000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SSGetFilter)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoopFilter)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_SSGetWindow)->Arg(1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoopWindow)->Arg(1000000)->Unit(benchmark::kMillisecond);

} // namespace
