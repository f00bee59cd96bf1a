#include "web_test_support.h"

#include <winsock2.h>

#include <cstdlib>
#include <sstream>
#include <stdexcept>

#include "wine_test_support.h"

namespace vantrel::winetest {

bool StartsWith(const std::string& text, const std::string& start) { return text.rfind(start, 0) == 0; }

std::string WebFolder() {
  const char* folder = std::getenv("VANTREL_WEB_FOLDER");
  if (folder == nullptr) throw std::runtime_error("VANTREL_WEB_FOLDER is not set; run through web-test.sh");
  return std::string(folder) + "\\";
}

void ServeFile(const std::string& relativePath, const std::string& bytes) {
  const std::string path = WebFolder() + "root\\" + relativePath;
  MakeFolder(path.substr(0, path.find_last_of('\\')));
  WriteBytes(path, bytes);
}

void RemoveServedFile(const std::string& relativePath) {
  DeleteFileA((WebFolder() + "root\\" + relativePath).c_str());
}

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty()) lines.push_back(line);
  }
  return lines;
}

}  // namespace

std::vector<std::string> AccessLog() { return Lines(ReadBytes(WebFolder() + "logs\\access.log")); }

std::vector<std::string> StandInStarts(const std::string& folder, const std::string& name) {
  // Empty lines count here: an empty command line is one.
  const std::string text = ReadBytes(folder + name + ".started.txt");
  std::vector<std::string> lines;
  for (std::size_t at = 0; at < text.size();) {
    std::size_t end = text.find("\r\n", at);
    if (end == std::string::npos) end = text.size();
    lines.push_back(text.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

HWND StandInWindow(const std::string& name) { return FindTestWindow(nullptr, ("Vantrel stand-in " + name).c_str()); }

}  // namespace vantrel::winetest
