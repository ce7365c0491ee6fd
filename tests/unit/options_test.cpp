// What the options pages decide without the windowing system.
#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <numeric>

#include "calendar/regions.h"
#include "settings_ui/options.h"

namespace {

// A record whose every word is distinct, with Madrid and its holidays.
CalendarSettings Distinct() {
  CalendarSettings s;
  std::iota(reinterpret_cast<uint32_t*>(&s), reinterpret_cast<uint32_t*>(&s + 1), 5000u);
  s.Community = 15, s.City = 1500, s.ShowOtherHolidays = 0, s.DrawFlag = 1, s.Changed = 0;
  CollectRegionHolidays(15, 1500, s.LocalHolidays);
  return s;
}

// The copy starts as the live record, Changed 0 in both; it goes back whole
// only when changed and the sheet ran (1 OK, 0 Cancel; -1 failed). The
// swatches are words 4..12 in order.
TEST(Options, TheCopyCommitsWholeOnlyWhenChangedAndTheSheetRan) {
  for (auto [sheetResult, changed, result] : {std::array{1, 1, 1}, {0, 1, 1}, {1, 0, 1}, {0, 0, 1}, {-1, 1, 0}}) {
    CalendarSettings live = Distinct(), copy;
    live.Changed = 77;
    BeginSettingsCopy(&live, &copy);
    EXPECT_TRUE(live.Changed == 0 && std::memcmp(&live, &copy, sizeof live) == 0);
    copy.Reserved0 = 2, copy.Reserved69 = 1, copy.Language = 4, copy.Changed = changed;
    const CalendarSettings before = live;
    EXPECT_EQ(EndSettingsCopy(sheetResult, copy, &live), result) << sheetResult;
    EXPECT_EQ(std::memcmp(&live, changed && result ? &copy : &before, sizeof live), 0) << sheetResult << changed;
  }
  CalendarSettings s = Distinct();
  for (int i = -1; i <= SwatchCount; ++i)
    EXPECT_EQ(SwatchColor(&s, i), i >= 0 && i < SwatchCount ? &s.WorkdayTextColor + i : nullptr) << i;
}

// The face name is at most its 32 bytes, even without a terminating zero,
// and the whole is cut to the buffer; a cell size is one the layout takes.
TEST(Options, FontDescriptionAndCellSize) {
  for (auto [points, face, size, expected] : {std::tuple{8, "MS Sans Serif", 64, "8 pto MS Sans Serif"},
                                              {12, "", 64, "12 pto "}, {-3, "DejaVu Sans", 64, "-3 pto DejaVu Sans"},
                                              {10, "DejaVu Sans", 9, "10 pto D"},
                                              {10, "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", 64, "10 pto ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"}}) {
    LogFont font{};
    std::memcpy(font.FaceName, face, std::strlen(face));
    char text[64];
    std::memset(text, 'x', sizeof text);
    FormatFontDescription(points, font, text, size);
    EXPECT_STREQ(text, expected) << face;
  }
  for (auto [width, height, fits] : {std::array{4, 4, 1}, {400, 400, 1}, {3, 20, 0}, {20, 3, 0}, {401, 20, 0}, {20, 401, 0}})
    EXPECT_EQ(CellSizeFits(width, height), fits) << width << "x" << height;
}

// Every city belongs to its own community and to no other; 0 is no city.
// Leaving the holidays page stores what differs and collects the own
// holidays again only for a new region.
TEST(Options, TheRegionChoiceStoresWhatDiffersAndCollectsOnlyForANewRegion) {
  for (int i = 0; i < RegionTableSize; ++i)
    for (int community = 0; community <= 21; ++community)
      EXPECT_EQ(CityOfCommunity(RegionTable[i].Code, community), RegionTable[i].Parent && community == RegionTable[i].Parent);
  EXPECT_EQ(CityOfCommunity(0, 1) + CityOfCommunity(9999, 15), 1);
  const int32_t K = NoSelection;  // a typed text that selects no entry
  const struct { RegionChoice choice; int32_t community, city, changed, collected; } cases[] = {
      {{0, 1, 15, 1500}, 15, 1500, 0, 0},  {{1, 1, 15, 1500}, 15, 1500, 1, 0},  // nothing; the other holidays
      {{0, 0, 15, 1500}, 15, 1500, 1, 0},  {{0, 1, 15, 0}, 15, 0, 1, 1},        // the flag; the city dropped
      {{0, 1, 13, 0}, 13, 0, 1, 1},        {{0, 1, 13, K}, 13, 0, 1, 1},        // Madrid's city is not of 13
      {{0, 1, K, K}, 15, 1500, 0, 0},      {{0, 1, K, 0}, 15, 0, 1, 1},
      {{0, 1, K, 500}, 15, 1500, 0, 0},    {{0, 1, 1, 0}, 1, 0, 1, 1},          // a city of another community
  };
  for (const auto& c : cases) {
    CalendarSettings s = Distinct();
    std::fill(std::begin(s.LocalHolidays), std::end(s.LocalHolidays), 999);  // seen only if not collected again
    int32_t expected[6] = {999, 999, 999, 999, 999, 999};
    if (c.collected) CollectRegionHolidays(c.community, c.city, expected);
    EXPECT_EQ(StoreRegionChoice(c.choice, &s), c.changed) << c.choice.Community << "/" << c.choice.City;
    EXPECT_EQ((std::array{s.Changed, s.Community, s.City, s.ShowOtherHolidays, s.DrawFlag}),
              (std::array{c.changed, c.community, c.city, c.choice.ShowOther, c.choice.DrawFlag}));
    EXPECT_EQ(std::memcmp(s.LocalHolidays, expected, sizeof expected), 0) << c.choice.Community << "/" << c.choice.City;
  }
}

}  // namespace
