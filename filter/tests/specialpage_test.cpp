#include "specialpage.h"

#include <gtest/gtest.h>

#include <pugixml.hpp>
#include <cstring>
#include <random>
#include <ostream>
#include <string>
#include <vector>

#include "modules.h"
#include "filter_test_support.h"

namespace {

// ---------------------------------------------------------------------------
// getOneValue.

struct SplitCase {
  const char* source;
  const char* field;
  uint32_t consumed;
};
std::ostream& operator<<(std::ostream& os, const SplitCase& c) { return os << '"' << c.source << '"'; }

class GetOneValueTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(GetOneValueTest, CopiesUpToTheComma) {
  char field[kSpecialPageFieldSize] = {};
  EXPECT_EQ(getOneValue(GetParam().source, field), GetParam().consumed);
  EXPECT_STREQ(field, GetParam().field);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, GetOneValueTest,
    ::testing::Values(SplitCase{"0,1,front", "0", 2}, SplitCase{"front,stationery", "front", 6},
                      SplitCase{"200", "200", 0},  // the last field: nothing consumed
                      SplitCase{"", "", 0}, SplitCase{",x", "", 1}, SplitCase{",", "", 1},
                      // Longer than 49 bytes: cut at 49, but the whole field is consumed.
                      SplitCase{"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa,b",
                                "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", 61},
                      SplitCase{"bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb",
                                "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb", 0},
                      // 48 bytes and a two-byte character: the character does not fit and is dropped whole.
                      SplitCase{"cccccccccccccccccccccccccccccccccccccccccccccccc\xC3\xA9,d",
                                "cccccccccccccccccccccccccccccccccccccccccccccccc", 51}));

TEST(GetOneValue, MissingSourceOrField) {
  char field[kSpecialPageFieldSize] = {};
  EXPECT_EQ(getOneValue(nullptr, field), 4294967295u);
  EXPECT_EQ(getOneValue("a,b", nullptr), 4294967295u);
}

TEST(GetOneValue, WritesNothingBeyondTheField) {
  char buffer[kSpecialPageFieldSize + 8];
  std::memset(buffer, '#', sizeof buffer);
  std::string source(200, 'z');
  getOneValue(source.c_str(), buffer);
  EXPECT_EQ(std::strlen(buffer), 49u);
  for (size_t i = kSpecialPageFieldSize; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], '#') << i;
}

// ---------------------------------------------------------------------------
// Escaping.

struct EscapeCase {
  const char* text;
  const char* escaped;
};
std::ostream& operator<<(std::ostream& os, const EscapeCase& c) { return os << '"' << c.text << '"'; }

class EscapeTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeTest, MakesCharacterData) {
  char out[kSpecialPageEscapedSize] = {};
  EscapeSpecialPageField(GetParam().text, out, sizeof out);
  EXPECT_STREQ(out, GetParam().escaped);
}

INSTANTIATE_TEST_SUITE_P(Texts, EscapeTest,
                         ::testing::Values(EscapeCase{"Plain", "Plain"}, EscapeCase{"A&B", "A&amp;B"},
                                           EscapeCase{"<x>", "&lt;x&gt;"}, EscapeCase{"\"q\"", "&quot;q&quot;"},
                                           EscapeCase{"it's", "it&apos;s"}, EscapeCase{"a\tb\x01", "a b "},
                                           EscapeCase{"caf\xC3\xA9", "caf\xC3\xA9"},
                                           EscapeCase{"\xE2\x82\xAC 5", "\xE2\x82\xAC 5"},
                                           EscapeCase{"bad\xC3", "bad "}, EscapeCase{"\xFF\xFE", "  "},
                                           EscapeCase{"\xEF\xBF\xBE", " "},  // U+FFFE is no XML character
                                           EscapeCase{"", ""}));

TEST(Escape, FortyNineSpecialCharactersFit) {
  const std::string text(49, '"');
  char out[kSpecialPageEscapedSize] = {};
  EXPECT_EQ(EscapeSpecialPageField(text.c_str(), out, sizeof out), 49u * 6);
}

// ---------------------------------------------------------------------------
// The ticket.

const std::string kHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE qpif SYSTEM \"qpif-v02030a.dtd\">\n"
    "<qpif version=\"1.0\" cpss-version=\"2.01\" xml:lang=\"en-US\">\n"
    "  <job-template-attributes>\n";
const std::string kTail = "  </job-template-attributes>\n</qpif>\n";

std::string Inject(int covers, int insertions, int exceptions, const std::string& options) {
  psOptionSpecialPage = {covers, insertions, exceptions};
  std::string argv5 = options;
  char* argv[] = {const_cast<char*>("ovqfilter"), const_cast<char*>("1"), const_cast<char*>("user"),
                  const_cast<char*>("title"),     const_cast<char*>("1"), argv5.data(), nullptr};
  return CaptureStdout([&] { InjectQPIFCommandSP(argv); });
}

