// A stand-in for the system's HTML engine (MSHTML.DLL) for the end-to-end
// tests: ShowHTMLDialog shows the address it was handed in a message box
// captioned "ShowHTMLDialog" and returns when the box is closed, as the real
// dialog returns when the user closes the page.
#include <windows.h>
#include <objbase.h>

extern "C" __declspec(dllexport) HRESULT WINAPI
    ShowHTMLDialog(HWND owner, IMoniker* moniker, VARIANT*, WCHAR*, VARIANT*) {
  if (!moniker) return E_INVALIDARG;
  IBindCtx* context = nullptr;
  if (FAILED(CreateBindCtx(0, &context))) return E_FAIL;
  LPOLESTR name = nullptr;
  HRESULT result = moniker->GetDisplayName(context, nullptr, &name);
  if (SUCCEEDED(result)) {
    MessageBoxW(owner, name, L"ShowHTMLDialog", MB_OK);
    CoTaskMemFree(name);
  }
  context->Release();
  return result;
}
