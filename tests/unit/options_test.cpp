#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <numeric>

#include "calendar/regions.h"
#include "settings_ui/options.h"

namespace {

// A record whose every word is distinct, with a usable region.
CalendarSettings Distinct() {
  uint32_t words[70];
  std::iota(words, words + 70, 5000u);
  CalendarSettings s;
  std::memcpy(&s, words, sizeof s);
  s.Community = 15, s.City = 1500, s.ShowOtherHolidays = 0, s.DrawFlag = 1, s.Changed = 0;
  CollectRegionHolidays(15, 1500, s.LocalHolidays);
  return s;
}

}  // namespace

// The copy starts as the live record with Changed 0; it goes back whole
// only when changed and the sheet ran, accepted or cancelled.
TEST(OptionsCopy, CommitsTheWholeCopyOnlyWhenChangedAndTheSheetRan) {
  struct Case {
    intptr_t SheetResult;  // PropertySheet: 1 OK, 0 Cancel, -1 error
    int32_t CopyChanged;
    int Result;
    bool Committed;
  };
  const Case cases[] = {{1, 1, 1, true}, {0, 1, 1, true}, {1, 0, 1, false}, {0, 0, 1, false}, {-1, 1, 0, false}};
  for (const Case& c : cases) {
    CalendarSettings live = Distinct(), copy;
    live.Changed = 77;
    BeginSettingsCopy(&live, &copy);
    EXPECT_EQ(copy.Changed, 0);
    EXPECT_EQ(live.Changed, 0);
    copy.Changed = 0;
    EXPECT_EQ(std::memcmp(&live, &copy, sizeof live), 0) << "all 70 words copied";
    copy.Reserved69 = 1, copy.Reserved0 = 2, copy.Language = 4, copy.Changed = c.CopyChanged;
    const CalendarSettings before = live;
    EXPECT_EQ(EndSettingsCopy(c.SheetResult, copy, &live), c.Result) << c.SheetResult;
    EXPECT_EQ(std::memcmp(&live, c.Committed ? &copy : &before, sizeof live), 0) << c.SheetResult << c.CopyChanged;
    EXPECT_EQ(live.Changed, c.Committed ? 1 : 0);
  }
}

TEST(OptionsCopy, SwatchesMapToWordsFourToTwelve) {
  CalendarSettings s = Distinct();
  const uint32_t* words = reinterpret_cast<const uint32_t*>(&s);
  for (int i = 0; i < SwatchCount; ++i) EXPECT_EQ(SwatchColor(&s, i), &words[4 + i]) << i;
  EXPECT_EQ(SwatchColor(&s, -1), nullptr);
  EXPECT_EQ(SwatchColor(&s, SwatchCount), nullptr);
}

TEST(FontDescription, PointsAndFaceNameBoundedByBothBuffers) {
  struct Case {
    int Points;
    const char* Face;  // up to 32 bytes copied into the font
    int Size;
    const char* Expected;
  };
  const Case cases[] = {
      {8, "MS Sans Serif", 64, "8 pto MS Sans Serif"},
      {12, "", 64, "12 pto "},
      {-3, "DejaVu Sans", 64, "-3 pto DejaVu Sans"},
      {10, "DejaVu Sans", 9, "10 pto D"},
      {10, "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345", 64, "10 pto ABCDEFGHIJKLMNOPQRSTUVWXYZ012345"},  // no terminator
  };
  for (const Case& c : cases) {
    LogFont font{};
    std::memcpy(font.FaceName, c.Face, std::strlen(c.Face));
    char text[64];
    std::memset(text, 'x', sizeof text);
    FormatFontDescription(c.Points, font, text, c.Size);
    EXPECT_STREQ(text, c.Expected) << c.Face;
  }
}

