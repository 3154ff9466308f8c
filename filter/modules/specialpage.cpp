#include "specialpage.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "modules.h"
#include "output.h"
#include "textconv.h"
#include "ticket_keys.h"

SpecialPageCounts psOptionSpecialPage = {};

const TicketData SpecialPageTicketData[kSpecialPageTicketRows] = {
    {kQPIFCoverCountTicketKey, &psOptionSpecialPage.cover, 4, GetTicketInteger},
    {kQPIFInsertionCountTicketKey, &psOptionSpecialPage.insertion, 4, GetTicketInteger},
    {kQPIFExceptionCountTicketKey, &psOptionSpecialPage.exception, 4, GetTicketInteger},
};

namespace {

// An element holds its fixed text (under 1500 bytes) and at most ten escaped fields.
constexpr int kElementSize = 8192;
constexpr int kMaxFields = 10;

constexpr const char* kHeadFormat =
    "<?xml version=\"%s\" encoding=\"%s\"?>\n<!DOCTYPE qpif SYSTEM \"%s\">\n"
    "<qpif version=\"%s\" cpss-version=\"%s\" xml:lang=\"%s\">\n  <job-template-attributes>\n";
constexpr const char* kTail = "  </job-template-attributes>\n</qpif>\n";

constexpr const char* kCoverByName =
    "        <cover-type syntax=\"keyword\">%s</cover-type>\n"
    "        <media-col syntax=\"collection\">\n"
    "            <media-type syntax=\"name\">%s</media-type>\n"
    "        </media-col>\n";
constexpr const char* kCoverByType =
    "        <cover-type syntax=\"keyword\">%s</cover-type>\n"
    "        <media-col syntax=\"collection\">\n"
    "            <media-type syntax=\"keyword\">%s</media-type>\n"
    "            <media-color syntax=\"keyword\">%s</media-color>\n"
    "            <media-size syntax=\"collection\">\n"
    "                <x-dimension syntax=\"integer\">%s</x-dimension>\n"
    "                <y-dimension syntax=\"integer\">%s</y-dimension>\n"
    "            </media-size>\n"
    "        </media-col>\n";

constexpr const char* kInsertByName =
    "        <value syntax=\"collection\">\n"
    "                <insert-after-page-number syntax=\"integer\">%s</insert-after-page-number>\n"
    "                <insert-count syntax=\"integer\">%s</insert-count>\n"
    "                <media-col syntax=\"collection\">\n"
    "                    <media-type syntax=\"name\">%s</media-type>\n"
    "                </media-col>\n"
    "        </value>\n";
constexpr const char* kInsertByType =
    "        <value syntax=\"collection\">\n"
    "                <insert-after-page-number syntax=\"integer\">%s</insert-after-page-number>\n"
    "                <insert-count syntax=\"integer\">%s</insert-count>\n"
    "                <media-col syntax=\"collection\">\n"
    "                    <media-color syntax=\"keyword\">%s</media-color>\n"
    "                    <media-size syntax=\"collection\">\n"
    "                        <x-dimension syntax=\"integer\">%s</x-dimension>\n"
    "                        <y-dimension syntax=\"integer\">%s</y-dimension>\n"
    "                    </media-size>\n"
    "                    <media-type syntax=\"keyword\">%s</media-type>\n"
    "                </media-col>\n"
    "        </value>\n";

constexpr const char* kExceptionRanges =
    "        <value syntax=\"collection\">\n"
    "            <input-documents syntax=\"1setOf\">\n"
    "                <value syntax=\"rangeOfInteger\">\n"
    "                    <lower-bound syntax=\"integer\">%s</lower-bound>\n"
    "                    <upper-bound syntax=\"integer\">%s</upper-bound>\n"
    "                </value>\n"
    "            </input-documents>\n"
    "            <pages syntax=\"1setOf\">\n"
    "                <value syntax=\"rangeOfInteger\">\n"
    "                    <lower-bound syntax=\"integer\">%s</lower-bound>\n"
    "                    <upper-bound syntax=\"integer\">%s</upper-bound>\n"
    "                </value>\n"
    "            </pages>\n"
    "            <sides syntax=\"keyword\">%s</sides>\n";
constexpr const char* kExceptionMediaByName =
    "            <media-col syntax=\"collection\">\n"
    "                <media-type syntax=\"name\">%s</media-type>\n"
    "            </media-col>\n"
    "        </value>\n";
constexpr const char* kExceptionMediaByType =
    "            <media-col syntax=\"collection\">\n"
    "                <media-type syntax=\"name\">%s</media-type>\n"
    "                <media-color syntax=\"keyword\">%s</media-color>\n"
    "                <media-size syntax=\"collection\">\n"
    "                    <x-dimension syntax=\"integer\">%s</x-dimension>\n"
    "                    <y-dimension syntax=\"integer\">%s</y-dimension>\n"
    "                </media-size>\n"
    "            </media-col>\n"
    "        </value>\n";

__attribute__((format(printf, 1, 2))) void WriteElement(const char* format, ...) {
  char element[kElementSize] = {};
  va_list args;
  va_start(args, format);
  const int length = std::vsnprintf(element, sizeof element, format, args);
  va_end(args);
  if (length <= 0) return;
  KQfwrite(element, 1, std::min<size_t>(static_cast<size_t>(length), sizeof element - 1), stdout);
}

// The fields of one entry, split one after the other and kept escaped for XML.
class EntryFields {
 public:
  explicit EntryFields(const char* value) : value_(value) {}

