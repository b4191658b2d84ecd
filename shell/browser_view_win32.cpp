// The browser control is hosted by the control-hosting window class that
// Windows ships in atl.dll ("AtlAxWin"), which gives it its site, in-place
// activation and window; the DLL is loaded at run time so that the pad also
// starts where it is missing.
#include "shell/browser_view_win32.h"

#include <exdisp.h>
#include <ole2.h>

#include <string>

#include "shell/browser_view.h"

namespace {

using AtlAxWinInitFn = BOOL(WINAPI*)();
using AtlAxGetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

constexpr wchar_t kHostClass[] = L"AtlAxWin";
constexpr wchar_t kBrowserProgId[] = L"Shell.Explorer.2";
constexpr int kTextSizeMedium = 2;  // of 0 (smallest) to 4 (largest)
// CLSID_HTMLDocument, the system's HTML engine; spelled out because not every
// toolchain's uuid library carries it.
constexpr CLSID kHtmlDocument = {0x25336920, 0x03F9, 0x11CF, {0x8F, 0xD0, 0x00, 0xAA, 0x00, 0x68, 0x6F, 0x13}};

struct AtlHosting {
  AtlAxGetControlFn getControl = nullptr;
};

// Loads atl.dll and registers its host window class, once per run.
const AtlHosting* Hosting() {
  static AtlHosting hosting;
  static bool tried = false;
  if (!tried) {
    tried = true;
    if (HMODULE atl = LoadLibraryW(L"atl.dll")) {
      auto init = reinterpret_cast<AtlAxWinInitFn>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxWinInit")));
      auto getControl =
          reinterpret_cast<AtlAxGetControlFn>(reinterpret_cast<void*>(GetProcAddress(atl, "AtlAxGetControl")));
      if (init && getControl && init()) hosting.getControl = getControl;
    }
  }
  return hosting.getControl ? &hosting : nullptr;
}

// The browser control shows nothing without the system's HTML engine (Wine
// without its Gecko-based engine): such a view is not worth a window.
bool HtmlEngineAvailable() {
  IUnknown* document = nullptr;
  if (FAILED(CoCreateInstance(kHtmlDocument, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                              reinterpret_cast<void**>(&document))))
    return false;
  document->Release();
  return true;
}

IWebBrowser2* BrowserOf(HWND host, const AtlHosting& hosting) {
  IUnknown* control = nullptr;
  if (FAILED(hosting.getControl(host, &control)) || !control) return nullptr;
  IWebBrowser2* browser = nullptr;
  control->QueryInterface(IID_IWebBrowser2, reinterpret_cast<void**>(&browser));
  control->Release();
  return browser;
}

void ApplySettingsAndNavigate(IWebBrowser2* browser) {
  VARIANT textSize;
  VariantInit(&textSize);
  textSize.vt = VT_I4;
  textSize.lVal = kTextSizeMedium;
  browser->ExecWB(OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, &textSize, nullptr);
  browser->put_Offline(VARIANT_FALSE);
  browser->put_Silent(VARIANT_FALSE);

  const std::string page = ProductPageAddress(LANJIAN_SERVICE_URL);
  const std::wstring address = page.empty() ? L"about:blank" : std::wstring(page.begin(), page.end());
  if (BSTR url = SysAllocString(address.c_str())) {
    browser->Navigate(url, nullptr, nullptr, nullptr, nullptr);
    SysFreeString(url);
  }
}

}  // namespace

HWND CreateBrowserView(HWND parent, int id, int left, int top, int width, int height) {
  // The control lives in the main thread's single-threaded apartment for the
  // whole run; OLE stays initialised until the process ends.
  const HRESULT ole = OleInitialize(nullptr);
  if (FAILED(ole)) return nullptr;
  const AtlHosting* hosting = Hosting();
  if (!hosting || !HtmlEngineAvailable()) return nullptr;
  HWND host = CreateWindowExW(0, kHostClass, kBrowserProgId, WS_CHILD | WS_VISIBLE, left, top, width, height, parent,
                              reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (!host) return nullptr;
  IWebBrowser2* browser = BrowserOf(host, *hosting);
  if (!browser) {
    DestroyWindow(host);
    return nullptr;
  }
  ApplySettingsAndNavigate(browser);
  browser->Release();  // the host window keeps the control alive
  return host;
}
