#include "quick_xppd.h"

#include <cctype>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <limits>
#include <string_view>

#include "bundle.h"
#include "ppdattr.h"
#include "system_access.h"

namespace OVQ_PDE_NS {

namespace {

constexpr char kFieldDelimiter = '@';
constexpr uint16_t kIndexOutOfRange = std::numeric_limits<uint16_t>::max();

// A stored index read as atoi reads it (leading blanks, sign, digits; no
// number gives 0). Values that do not fit 16 bits become 0xFFFF, a location
// outside every PPD's arrays, rather than wrapping onto another choice.
uint16_t IndexFromField(std::string_view field) {
  size_t pos = 0;
  while (pos < field.size() && std::isspace(static_cast<unsigned char>(field[pos]))) ++pos;
  bool negative = false;
  if (pos < field.size() && (field[pos] == '-' || field[pos] == '+')) negative = field[pos++] == '-';
  unsigned long value = 0;
  bool digits = false;
  while (pos < field.size() && std::isdigit(static_cast<unsigned char>(field[pos]))) {
    digits = true;
    value = value * 10 + static_cast<unsigned long>(field[pos++] - '0');
    if (value > kIndexOutOfRange) value = kIndexOutOfRange;
  }
  if (!digits) return 0;
  if (negative && value != 0) return kIndexOutOfRange;
  return static_cast<uint16_t>(value);
}

// getoneline over a view: the field before the next delimiter; false, with
// the rest untouched, when there is none. Keeps a long data line linear.
bool NextField(std::string_view* rest, std::string_view* field) {
  size_t at = rest->find(kFieldDelimiter);
  if (at == std::string_view::npos) return false;
  *field = rest->substr(0, at);
  rest->remove_prefix(at + 1);
  return true;
}

void ReadDataLine(std::string_view line, XppdHash* hash) {
  while (!line.empty()) {
    std::string_view key;
    std::string_view group;
    std::string_view option;
    std::string_view choice;
    if (!NextField(&line, &key) || !NextField(&line, &group) || !NextField(&line, &option) ||
        !NextField(&line, &choice)) {
      return;
    }
    if (key.empty()) continue;
    hash->emplace(std::string(key),
                  x_constraints{IndexFromField(group), IndexFromField(option), IndexFromField(choice)});
  }
}

bool Representable(const std::string& key) {
  return key.find(kFieldDelimiter) == std::string::npos && key.find('\n') == std::string::npos;
}

// An empty name would match the first attribute of the PPD (prefix lookup).
bool FitsNameBuffer(const char* name) { return *name != '\0' && std::strlen(name) < kXPPDNameBufferSize; }

}  // namespace

bool getoneline(std::string& line, std::string& field, char delimiter) {
  size_t at = line.find(delimiter);
  if (at == std::string::npos) return false;
  field.append(line, 0, at);
  line.erase(0, at + 1);
  return true;
}

CQuickXPPD::CQuickXPPD(XppdHash* hash, const std::string* sectionName) : xppd_(hash), sectionName_(sectionName) {}

CQuickXPPD::CQuickXPPD(ppd_file_t* ppd, XppdHash* hash, const XPPDSection* sections, const std::string* ppdPath)
    : xppd_(hash), ppd_(ppd), ppdPath_(ppdPath) {
  for (size_t i = 0; sections != nullptr && i < kMaxSections && sections[i].keywords != nullptr; ++i) {
    sections_[i] = sections[i];
  }
}

int CQuickXPPD::SetXppd(ppd_file_t* ppd, XppdHash* hash) { return BuildXppdFromKeywords(ppd, hash, workList_); }

int CQuickXPPD::xConst2Hash_O1C1O2C2(ppd_file_t* ppd, XppdHash* hash, int index) {
  return OVQ_PDE_NS::xConst2Hash_O1C1O2C2(ppd, hash, index);
}
int CQuickXPPD::xConst2Hash_O1C1O2(ppd_file_t* ppd, XppdHash* hash, int index) {
  return OVQ_PDE_NS::xConst2Hash_O1C1O2(ppd, hash, index);
}
int CQuickXPPD::xConst2Hash_O1O2C2(ppd_file_t* ppd, XppdHash* hash, int index) {
  return OVQ_PDE_NS::xConst2Hash_O1O2C2(ppd, hash, index);
}
int CQuickXPPD::xConst2Hash_O1O2(ppd_file_t* ppd, XppdHash* hash, int index) {
  return OVQ_PDE_NS::xConst2Hash_O1O2(ppd, hash, index);
}

void CQuickXPPD::SetFileStamp(std::ostream& out) const {
  std::string text;
  if (ppdPath_ == nullptr || !ReadWholeFile(*ppdPath_, &text)) return;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) end = text.size();
    std::string_view stretch(text.data() + start, end - start);
    if (stretch.find(kStampMarker) != std::string_view::npos) {
      out.write(stretch.data(), static_cast<std::streamsize>(stretch.size()));
      return;
    }
    start = end + 1;
  }
}

