#include "pagecount.h"

#include <cstdint>
#include <cstdio>
#include <string_view>

#include "version.h"

namespace {

constexpr int kPageLineVersion = 0x1070;
constexpr int kMaxCopiesDigits = 9;

bool StartsWith(std::string_view text, std::string_view prefix) { return text.substr(0, prefix.size()) == prefix; }

// The number of "%RBINumCopies: n" as plain decimal text without leading zeros;
// false unless the value is a whole number from 1 to 999999999.
bool ReadDocumentCopies(std::string_view value, char* copies, size_t capacity) {
  size_t at = value.find_first_not_of(" \t");
  if (at == std::string_view::npos) return false;
  value.remove_prefix(at);
  size_t end = value.find_last_not_of(" \t");
  value = value.substr(0, end + 1);
  while (value.size() > 1 && value.front() == '0') value.remove_prefix(1);
  if (value.empty() || value.size() > kMaxCopiesDigits || value == "0") return false;
  for (char c : value) {
    if (c < '0' || c > '9') return false;
  }
  std::snprintf(copies, capacity, "%.*s", static_cast<int>(value.size()), value.data());
  return true;
}

}  // namespace

void WritePageLine(int page, const char* copies) {
  int32_t version = 0;
  if (Gestalt_ALT(kGestaltSystemVersion, &version) != 0 || version < kPageLineVersion) return;
  std::fprintf(stderr, "PAGE:%d %s\n", page, copies != nullptr ? copies : "");
}

DscPageCounter::DscPageCounter(const char* copies) : copies_(copies) {}

void DscPageCounter::ClosePage() {
  if (!page_open_) return;
  page_open_ = false;
  if (own_page_ends_) return;
  ++reported_;
  WritePageLine(pages_, document_copies_[0] != '\0' ? document_copies_ : copies_);
}

void DscPageCounter::OnLine(const char* text, size_t length) {
  if (length < 2 || text[0] != '%') return;
  std::string_view line(text, length);
  if (StartsWith(line, "%%BeginDocument")) {
    ++nesting_;
  } else if (StartsWith(line, "%%EndDocument")) {
    if (nesting_ > 0) --nesting_;
  } else if (nesting_ > 0) {
    return;
  } else if (StartsWith(line, "%%Page:")) {
    ClosePage();
    ++pages_;
    page_open_ = true;
  } else if (line == "%%Trailer") {
    ClosePage();
  } else if (pages_ == 0 && StartsWith(line, "%RBINumCopies:")) {
    constexpr size_t kPrefix = sizeof "%RBINumCopies:" - 1;
    if (!ReadDocumentCopies(line.substr(kPrefix), document_copies_, sizeof document_copies_)) {
      document_copies_[0] = '\0';
    }
  }
}

void DscPageCounter::OnOwnPageEnd() {
  own_page_ends_ = true;
  page_open_ = false;
}

void DscPageCounter::OnEnd() { ClosePage(); }
