#include "infofiles/html_viewer_win32.h"

#include <windows.h>
#include <mshtmhst.h>
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

void ShowHtmlPage(const char* path) {
  if (GetFileAttributesA(path) == INVALID_FILE_ATTRIBUTES) {
    ReportFileError(path, VerbOpen);
    return;
  }
  LoadedModule engine("MSHTML.DLL");
  if (!engine.Module) return;
  auto* show = reinterpret_cast<SHOWHTMLDIALOGFN*>(
      reinterpret_cast<void*>(GetProcAddress(engine.Module, "ShowHTMLDialog")));
  if (!show) return;
  const std::string url = MakeFileUrl(path);
  WCHAR wide[PathSize];
  if (url.empty() || !MultiByteToWideChar(CP_ACP, 0, url.c_str(), -1, wide, PathSize)) return;
  IMoniker* moniker = nullptr;
  if (FAILED(CreateURLMoniker(nullptr, wide, &moniker)) || !moniker) return;
  show(nullptr, moniker, nullptr, nullptr, nullptr);
  moniker->Release();
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
  ShowHtmlPage(target);
  DeleteFileA(target);
}
