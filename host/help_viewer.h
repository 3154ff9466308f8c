// The help viewer: help books are folders of HTML pages inside plug-in bundles,
// registered by book name; a page opens in the desktop's opener (xdg-open).
#pragma once
#include <functional>
#include <string>

#include "bundle.h"

// Registers the bundle's help book (Info.strings: CFBundleHelpBookName names
// the book, CFBundleHelpBookFolder is its folder under Resources/). 0, or -43
// when the bundle, the name or the folder is missing.
int AHRegisterHelpBook(const Bundle* bundle);

// Opens `pagePath` (relative to the book's folder; the book's "index.html"
// when null or empty) at `anchor` (may be null). 0 when the opener succeeded;
// -50 when the book name is null; -43 when the book is not registered or the
// page does not exist; otherwise the opener's non-zero result.
int AHGotoPage(const char* bookName, const char* pagePath, const char* anchor);

// Opens a help page of the host's own (an absolute path) in the opener; 0 when
// the opener succeeded, -43 when the page does not exist.
int OpenHostHelpPage(const std::string& path);

// Folder registered for a book, or "" (tests).
std::string HelpBookFolder(const std::string& bookName);
void ForgetHelpBooks();

// The opener receives a file: URL and returns 0 on success. The default runs
// "xdg-open URL"; tests install their own. An empty function restores it.
using HelpOpener = std::function<int(const std::string& url)>;
void SetHelpOpener(HelpOpener opener);

// file:// URL of an absolute path (bytes outside the unreserved set and "/"
// percent-encoded), followed by "#anchor" when the anchor is not empty.
std::string FileURL(const std::string& path, const std::string& anchor);
