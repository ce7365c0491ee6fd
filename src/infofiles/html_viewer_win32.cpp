#include "infofiles/html_viewer_win32.h"

#include <windows.h>
#include <mshtmhst.h>
#include <shellapi.h>
#include <urlmon.h>

#include <cstdio>

#include "base/program_files.h"
#include "infofiles/info_file.h"
#include "infofiles/info_pages.h"

// The engine's module, loaded by name for one showing.
namespace {
struct LoadedModule {
  HMODULE Module;
  explicit LoadedModule(const char* name) : Module(LoadLibraryA(name)) {}
  ~LoadedModule() {
    if (Module) FreeLibrary(Module);
  }
  LoadedModule(const LoadedModule&) = delete;
  LoadedModule& operator=(const LoadedModule&) = delete;
};
}  // namespace

// Hands the page to the program the shell opens .htm files with (on Linux,
// Wine's winebrowser passes it on to the desktop's browser); a failure is
// told once, naming the page. The browser reads the file after the call has
// returned, so the page stays.
static int ShowInBrowser(const char* path) {
  const auto result = reinterpret_cast<INT_PTR>(ShellExecuteA(nullptr, "open", path, nullptr, nullptr, SW_SHOWNORMAL));
  if (result <= 32) ReportFileError(path, VerbOpen);
  return 0;
}

int ShowHtmlPage(const char* path) {
  if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) return ReportFileError(path, VerbOpen), 1;
  LoadedModule engine("MSHTML.DLL");
  if (!engine.Module) return ShowInBrowser(path);
  auto* show =
      reinterpret_cast<SHOWHTMLDIALOGFN*>(reinterpret_cast<void*>(GetProcAddress(engine.Module, "ShowHTMLDialog")));
  if (!show) return ShowInBrowser(path);
  const std::string url = MakeFileUrl(path);
  WCHAR wide[PathSize];
  if (url.empty() || !MultiByteToWideChar(CP_ACP, 0, url.c_str(), -1, wide, PathSize)) return 1;
  IMoniker* moniker = nullptr;
  if (FAILED(CreateURLMoniker(nullptr, wide, &moniker)) || !moniker) return 1;
  show(nullptr, moniker, nullptr, nullptr, nullptr);
  moniker->Release();
  return 1;
}

void ShowPackedPage(const char* packedName, const char* pageName) {
  char dir[PathSize], source[PathSize], target[PathSize];
  const int last = GetProgramDirectory(dir);
  const int a = std::snprintf(source, sizeof source, "%s%s", dir, packedName);
  const int b = std::snprintf(target, sizeof target, "%s%s", dir, pageName);
  if (last < 0 || a < 0 || a >= PathSize || b < 0 || b >= PathSize) {
    ReportFileError(packedName, VerbOpen);
    return;
  }
  SetCursor(LoadCursorA(nullptr, IDC_WAIT));
  if (!UnpackPackedPage(source, target)) return;
  if (ShowHtmlPage(target)) DeleteFileA(target);
}