// The byte-number form of a text, which carries any byte through the option string.
std::string ByteForm(const std::string& text) {
  std::string out;
  for (unsigned char c : text) out += "/" + std::to_string(c);
  return out;
}

// A quoted option value: any text, as the option string carries it.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out + "\"";
}

TEST(InjectQPIF, NothingWithoutCounts) {
  EXPECT_EQ(Inject(0, 0, 0, "nvxjobs.printsettings.QPIFCoverValueTicket_0=0,0,front,Plain"), "");
  EXPECT_EQ(Inject(-1, -1, -1, ""), "");
  EXPECT_EQ(Inject(-5, 0, 3, "").substr(0, kHead.size()), kHead);  // a negative count does not cancel others
  EXPECT_EQ(psOptionSpecialPage.cover, 0);
}

TEST(InjectQPIF, CoverFrontByTypeColourAndSize) {
  EXPECT_EQ(Inject(1, 0, 0, "nvxjobs.printsettings.QPIFCoverValueTicket_0=0,1,front,stationery,white,100,200"),
            kHead +
                "    <cover-front syntax=\"collection\">\n"
                "        <cover-type syntax=\"keyword\">front</cover-type>\n"
                "        <media-col syntax=\"collection\">\n"
                "            <media-type syntax=\"keyword\">stationery</media-type>\n"
                "            <media-color syntax=\"keyword\">white</media-color>\n"
                "            <media-size syntax=\"collection\">\n"
                "                <x-dimension syntax=\"integer\">100</x-dimension>\n"
                "                <y-dimension syntax=\"integer\">200</y-dimension>\n"
                "            </media-size>\n"
                "        </media-col>\n"
                "    </cover-front>\n" +
                kTail);
}

TEST(InjectQPIF, CoverBackByName) {
  EXPECT_EQ(Inject(1, 0, 0, "nvxjobs.printsettings.QPIFCoverValueTicket_0=1,0,back,Plain"),
            kHead +
                "    <cover-back syntax=\"collection\">\n"
                "        <cover-type syntax=\"keyword\">back</cover-type>\n"
                "        <media-col syntax=\"collection\">\n"
                "            <media-type syntax=\"name\">Plain</media-type>\n"
                "        </media-col>\n"
                "    </cover-back>\n" +
                kTail);
}

TEST(InjectQPIF, UnknownSideWritesNothingForTheEntry) {
  EXPECT_EQ(Inject(1, 0, 0, "nvxjobs.printsettings.QPIFCoverValueTicket_0=2,0,x,y"), kHead + kTail);
}

TEST(InjectQPIF, UnknownFormLeavesTheCoverEmpty) {
  EXPECT_EQ(Inject(1, 0, 0, "nvxjobs.printsettings.QPIFCoverValueTicket_0=0,7,x,y"),
            kHead + "    <cover-front syntax=\"collection\">\n    </cover-front>\n" + kTail);
}

TEST(InjectQPIF, InsertionsSkipMissingKeys) {
  EXPECT_EQ(Inject(0, 2, 0, "nvxjobs.printsettings.QPIFInsertionValueTicket_1=0,4,2,Colored"),
            kHead +
                "    <insert-sheet syntax=\"1setOf\">\n"
                "        <value syntax=\"collection\">\n"
                "                <insert-after-page-number syntax=\"integer\">4</insert-after-page-number>\n"
                "                <insert-count syntax=\"integer\">2</insert-count>\n"
                "                <media-col syntax=\"collection\">\n"
                "                    <media-type syntax=\"name\">Colored</media-type>\n"
                "                </media-col>\n"
                "        </value>\n"
                "    </insert-sheet>\n" +
                kTail);
}

TEST(InjectQPIF, InsertionByTypeAndEmptyEnclosure) {
  EXPECT_EQ(Inject(0, 1, 0, "nvxjobs.printsettings.QPIFInsertionValueTicket_0=1,3,1,blue,210,297,thick"),
            kHead +
                "    <insert-sheet syntax=\"1setOf\">\n"
                "        <value syntax=\"collection\">\n"
                "                <insert-after-page-number syntax=\"integer\">3</insert-after-page-number>\n"
                "                <insert-count syntax=\"integer\">1</insert-count>\n"
                "                <media-col syntax=\"collection\">\n"
                "                    <media-color syntax=\"keyword\">blue</media-color>\n"
                "                    <media-size syntax=\"collection\">\n"
                "                        <x-dimension syntax=\"integer\">210</x-dimension>\n"
                "                        <y-dimension syntax=\"integer\">297</y-dimension>\n"
                "                    </media-size>\n"
                "                    <media-type syntax=\"keyword\">thick</media-type>\n"
                "                </media-col>\n"
                "        </value>\n"
                "    </insert-sheet>\n" +
                kTail);
  // Count 1 and no value key: the enclosing element is still written.
  EXPECT_EQ(Inject(0, 1, 0, ""), kHead + "    <insert-sheet syntax=\"1setOf\">\n    </insert-sheet>\n" + kTail);
}

