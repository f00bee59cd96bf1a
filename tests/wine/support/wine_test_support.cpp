#include "wine_test_support.h"

#include <windows.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace vantrel::winetest {

std::string ScratchFolder() {
  char buffer[MAX_PATH] = {};
  GetCurrentDirectoryA(sizeof buffer, buffer);
  std::string folder = buffer;
  if (folder.empty() || folder.back() != '\\') folder += '\\';
  return folder;
}

std::string MakeFolder(const std::string& folder) {
  std::string path = folder;
  if (path.empty() || path.back() != '\\') path += '\\';
  for (std::size_t i = 3; i < path.size(); ++i) {
    if (path[i] == '\\') CreateDirectoryA(path.substr(0, i).c_str(), nullptr);
  }
  return path;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) throw std::runtime_error("cannot write " + path);
  out << bytes;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream contents;
  contents << in.rdbuf();
  return contents.str();
}

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace vantrel::winetest