void CQuickXPPD::WriteSection(std::ostream& out, const XPPDSection& section) {
  if (section.name == nullptr || section.name->find('\n') != std::string::npos) {
    out.setstate(std::ios::failbit);
    return;
  }
  XppdHash scratch;
  XppdHash* hash = xppd_ != nullptr ? xppd_ : &scratch;
  workList_.insert(workList_.end(), section.keywords->begin(), section.keywords->end());
  SetXppd(ppd_, hash);
  out << *section.name << '\n';
  for (const auto& [key, location] : *hash) {
    if (!Representable(key)) {
      ++skipped_;
      continue;
    }
    out << key << kFieldDelimiter << location.group << kFieldDelimiter << location.option << kFieldDelimiter
        << location.choice << kFieldDelimiter;
  }
  workList_.clear();
  hash->clear();
  out << '\n';
}

std::istream& operator>>(std::istream& in, CQuickXPPD& xppd) {
  if (!in || xppd.xppd_ == nullptr || xppd.sectionName_ == nullptr) return in;
  std::string line;
  do {
    if (!std::getline(in, line)) return in;
  } while (line != *xppd.sectionName_);
  if (!std::getline(in, line)) return in;
  ReadDataLine(line, xppd.xppd_);
  return in;
}

std::ostream& operator<<(std::ostream& out, CQuickXPPD& xppd) {
  xppd.skipped_ = 0;
  for (const XPPDSection& section : xppd.sections_) {
    if (section.keywords == nullptr) break;
    xppd.WriteSection(out, section);
  }
  xppd.SetFileStamp(out);
  return out;
}

bool CDFKeyExist(ppd_file_t* ppd, const char* attributeName) {
  if (ppd == nullptr || attributeName == nullptr || !FitsNameBuffer(attributeName)) return false;
  return ppdFindAttr_ALT(ppd, attributeName) != nullptr;
}

int GetXPPD(ppd_file_t* ppd, XppdHash* hash, const char* panelName, const char* attributeName) {
  if (ppd == nullptr || hash == nullptr || panelName == nullptr || attributeName == nullptr) return 1;
  if (!FitsNameBuffer(panelName) || !FitsNameBuffer(attributeName)) return 1;
  int32_t version = GetSystemVersion() & 0xFFF0;
  ppd_attr_t* attr = ppdFindAttr_ALT(ppd, attributeName);
  if (attr == nullptr || attr->value == nullptr) return 1;
  std::string section = panelName;
  section += version == kSystemVersion1030 ? "Panther" : "Tiger";
  std::ifstream in(attr->value, std::ios::binary);
  if (!in.is_open()) return 1;
  CQuickXPPD reader(hash, &section);
  in >> reader;
  return 0;
}

bool IsCDFSupported(ppd_file_t* ppd) {
  ppd_attr_t* attribute = ppdFindAttr_ALT(ppd, kCDFSettingAttribute);
  if (attribute == nullptr || attribute->value == nullptr) return true;
  FILE* file = std::fopen(attribute->value, "r");
  if (file == nullptr) return false;
  std::fclose(file);
  return true;
}

}  // namespace OVQ_PDE_NS