  // Splits the next field; returns its escaped text.
  const char* Next() {
    if (count_ == kMaxFields) return "";
    char raw[kSpecialPageFieldSize] = {};
    const uint32_t consumed = getOneValue(value_ + position_, raw, sizeof raw);
    if (consumed != kGetOneValueMissing) position_ += consumed;
    EscapeSpecialPageField(raw, escaped_[count_], sizeof escaped_[count_]);
    return escaped_[count_++];
  }

 private:
  const char* value_;
  size_t position_ = 0;
  int count_ = 0;
  char escaped_[kMaxFields][kSpecialPageEscapedSize] = {};
};

// Indices of the present value keys "<prefix><index>" with index < count, in
// increasing order. Only keys that exist are visited, so a huge count costs nothing.
std::vector<int32_t> PresentEntries(const char* prefix, int32_t count, int num_options, cups_option_t* options) {
  std::vector<int32_t> indices;
  const size_t prefix_length = std::strlen(prefix);
  for (int i = 0; i < num_options; ++i) {
    const char* name = options[i].name;
    if (std::strncmp(name, prefix, prefix_length) != 0) continue;
    const char* digits = name + prefix_length;
    const size_t length = std::strlen(digits);
    if (length == 0 || length > 10 || std::strspn(digits, "0123456789") != length) continue;
    if (length > 1 && digits[0] == '0') continue;  // "%d" never writes a leading zero
    const long long index = std::strtoll(digits, nullptr, 10);
    if (index < count) indices.push_back(static_cast<int32_t>(index));
  }
  std::sort(indices.begin(), indices.end());
  return indices;
}

// Calls `write` with the value of each present entry, in index order.
template <typename Writer>
void ForEachEntry(const char* prefix, int32_t count, int num_options, cups_option_t* options, Writer write) {
  for (int32_t index : PresentEntries(prefix, count, num_options, options)) {
    char key[128] = {};
    std::snprintf(key, sizeof key, "%s%d", prefix, index);
    char value[kSpecialPageValueSize] = {};
    if (GetTicketStringConvertedToPrtLang(key, num_options, options, value, sizeof value) == 0) continue;
    write(static_cast<const char*>(value));
  }
}

void WriteCover(const char* value) {
  EntryFields fields(value);
  const char* side = fields.Next();
  const char* form = fields.Next();
  const char* coverType = fields.Next();
  const char* closing;
  if (std::strcmp(side, "0") == 0) {
    WriteElement("%s", "    <cover-front syntax=\"collection\">\n");
    closing = "    </cover-front>\n";
  } else if (std::strcmp(side, "1") == 0) {
    WriteElement("%s", "    <cover-back syntax=\"collection\">\n");
    closing = "    </cover-back>\n";
  } else {
    return;
  }
  if (std::strcmp(form, "0") == 0) {
    const char* mediaName = fields.Next();
    WriteElement(kCoverByName, coverType, mediaName);
  } else if (std::strcmp(form, "1") == 0) {
    const char* mediaType = fields.Next();
    const char* color = fields.Next();
    const char* x = fields.Next();
    const char* y = fields.Next();
    WriteElement(kCoverByType, coverType, mediaType, color, x, y);
  }
  WriteElement("%s", closing);
}

void WriteInsertion(const char* value) {
  EntryFields fields(value);
  const char* form = fields.Next();
  const char* afterPage = fields.Next();
  const char* insertCount = fields.Next();
  if (std::strcmp(form, "0") == 0) {
    const char* mediaName = fields.Next();
    WriteElement(kInsertByName, afterPage, insertCount, mediaName);
  } else if (std::strcmp(form, "1") == 0) {
    const char* color = fields.Next();
    const char* x = fields.Next();
    const char* y = fields.Next();
    const char* mediaType = fields.Next();
    WriteElement(kInsertByType, afterPage, insertCount, color, x, y, mediaType);
  }
}

void WriteException(const char* value) {
  EntryFields fields(value);
  const char* form = fields.Next();
  const char* docLower = fields.Next();
  const char* docUpper = fields.Next();
  const char* pageLower = fields.Next();
  const char* pageUpper = fields.Next();
  const char* sides = fields.Next();
  if (std::strcmp(form, "0") == 0) {
    const char* mediaName = fields.Next();
    WriteElement(kExceptionRanges, docLower, docUpper, pageLower, pageUpper, sides);
    WriteElement(kExceptionMediaByName, mediaName);
  } else if (std::strcmp(form, "1") == 0) {
    const char* mediaName = fields.Next();
    const char* color = fields.Next();
    const char* x = fields.Next();
    const char* y = fields.Next();
    WriteElement(kExceptionRanges, docLower, docUpper, pageLower, pageUpper, sides);
    WriteElement(kExceptionMediaByType, mediaName, color, x, y);
  }
}

// Length of the valid UTF-8 character at `text` (1 to 4) with its code point,
// or 0 when the bytes are not valid UTF-8.
size_t DecodeUtf8(const unsigned char* text, uint32_t* character) {
  const unsigned char lead = text[0];
  size_t length;
  uint32_t code;
  *character = lead;
  if (lead < 0x80) return 1;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
  } else {
    return 0;
  }
  for (size_t i = 1; i < length; ++i) {
    if ((text[i] & 0xC0) != 0x80) return 0;
    code = (code << 6) | (text[i] & 0x3F);
  }
  const uint32_t minimum[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < minimum[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return 0;
  *character = code;
  return length;
}

const char* EntityFor(char c) {
  switch (c) {
    case '&':
      return "&amp;";
    case '<':
      return "&lt;";
    case '>':
      return "&gt;";
    case '"':
      return "&quot;";
    case '\'':
      return "&apos;";
    default:
      return nullptr;
  }
}

}  // namespace

void SpecialPageInializeDescriptionTable() { psOptionSpecialPage = {0, 0, 0}; }

int SpecialPageGetTicketFromPDE(char* argv[]) {
  return GetTicketFromArray(argv, SpecialPageTicketData, kSpecialPageTicketRows);
}

uint32_t getOneValue(const char* source, char* field, size_t capacity) {
  if (source == nullptr || field == nullptr) return kGetOneValueMissing;
  const char* comma = std::strchr(source, ',');
  const size_t length = comma != nullptr ? static_cast<size_t>(comma - source) : std::strlen(source);
  size_t copied = capacity > 0 ? std::min(length, capacity - 1) : 0;
  if (copied < length) copied = WithoutSplitCharacter(source, copied);
  std::memcpy(field, source, copied);
  if (capacity > 0) field[copied] = '\0';
  return comma != nullptr ? static_cast<uint32_t>(length + 1) : 0;
}

size_t EscapeSpecialPageField(const char* text, char* out, size_t capacity) {
  if (out == nullptr || capacity == 0) return 0;
  size_t used = 0;
  auto append = [&](const char* bytes, size_t count) {
    if (used + count >= capacity) return false;
    std::memcpy(out + used, bytes, count);
    used += count;
    return true;
  };
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text != nullptr ? text : "");
  while (*p != '\0') {
    uint32_t character = 0;
    const size_t length = DecodeUtf8(p, &character);
    const size_t step = length > 0 ? length : 1;
    const char* entity = EntityFor(static_cast<char>(*p));
    bool fits;
    if (entity != nullptr) {
      fits = append(entity, std::strlen(entity));
    } else if (length == 0 || character < 0x20 || character == 0xFFFE || character == 0xFFFF) {
      fits = append(" ", 1);
    } else {
      fits = append(reinterpret_cast<const char*>(p), step);
    }
    if (!fits) break;
    p += step;
  }
  out[used] = '\0';
  return used;
}