TEST(FontDescription, CellSizesOutsideTheLayoutsRangeAreRefused) {
  struct Case {
    int Width, Height, Fits;
  };
  const Case cases[] = {{MinCellSize, MinCellSize, 1}, {MaxCellSize, MaxCellSize, 1}, {MinCellSize - 1, 20, 0},
                        {30, MinCellSize - 1, 0},     {MaxCellSize + 1, 20, 0},      {30, MaxCellSize + 1, 0},
                        {0, 0, 0}};
  for (const Case& c : cases) EXPECT_EQ(CellSizeFits(c.Width, c.Height), c.Fits) << c.Width << "x" << c.Height;
}

// The calendar sizes the font dialog offers, in points, at common screens.
TEST(FontDescription, TheFontDialogOffersTheSizesOfACellThatFits) {
  const int cases[][3] = {{96, 3, 100}, {120, 3, 80}, {144, 2, 66}, {192, 2, 50}, {0, 3, 100}};
  for (const auto& c : cases) {
    EXPECT_EQ(CalendarPointRange(c[0]).Min, c[1]) << c[0];
    EXPECT_EQ(CalendarPointRange(c[0]).Max, c[2]) << c[0];
  }
}

// Every city of the table belongs to its own community and to no other.
TEST(RegionChoice, CitiesBelongToTheirCommunityOnly) {
  for (int i = 0; i < RegionTableSize; ++i) {
    const RegionRecord& r = RegionTable[i];
    if (r.Parent == 0) continue;
    for (int community = 1; community <= CommunityCount; ++community)
      EXPECT_EQ(CityOfCommunity(r.Code, community), community == r.Parent ? 1 : 0) << r.Code << " in " << community;
  }
  EXPECT_EQ(CityOfCommunity(0, 1), 1);
  EXPECT_EQ(CityOfCommunity(15, 15), 0) << "a community is no city";
  EXPECT_EQ(CityOfCommunity(9999, 15), 0);
}

TEST(RegionChoice, StoresWhatDiffersAndCollectsTheHolidaysOnlyForANewRegion) {
  constexpr int32_t Kept = NoSelection;
  struct Case {
    RegionChoice Choice;
    int32_t Community, City;  // stored
    int Changed;
    bool Collected;
  };
  const Case cases[] = {
      {{0, 1, 15, 1500}, 15, 1500, 0, false},  // nothing differs
      {{1, 1, 15, 1500}, 15, 1500, 1, false},  // only the other communities' holidays
      {{0, 0, 15, 1500}, 15, 1500, 1, false},  // only the flag
      {{0, 1, 15, 0}, 15, 0, 1, true},          // the city dropped
      {{0, 1, 13, 0}, 13, 0, 1, true},          // another community, its empty entry
      {{0, 1, 13, Kept}, 13, 0, 1, true},       // a typed city: the stored one is not of 13
      {{0, 1, Kept, Kept}, 15, 1500, 0, false}, // typed texts in both boxes
      {{0, 1, Kept, 0}, 15, 0, 1, true},        // a typed community, the empty city chosen
      {{0, 1, Kept, 500}, 15, 1500, 0, false},  // a city of another community's list
      {{0, 1, 1, 0}, 1, 0, 1, true},            // no community
  };
  for (const Case& c : cases) {
    CalendarSettings s = Distinct();
    for (int32_t& day : s.LocalHolidays) day = 999;  // seen only if not collected again
    EXPECT_EQ(StoreRegionChoice(c.Choice, &s), c.Changed) << c.Choice.Community << "/" << c.Choice.City;
    EXPECT_EQ(s.Changed, c.Changed);
    EXPECT_EQ(s.Community, c.Community);
    EXPECT_EQ(s.City, c.City);
    EXPECT_EQ(s.ShowOtherHolidays, c.Choice.ShowOther);
    EXPECT_EQ(s.DrawFlag, c.Choice.DrawFlag);
    int32_t expected[LocalHolidaySlots];
    if (c.Collected)
      CollectRegionHolidays(c.Community, c.City, expected);
    else
      std::fill(expected, expected + LocalHolidaySlots, 999);
    EXPECT_EQ(std::memcmp(s.LocalHolidays, expected, sizeof expected), 0) << c.Choice.Community << "/" << c.Choice.City;
  }
}
