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

void OristelTest::SetUp() {
  SYSTEMTIME now;
  GetLocalTime(&now);
  ASSERT_EQ(now.wYear * 10000 + now.wMonth * 100 + now.wDay, ExpectedDate()) << "the suite runs at its date (faketime)";
  ASSERT_NE(Measured().Saved.SavedTime.High, 0u) << "the first run saved no settings";
  const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
  dir = StageProgramDir(std::string(info->test_suite_name()) + "_" + info->name());
  UseProgramDir(dir);
}

void OristelTest::Start(const CalendarSettings& settings) {
  char path[PathSize];
  WriteFileAt(BuildProgramPath(path, SettingsFileIndex), &settings, 0, sizeof settings);
  started = settings;
  app = StartOristel(dir);
  ASSERT_NE(app.Window, nullptr) << "no calendar window";
  RedrawWindow(app.Window, nullptr, nullptr, RDW_UPDATENOW);
}

// Sent, so that the month is drawn again before the next step.
void OristelTest::Navigate(int element) {
  const POINT p = Center(Element(element));
  for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP}) SendMessageA(app.Window, message, 0, MAKELPARAM(p.x, p.y));
  RedrawWindow(app.Window, nullptr, nullptr, RDW_UPDATENOW);
}
