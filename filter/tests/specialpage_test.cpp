#include "specialpage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "filter_test_support.h"
#include "modules.h"

namespace {

// A field is cut at 49 bytes (never inside a character); the bytes consumed
// include the comma, and the last field consumes nothing.
TEST(SpecialPageFields, GetOneValueCopiesUpToTheComma) {
  const struct {
    std::string source, field;
    uint32_t consumed;
  } rows[] = {{.source = "front,stationery", .field = "front", .consumed = 6},
              {.source = "200", .field = "200", .consumed = 0},
              {.source = ",", .field = "", .consumed = 1},
              {.source = std::string(60, 'a') + ",b", .field = std::string(49, 'a'), .consumed = 61},
              {.source = std::string(200, 'b'), .field = std::string(49, 'b'), .consumed = 0},
              {.source = std::string(48, 'c') + "\xC3\xA9,d", .field = std::string(48, 'c'), .consumed = 51}};
  for (const auto& row : rows) {
    char field[kSpecialPageFieldSize + 8];
    std::memset(field, '#', sizeof field);
    EXPECT_EQ(getOneValue(row.source.c_str(), field), row.consumed);
    EXPECT_EQ(std::string(field), row.field);
    EXPECT_EQ(field[kSpecialPageFieldSize], '#');
  }
  char field[kSpecialPageFieldSize];
  EXPECT_EQ(getOneValue(nullptr, field), 4294967295u);
  EXPECT_EQ(getOneValue("a,b", nullptr), 4294967295u);
}

// Escaping into XML character data: controls and what is no XML character
// become blanks.
TEST(SpecialPageFields, EscapedAsCharacterData) {
  const struct {
    const char *text, *escaped;
  } rows[] = {{.text = "A&B<x>", .escaped = "A&amp;B&lt;x&gt;"},
              {.text = "\"it's\"", .escaped = "&quot;it&apos;s&quot;"},
              {.text = "a\tb\x01", .escaped = "a b "},
              {.text = "caf\xC3\xA9 \xE2\x82\xAC", .escaped = "caf\xC3\xA9 \xE2\x82\xAC"},
              {.text = "bad\xC3", .escaped = "bad "},
              {.text = "\xFF\xFE", .escaped = "  "},
              {.text = "\xEF\xBF\xBE\xEF\xBF\xBF", .escaped = "  "}};  // U+FFFE, U+FFFF: no XML characters
  for (const auto& row : rows) {
    char out[kSpecialPageEscapedSize] = {};
    EscapeSpecialPageField(row.text, out, sizeof out);
    EXPECT_STREQ(out, row.escaped);
  }
  char out[kSpecialPageEscapedSize] = {};
  EXPECT_EQ(EscapeSpecialPageField(std::string(49, '"').c_str(), out, sizeof out), 49u * 6);
}

// ---- The ticket. Whole tickets of every form are golden cases; here the edges.

const std::string kHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE qpif SYSTEM \"qpif-v02030a.dtd\">\n"
    "<qpif version=\"1.0\" cpss-version=\"2.01\" xml:lang=\"en-US\">\n"
    "  <job-template-attributes>\n";
const std::string kTail = "  </job-template-attributes>\n</qpif>\n";
const std::string kCover0 = "nvxjobs.printsettings.QPIFCoverValueTicket_0=";

std::string Inject(int covers, int insertions, int exceptions, const std::string& options) {
  ResetJobState();
  psOptionSpecialPage = {covers, insertions, exceptions};
  return CaptureStdout([&] { InjectQPIFCommandSP(JobArgs(options).argv()); });
}

TEST(InjectQPIF, CountsAndUnknownForms) {
  EXPECT_EQ(Inject(0, 0, 0, kCover0 + "0,0,front,Plain"), "");
  EXPECT_EQ(Inject(-1, -1, -1, ""), "");
  EXPECT_EQ(Inject(1, 0, 0, kCover0 + "2,0,x,y"), kHead + kTail);  // unknown side: nothing for the entry
  EXPECT_EQ(Inject(1, 0, 0, kCover0 + "0,7,x,y"),                  // unknown form: an empty cover
            kHead + "    <cover-front syntax=\"collection\">\n    </cover-front>\n" + kTail);
  // Count 1 and no value key: the enclosing element is still written.
  EXPECT_EQ(Inject(0, 1, 0, ""), kHead + "    <insert-sheet syntax=\"1setOf\">\n    </insert-sheet>\n" + kTail);
}

TEST(InjectQPIF, EntriesFollowTheirIndexWithinTheCount) {
  const std::string key = " nvxjobs.printsettings.QPIFExceptionValueTicket_", value = "=0,1,1,3,5,one-sided,";
  const std::string out = Inject(0, 0, 2,
                                 key + "1" + value + "Second" + key + "2" + value + "Third" + key + "00" + value +
                                     "Zero" + key + "0" + value + "First");
  const size_t first = out.find(">First<"), second = out.find(">Second<");
  ASSERT_NE(second, std::string::npos);
  EXPECT_LT(first, second);
  EXPECT_EQ(out.find(">Third<"), std::string::npos);  // index 2 is beyond the count
  EXPECT_EQ(out.find(">Zero<"), std::string::npos);   // "00" is not how an index is written
}

TEST(InjectQPIF, HugeCountIsHandledAtOnce) {
  const std::string out =
      Inject(2147483647, 2147483647, 2147483647, "nvxjobs.printsettings.QPIFCoverValueTicket_2147483646=1,0,back,Last");
  EXPECT_NE(out.find(">Last<"), std::string::npos);
  EXPECT_EQ(out.substr(out.size() - kTail.size()), kTail);
}

}  // namespace
