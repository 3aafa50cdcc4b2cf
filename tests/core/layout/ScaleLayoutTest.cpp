#include "core/layout/ScaleLayout.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <map>
#include <optional>
#include <set>
#include <vector>

namespace kelvo {
namespace {

using P = GeometryProperty;

// A control with a free choice of missing and refused properties.
class FakeControl : public ScalableControl {
 public:
  FakeControl(long long top, long long left, long long height, long long width)
      : m_values{{P::Top, top}, {P::Left, left}, {P::Height, height}, {P::Width, width}} {}

  std::optional<long long> geometry(P p) const override {
    if (m_missing.count(p)) return std::nullopt;
    return m_values.at(p);
  }
  bool setGeometry(P p, long long twips) override {
    if (m_missing.count(p) || m_refused.count(p)) return false;
    m_values[p] = twips;
    return true;
  }

  long long value(P p) const { return m_values.at(p); }
  void lack(P p) { m_missing.insert(p); }
  void refuse(P p) { m_refused.insert(p); }

 private:
  std::map<P, long long> m_values;
  std::set<P> m_missing;
  std::set<P> m_refused;
};

constexpr std::array<P, 4> kAll = {P::Top, P::Left, P::Height, P::Width};

// Rounding to whole twips after each of three passes of factor s adds at most
// 0.5 * (s^2 + s + 1) twips to a property.
double PassRoundingBound(double step) { return 0.5 * (step * step + step + 1.0); }

std::vector<FakeControl> SampleControls() {
  return {{120, 345, 500, 1999}, {0, 7, 3, 1}, {4321, 11999, 285, 7777}};
}

std::vector<ScalableControl*> Pointers(std::vector<FakeControl>& controls) {
  std::vector<ScalableControl*> out;
  for (auto& c : controls) out.push_back(&c);
  return out;
}

TEST(ScaleLayout, SameWidthChangesNothing) {
  auto controls = SampleControls();
  auto before = SampleControls();
  auto ptrs = Pointers(controls);
  EXPECT_EQ(ScaleLayout(ptrs, 12000, 12000), 12000);
  for (std::size_t i = 0; i < controls.size(); ++i)
    for (P p : kAll) EXPECT_EQ(controls[i].value(p), before[i].value(p));
}

TEST(ScaleLayout, DoublingAndBack) {
  auto controls = SampleControls();
  const auto original = SampleControls();
  auto ptrs = Pointers(controls);

  long long reference = ScaleLayout(ptrs, 24000, 12000);
  EXPECT_EQ(reference, 24000);
  const double up = PassRoundingBound(std::cbrt(2.0));
  for (std::size_t i = 0; i < controls.size(); ++i)
    for (P p : kAll)
      EXPECT_NEAR(controls[i].value(p), 2.0 * original[i].value(p), up) << i;

  reference = ScaleLayout(ptrs, 12000, reference);
  EXPECT_EQ(reference, 12000);
  // The error of the way up halves on the way down, then the way down adds its own.
  const double back = up / 2.0 + PassRoundingBound(std::cbrt(0.5));
  for (std::size_t i = 0; i < controls.size(); ++i)
    for (P p : kAll) EXPECT_NEAR(controls[i].value(p), original[i].value(p), back) << i;
}

TEST(ScaleLayout, RefusedHeightKeepsWidth) {
  FakeControl combo(100, 200, 300, 400);
  combo.refuse(P::Height);
  std::array<ScalableControl*, 1> ptrs{&combo};
  ScaleLayout(ptrs, 24000, 12000);
  const double tol = PassRoundingBound(std::cbrt(2.0));
  EXPECT_NEAR(combo.value(P::Top), 200, tol);
  EXPECT_NEAR(combo.value(P::Left), 400, tol);
  EXPECT_EQ(combo.value(P::Height), 300);
  EXPECT_EQ(combo.value(P::Width), 400);
}

TEST(ScaleLayout, ControlWithoutTopUntouched) {
  FakeControl menuItem(100, 200, 300, 400);
  menuItem.lack(P::Top);
  FakeControl label(100, 200, 300, 400);
  std::array<ScalableControl*, 3> ptrs{&menuItem, nullptr, &label};
  ScaleLayout(ptrs, 24000, 12000);
  EXPECT_EQ(menuItem.value(P::Left), 200);
  EXPECT_EQ(menuItem.value(P::Height), 300);
  EXPECT_EQ(menuItem.value(P::Width), 400);
  // The controls after it are still scaled.
  EXPECT_NEAR(label.value(P::Width), 800, PassRoundingBound(std::cbrt(2.0)));
}

TEST(ScaleLayout, MissingWidthStillScalesTheRest) {
  FakeControl c(100, 200, 300, 400);
  c.lack(P::Width);
  std::array<ScalableControl*, 1> ptrs{&c};
  ScaleLayout(ptrs, 6000, 12000);
  const double tol = PassRoundingBound(std::cbrt(0.5));
  EXPECT_NEAR(c.value(P::Top), 50, tol);
  EXPECT_NEAR(c.value(P::Left), 100, tol);
  EXPECT_NEAR(c.value(P::Height), 150, tol);
}

// The graphics are cleared before each of the three passes.
TEST(ScaleLayout, ClearsGraphicsBeforeEachPass) {
  FakeControl c(1000, 0, 0, 0);
  std::array<ScalableControl*, 1> ptrs{&c};
  std::vector<long long> topAtClear;
  ScaleLayout(ptrs, 8 * 12000, 12000, [&] { topAtClear.push_back(c.value(P::Top)); });
  // Ratio 8: each pass doubles.
  EXPECT_EQ(topAtClear, (std::vector<long long>{1000, 2000, 4000}));
  EXPECT_EQ(c.value(P::Top), 8000);
}

struct ReferenceCase {
  const char* name;
  double width;
  long long reference;
};

class NewReferenceTable : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(NewReferenceTable, RoundedWidth) {
  FakeControl c(10, 10, 10, 10);
  std::array<ScalableControl*, 1> ptrs{&c};
  EXPECT_EQ(ScaleLayout(ptrs, GetParam().width, 12000), GetParam().reference);
}

INSTANTIATE_TEST_SUITE_P(Widths, NewReferenceTable,
                         ::testing::Values(ReferenceCase{"Below", 24000.4, 24000},
                                           ReferenceCase{"HalfToEvenDown", 24000.5, 24000},
                                           ReferenceCase{"HalfToEvenUp", 24001.5, 24002},
                                           ReferenceCase{"Above", 13000.6, 13001}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ScaleLayout, ZeroReferenceWidthLeavesControls) {
  FakeControl c(100, 200, 300, 400);
  std::array<ScalableControl*, 1> ptrs{&c};
  EXPECT_EQ(ScaleLayout(ptrs, 15000, 0), 15000);
  EXPECT_EQ(c.value(P::Top), 100);
  EXPECT_EQ(c.value(P::Width), 400);
  // With the new reference the next resize scales again.
  EXPECT_EQ(ScaleLayout(ptrs, 30000, 15000), 30000);
  EXPECT_NEAR(c.value(P::Width), 800, PassRoundingBound(std::cbrt(2.0)));
}

TEST(ScaleLayout, ZeroWindowWidthLeavesControls) {
  FakeControl c(100, 200, 300, 400);
  std::array<ScalableControl*, 1> ptrs{&c};
  ScaleLayout(ptrs, 0, 12000);
  EXPECT_EQ(c.value(P::Top), 100);
  EXPECT_EQ(c.value(P::Width), 400);
}

// One pass with step 0.5 puts every property on a half: ties go to the even neighbour.
TEST(ScaleControl, HalvesToEven) {
  FakeControl c(1, 3, 5, 7);
  ScaleControl(c, 0.5);
  EXPECT_EQ(c.value(P::Top), 0);
  EXPECT_EQ(c.value(P::Left), 2);
  EXPECT_EQ(c.value(P::Height), 2);
  EXPECT_EQ(c.value(P::Width), 4);
}

// A design of 800 × 340 pixels, scroll bars 15 pixels thick. Heights by hand: the design
// height times width / 800, rounded up (1185 wide: 340 · 1185 / 800 = 503.6 → 504).
TEST(SurfaceSizeFor, NeverNarrowerThanTheDesignAndScrollsInstead) {
  struct Case {
    const char* name;
    int viewWidth, viewHeight;
    SurfaceSize expected;
  };
  const Case cases[] = {
      {"the design size", 800, 340, {800, 340, false, false}},
      {"wider and taller: follows the width, fills the height", 1200, 600, {1200, 600, false, false}},
      {"wider but short: a vertical bar, the width follows what it leaves", 1200, 400,
       {1185, 504, false, true}},
      {"narrower (the pane beside it): design size, both bars", 420, 340, {800, 340, true, true}},
      {"narrower and tall: design width, fills the height above the bar", 420, 600,
       {800, 585, true, false}},
      {"a little wider but short: the bar leaves less than the design", 810, 300,
       {800, 340, true, true}},
  };
  for (const Case& c : cases) {
    const SurfaceSize s = SurfaceSizeFor(c.viewWidth, c.viewHeight, 800, 340, 15);
    EXPECT_EQ(s.width, c.expected.width) << c.name;
    EXPECT_EQ(s.height, c.expected.height) << c.name;
    EXPECT_EQ(s.horizontalBar, c.expected.horizontalBar) << c.name;
    EXPECT_EQ(s.verticalBar, c.expected.verticalBar) << c.name;
  }
}

}  // namespace
}  // namespace kelvo