const std::string kExceptionRanges =
    "        <value syntax=\"collection\">\n"
    "            <input-documents syntax=\"1setOf\">\n"
    "                <value syntax=\"rangeOfInteger\">\n"
    "                    <lower-bound syntax=\"integer\">1</lower-bound>\n"
    "                    <upper-bound syntax=\"integer\">1</upper-bound>\n"
    "                </value>\n"
    "            </input-documents>\n"
    "            <pages syntax=\"1setOf\">\n"
    "                <value syntax=\"rangeOfInteger\">\n"
    "                    <lower-bound syntax=\"integer\">3</lower-bound>\n"
    "                    <upper-bound syntax=\"integer\">5</upper-bound>\n"
    "                </value>\n"
    "            </pages>\n"
    "            <sides syntax=\"keyword\">one-sided</sides>\n";

TEST(InjectQPIF, ExceptionByName) {
  EXPECT_EQ(Inject(0, 0, 1, "nvxjobs.printsettings.QPIFExceptionValueTicket_0=0,1,1,3,5,one-sided,Thick"),
            kHead + "    <page-overrides syntax=\"1setOf\">\n" + kExceptionRanges +
                "            <media-col syntax=\"collection\">\n"
                "                <media-type syntax=\"name\">Thick</media-type>\n"
                "            </media-col>\n"
                "        </value>\n"
                "    </page-overrides>\n" +
                kTail);
}

TEST(InjectQPIF, ExceptionByTypeAfterCovers) {
  EXPECT_EQ(Inject(1, 0, 1,
                   "nvxjobs.printsettings.QPIFExceptionValueTicket_0=1,1,1,3,5,one-sided,Thick,red,100,200 "
                   "nvxjobs.printsettings.QPIFCoverValueTicket_0=1,0,back,Plain"),
            kHead +
                "    <cover-back syntax=\"collection\">\n"
                "        <cover-type syntax=\"keyword\">back</cover-type>\n"
                "        <media-col syntax=\"collection\">\n"
                "            <media-type syntax=\"name\">Plain</media-type>\n"
                "        </media-col>\n"
                "    </cover-back>\n"
                "    <page-overrides syntax=\"1setOf\">\n" +
                kExceptionRanges +
                "            <media-col syntax=\"collection\">\n"
                "                <media-type syntax=\"name\">Thick</media-type>\n"
                "                <media-color syntax=\"keyword\">red</media-color>\n"
                "                <media-size syntax=\"collection\">\n"
                "                    <x-dimension syntax=\"integer\">100</x-dimension>\n"
                "                    <y-dimension syntax=\"integer\">200</y-dimension>\n"
                "                </media-size>\n"
                "            </media-col>\n"
                "        </value>\n"
                "    </page-overrides>\n" +
                kTail);
}

TEST(InjectQPIF, ShortValueRepeatsItsLastField) {
  const std::string out = Inject(1, 0, 0, "nvxjobs.printsettings.QPIFCoverValueTicket_0=0,1,front,glossy");
  EXPECT_NE(out.find("<media-color syntax=\"keyword\">glossy</media-color>"), std::string::npos) << out;
  EXPECT_NE(out.find("<y-dimension syntax=\"integer\">glossy</y-dimension>"), std::string::npos) << out;
}

TEST(InjectQPIF, EntriesFollowTheirIndexWithinTheCount) {
  const std::string out = Inject(0, 0, 2,
                                 "nvxjobs.printsettings.QPIFExceptionValueTicket_1=0,1,1,3,5,one-sided,Second "
                                 "nvxjobs.printsettings.QPIFExceptionValueTicket_2=0,1,1,3,5,one-sided,Third "
                                 "nvxjobs.printsettings.QPIFExceptionValueTicket_00=0,1,1,3,5,one-sided,Zero "
                                 "nvxjobs.printsettings.QPIFExceptionValueTicket_0=0,1,1,3,5,one-sided,First");
  const size_t first = out.find(">First<");
  const size_t second = out.find(">Second<");
  ASSERT_NE(first, std::string::npos);
  ASSERT_NE(second, std::string::npos);
  EXPECT_LT(first, second);
  EXPECT_EQ(out.find(">Third<"), std::string::npos);  // index 2 is beyond the count
  EXPECT_EQ(out.find(">Zero<"), std::string::npos);   // "00" is not how an index is written
}

