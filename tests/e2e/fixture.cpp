#include "fixture.h"

#include <cstring>

const CalendarSettings& MeasuredSettings() {
  static CalendarSettings measured = [] {
    ProgramDir first = StageProgramDir("measure");
    Oristel program = StartOristel(first);
    CloseOristel(program);
    UseProgramDir(first);
    return ReadSettingsRecord();
  }();
  return measured;
}

void OristelTest::SetUp() {
  SYSTEMTIME now, expected = ExpectedDate();
  GetLocalTime(&now);
  ASSERT_EQ(now.wYear * 10000 + now.wMonth * 100 + now.wDay, expected.wYear * 10000 + expected.wMonth * 100 + expected.wDay)
      << "the suite must run at its date (faketime)";
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  ASSERT_NE(MeasuredSettings().SavedTime.High, 0u) << "the first run saved no settings";
  dir = StageProgramDir(std::string(info->test_suite_name()) + "_" + info->name());
  UseProgramDir(dir);
}

void OristelTest::TearDown() {
  if (app.Process.hProcess) {
    if (HWND box = FindDialog(app.Process.dwProcessId, nullptr, 0)) PostMessageA(box, WM_CLOSE, 0, 0);
    Close();
  }
}

CalendarSettings OristelTest::Settings() const {
  CalendarSettings settings = MeasuredSettings();
  SYSTEMTIME now;
  GetLocalTime(&now);
  settings.ShownMonth = now.wMonth;
  settings.ShownYear = now.wYear;
  settings.SelectedDay = now.wDay;
  return settings;
}

void OristelTest::Start(const CalendarSettings& settings) {
  WriteSettingsRecord(settings);
  started = settings;
  SYSTEMTIME now;
  GetLocalTime(&now);
  started.ShownMonth = now.wMonth;  // every start shows today's month
  started.ShownYear = now.wYear;
  app = StartOristel(dir);
  ASSERT_NE(app.Window, nullptr) << "no calendar window";
  RedrawWindow(app.Window, nullptr, nullptr, RDW_UPDATENOW);
}

Capture OristelTest::StartAndShoot(const std::string& name, const CalendarSettings& settings) {
  Start(settings);
  Capture shot = CaptureClient(app.Window);
  SaveScreenshot(shot, name);
  EXPECT_EQ(Close(), 0u);
  return shot;
}

Rect OristelTest::Element(int element) const {
  Rect r{};
  ComputeLayoutRect(element, started.CellWidth, started.CellHeight, started.DrawFlag, &r);
  return r;
}

Rect OristelTest::DayCell(int day) const {
  return DayCellRect(day, started.ShownMonth, started.ShownYear, started.CellWidth, started.CellHeight);
}

void OristelTest::ClickDay(int day) {
  POINT p = Center(DayCell(day));
  ClickClient(app.Window, p.x, p.y);
}

void OristelTest::Navigate(int element) {
  POINT p = Center(Element(element));
  ClickNow(app.Window, p.x, p.y);
}

HWND OristelTest::OpenEditor(int day) {
  ClickDay(day);
  return FindDialog(app.Process.dwProcessId);
}