void InjectQPIFCommandSP(char* argv[]) {
  SpecialPageCounts& counts = psOptionSpecialPage;
  counts.cover = std::max(counts.cover, 0);
  counts.insertion = std::max(counts.insertion, 0);
  counts.exception = std::max(counts.exception, 0);
  const long long total = static_cast<long long>(counts.cover) + counts.insertion + counts.exception;
  if (total <= 0) return;

  cups_option_t* options = nullptr;
  const int num_options = cupsParseOptions(argv[5], 0, &options);

  WriteElement(kHeadFormat, "1.0", "UTF-8", "qpif-v02030a.dtd", "1.0", "2.01", "en-US");
  ForEachEntry(kQPIFCoverValueTicketKey, counts.cover, num_options, options, WriteCover);
  if (counts.insertion > 0) {
    WriteElement("%s", "    <insert-sheet syntax=\"1setOf\">\n");
    ForEachEntry(kQPIFInsertionValueTicketKey, counts.insertion, num_options, options, WriteInsertion);
    WriteElement("%s", "    </insert-sheet>\n");
  }
  if (counts.exception > 0) {
    WriteElement("%s", "    <page-overrides syntax=\"1setOf\">\n");
    ForEachEntry(kQPIFExceptionValueTicketKey, counts.exception, num_options, options, WriteException);
    WriteElement("%s", "    </page-overrides>\n");
  }
  WriteElement("%s", kTail);
  cupsFreeOptions(num_options, options);
}

void SpecialPageResetState() { psOptionSpecialPage = {0, 0, 0}; }