TEST(InjectQPIF, HugeCountIsHandledAtOnce) {
  const std::string out = Inject(2147483647, 2147483647, 2147483647,
                                 "nvxjobs.printsettings.QPIFCoverValueTicket_2147483646=1,0,back,Last");
  EXPECT_NE(out.find(">Last<"), std::string::npos);
  EXPECT_EQ(out.substr(out.size() - kTail.size()), kTail);
}

// Field texts of every kind keep the ticket well-formed XML, and each field
// reads back as its text (cut at 49 bytes).

void ExpectWellFormedUtf8(const std::string& xml) {
  for (size_t i = 0; i < xml.size(); ++i) {
    const unsigned char c = static_cast<unsigned char>(xml[i]);
    ASSERT_TRUE(c >= 0x20 || c == '\n') << "control byte at " << i;
  }
  pugi::xml_document doc;
  const pugi::xml_parse_result result = doc.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_doctype);
  ASSERT_TRUE(result) << result.description() << " at " << result.offset << "\n" << xml;
  EXPECT_STREQ(doc.document_element().name(), "qpif");
}

TEST(InjectQPIF, HostileFieldTextsStayCharacterData) {
  const std::string hostile = "</media-type><evil a=\"1\">&amp;'x'";
  const std::string value = "0,0,front," + hostile;
  const std::string out = Inject(1, 0, 0, "nvxjobs.printsettings.QPIFCoverValueTicket_0=" + ByteForm(value));
  ExpectWellFormedUtf8(out);
  pugi::xml_document doc;
  doc.load_string(out.c_str());
  EXPECT_EQ(std::string(doc.select_node("//media-type").node().child_value()), hostile);
  EXPECT_TRUE(doc.select_node("//evil").node().empty());
}

std::string RandomText(std::mt19937& random) {
  // Code points from every range: ASCII (with controls and the XML specials),
  // Latin-1, the rest of the plane, non-characters, and beyond the plane.
  static const char32_t kSpecials[] = {'&', '<', '>', '"', '\'', 0x01, 0x09, 0x0A, 0x0D, 0x7F, 0xFFFE, 0xFFFF};
  std::uniform_int_distribution<int> kind(0, 4);
  std::uniform_int_distribution<int> length(0, 24);
  std::string text;
  const int count = length(random);
  for (int i = 0; i < count; ++i) {
    char32_t c;
    switch (kind(random)) {
      case 0: c = kSpecials[random() % (sizeof kSpecials / sizeof kSpecials[0])]; break;
      case 1: c = 0x20 + random() % 0x5F; break;
      case 2: c = 0x80 + random() % 0x780; break;
      case 3: c = 0x800 + random() % 0xD000; break;
      default: c = 0x10000 + random() % 0x1000; break;
    }
    if (c == ',') c = ';';
    if (c < 0x80) {
      text += static_cast<char>(c);
    } else if (c < 0x800) {
      text += static_cast<char>(0xC0 | (c >> 6));
      text += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      text += static_cast<char>(0xE0 | (c >> 12));
      text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      text += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      text += static_cast<char>(0xF0 | (c >> 18));
      text += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      text += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      text += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return text;
}

TEST(InjectQPIF, AnyFieldTextGivesWellFormedXml) {
  std::mt19937 random(20240601);
  for (int round = 0; round < 150; ++round) {
    std::string options;
    const char* forms[] = {"0", "1"};
    for (int i = 0; i < 2; ++i) {
      std::string cover = std::string(i == 0 ? "0" : "1") + "," + forms[round % 2];
      std::string insertion = forms[(round / 2) % 2];
      std::string exception = forms[(round / 4) % 2];
      for (int f = 0; f < 5; ++f) cover += "," + RandomText(random);
      for (int f = 0; f < 6; ++f) insertion += "," + RandomText(random);
      for (int f = 0; f < 9; ++f) exception += "," + RandomText(random);
      options += " nvxjobs.printsettings.QPIFCoverValueTicket_" + std::to_string(i) + "=" + Quoted(cover);
      options += " nvxjobs.printsettings.QPIFInsertionValueTicket_" + std::to_string(i) + "=" + Quoted(insertion);
      options += " nvxjobs.printsettings.QPIFExceptionValueTicket_" + std::to_string(i) + "=" + Quoted(exception);
    }
    const std::string out = Inject(2, 2, 2, options);
    SCOPED_TRACE(round);
    ExpectWellFormedUtf8(out);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
