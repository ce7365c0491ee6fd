#include "fixture.h"

const CalendarSettings& MeasuredSettings() {
  static const CalendarSettings measured = [] {
    const ProgramDir first = StageProgramDir("measure");
    Oristel program = StartOristel(first);
    CloseOristel(program);
    UseProgramDir(first);
    return ReadSettingsRecord();
  }();
  return measured;
}

int DateOf(FileTime time) {
  const FILETIME ft = {time.Low, time.High};
  SYSTEMTIME st{};
  FileTimeToSystemTime(&ft, &st);
  return st.wYear * 10000 + st.wMonth * 100 + st.wDay;
}

void OristelTest::SetUp() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  ASSERT_EQ(now.wYear * 10000 + now.wMonth * 100 + now.wDay, ExpectedDate()) << "the suite runs at its date (faketime)";
  ASSERT_NE(MeasuredSettings().SavedTime.High, 0u) << "the first run saved no settings";
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir = StageProgramDir(std::string(info->test_suite_name()) + "_" + info->name());
  UseProgramDir(dir);
}

void OristelTest::TearDown() {
  if (!app.Process.hProcess) return;
  if (HWND box = FindDialog(app.Process.dwProcessId, nullptr, 0)) PostMessageA(box, WM_CLOSE, 0, 0);
  Close();
}

CalendarSettings OristelTest::Settings() const {
  CalendarSettings settings = MeasuredSettings();
  settings.SelectedDay = ExpectedDate() % 100;
  return settings;
}

void OristelTest::Start(const CalendarSettings& settings) {
  WriteSettingsRecord(settings);
  started = settings;
  started.ShownYear = ExpectedDate() / 10000;  // every start shows today's month
  started.ShownMonth = ExpectedDate() / 100 % 100;
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

void OristelTest::Navigate(int element) { ClickNow(app.Window, Center(Element(element)).x, Center(Element(element)).y); }

HWND OristelTest::OpenEditor(int day) {
  ClickClient(app.Window, Center(DayCell(day)).x, Center(DayCell(day)).y);
  return FindDialog(app.Process.dwProcessId);
}
