#include "infofiles/html_viewer_win32.h"

#include <windows.h>
#include <mshtmhst.h>
#include <urlmon.h>

#include "base/program_files.h"
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
