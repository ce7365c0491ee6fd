#include "fixture.h"

#include "base/program_files.h"

const FirstRun& Measured() {
  static const FirstRun measured = [] {
    SetProcessDPIAware();  // the driver reads windows and metrics unscaled on any screen
    const ProgramDir first = StageProgramDir("measure");
    Oristel program = StartOristel(first);
    FirstRun run{};
    GetWindowRect(program.Window, &run.Window);
    run.Month = CaptureClient(program.Window);
    CloseOristel(program);
    UseProgramDir(first);
    run.Saved = ReadSettingsRecord();
    return run;
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
  ASSERT_NE(Measured().Saved.SavedTime.High, 0u) << "the first run saved no settings";
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir = StageProgramDir(std::string(info->test_suite_name()) + "_" + info->name());
  UseProgramDir(dir);
}

void OristelTest::TearDown() {
  if (HWND box = FindDialog(app.Process.dwProcessId, nullptr, 0)) PostMessageA(box, WM_CLOSE, 0, 0);
  Close();
}

CalendarSettings OristelTest::Settings() const {
  CalendarSettings settings = Measured().Saved;
  settings.SelectedDay = ExpectedDate() % 100;
  return settings;
}

void OristelTest::Start(const CalendarSettings& settings) {
  char path[PathSize];
  WriteFileAt(BuildProgramPath(path, SettingsFileIndex), &settings, 0, sizeof settings);
  started = settings;
  app = StartOristel(dir);
  ASSERT_NE(app.Window, nullptr) << "no calendar window";
  RedrawWindow(app.Window, nullptr, nullptr, RDW_UPDATENOW);
}

Rect OristelTest::Element(int element) const {
  Rect r{};
  ComputeLayoutRect(element, started.CellWidth, started.CellHeight, started.DrawFlag, &r);
  return r;
}

Rect OristelTest::DayCell(int day) const {
  return DayCellRect(day, ExpectedDate() / 100 % 100, ExpectedDate() / 10000, started.CellWidth, started.CellHeight);
}

// Sent, so that the month is drawn again before the next step.
void OristelTest::Navigate(int element) {
  const POINT p = Center(Element(element));
  for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP}) SendMessageA(app.Window, message, 0, MAKELPARAM(p.x, p.y));
  RedrawWindow(app.Window, nullptr, nullptr, RDW_UPDATENOW);
  SendMessageA(app.Window, WM_NULL, 0, 0);
}

HWND OristelTest::OpenEditor(int day) {
  ClickClient(app.Window, Center(DayCell(day)).x, Center(DayCell(day)).y);
  return FindDialog(app.Process.dwProcessId);
}
