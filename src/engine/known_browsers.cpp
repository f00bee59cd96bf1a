#include "engine/known_browsers.h"

namespace vantrel {

namespace {

// A Chromium browser keeps one folder per profile in User Data (Default,
// Profile 1, ...) and the shader caches beside them. Cookies, history,
// logins, sessions, Local Storage, IndexedDB and Service Worker live in
// the same folders and are never named here.
std::vector<std::string> ChromiumCaches(const std::string& userData) {
  std::vector<std::string> folders;
  for (const char* cache : {"Cache", "Code Cache", "Media Cache", "GPUCache", "DawnWebGPUCache",
                            "DawnGraphiteCache"}) {
    folders.push_back(userData + "\\*\\" + cache);
  }
  for (const char* cache : {"ShaderCache", "GrShaderCache", "GraphiteDawnCache"}) {
    folders.push_back(userData + "\\" + cache);
  }
  return folders;
}

KnownBrowser Chromium(const char* name, const char* subject, const char* programFile,
                      const std::string& userData) {
  return KnownBrowser{name, subject, programFile, {userData}, ChromiumCaches(userData)};
}

// The Microsoft Store build keeps what the classic one keeps under
// %LOCALAPPDATA% in its package's LocalCache\Local.
constexpr char kFirefoxStorePackage[] = "%LOCALAPPDATA%\\Packages\\Mozilla.Firefox_n80bbvh6b1yt2";

std::vector<KnownBrowser> MakeKnownBrowsers() {
  const std::string firefoxStoreLocal = std::string(kFirefoxStorePackage) + "\\LocalCache\\Local";
  return {
      Chromium("Chrome", "Chrome이", "chrome.exe", "%LOCALAPPDATA%\\Google\\Chrome\\User Data"),
      Chromium("Edge", "Edge가", "msedge.exe", "%LOCALAPPDATA%\\Microsoft\\Edge\\User Data"),
      Chromium("Whale", "Whale이", "whale.exe", "%LOCALAPPDATA%\\Naver\\Naver Whale\\User Data"),
      KnownBrowser{"Firefox",
                   "Firefox가",
                   "firefox.exe",
                   {"%LOCALAPPDATA%\\Mozilla\\Firefox", "%APPDATA%\\Mozilla\\Firefox",
                    kFirefoxStorePackage},
                   {"%LOCALAPPDATA%\\Mozilla\\Firefox\\Profiles\\*\\cache2",
                    firefoxStoreLocal + "\\Mozilla\\Firefox\\Profiles\\*\\cache2"}},
      Chromium("Brave", "Brave가", "brave.exe",
               "%LOCALAPPDATA%\\BraveSoftware\\Brave-Browser\\User Data"),
      KnownBrowser{"Opera",
                   "Opera가",
                   "opera.exe",
                   {"%LOCALAPPDATA%\\Opera Software", "%APPDATA%\\Opera Software"},
                   {"%LOCALAPPDATA%\\Opera Software\\Opera Stable\\Cache",
                    "%LOCALAPPDATA%\\Opera Software\\Opera GX Stable\\Cache"}},
  };
}

}  // namespace

const std::vector<KnownBrowser>& KnownBrowsers() {
  static const std::vector<KnownBrowser> browsers = MakeKnownBrowsers();
  return browsers;
}

const std::vector<std::string>& WindowsCacheFolders() {
  static const std::vector<std::string> folders = {
      "%LOCALAPPDATA%\\D3DSCache",
      "%LOCALAPPDATA%\\CrashDumps",
      "%LOCALAPPDATA%\\Microsoft\\Windows\\WER\\ReportArchive",
      "%LOCALAPPDATA%\\Microsoft\\Windows\\WER\\ReportQueue",
  };
  return folders;
}

std::string CacheEntryName(const std::string& browserName) { return browserName + " 캐시"; }

std::string RunningBrowserNote(const std::string& browserName) {
  std::string subject = browserName + "이(가)";
  for (const KnownBrowser& browser : KnownBrowsers()) {
    if (browser.name == browserName) subject = browser.subject;
  }
  return subject + " 실행 중이라 건너뜁니다";
}

}  // namespace vantrel
