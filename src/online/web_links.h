#pragma once
// The maker's home page and the program's counter page, opened in the browser.

#include <string>

namespace vantrel {

// Starts "IEXPLORE.EXE" with address as its only parameter; whether a
// browser came up is not looked at.
void OpenInBrowser(const std::string& address);

}  // namespace vantrel
