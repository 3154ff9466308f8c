#include "specialpage.h"

#include <gtest/gtest.h>

#include <cstring>
#include <pugixml.hpp>
#include <random>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "filter_test_support.h"
#include "modules.h"

namespace {

// ---- getOneValue: a field cut at 49 bytes (never inside a character), the bytes consumed.

using SplitCase = std::tuple<std::string, std::string, uint32_t>;  // source, field, consumed
class GetOneValueTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(GetOneValueTest, CopiesUpToTheComma) {
  const auto& [source, expected, consumed] = GetParam();
  char field[kSpecialPageFieldSize] = {};
  EXPECT_EQ(getOneValue(source.c_str(), field), consumed);
  EXPECT_EQ(std::string(field), expected);
}

INSTANTIATE_TEST_SUITE_P(Fields, GetOneValueTest,
                         ::testing::ValuesIn(std::vector<SplitCase>{
                             {"0,1,front", "0", 2},
                             {"front,stationery", "front", 6},
                             {"200", "200", 0},  // the last field: nothing consumed
                             {"", "", 0},
                             {",x", "", 1},
                             {",", "", 1},
                             {std::string(60, 'a') + ",b", std::string(49, 'a'), 61},
                             {std::string(95, 'b'), std::string(49, 'b'), 0},
                             {std::string(48, 'c') + "\xC3\xA9,d", std::string(48, 'c'), 51}}));

TEST(GetOneValue, MissingArgumentsAndBounds) {
  char buffer[kSpecialPageFieldSize + 8];
  EXPECT_EQ(getOneValue(nullptr, buffer), 4294967295u);
  EXPECT_EQ(getOneValue("a,b", nullptr), 4294967295u);
  std::memset(buffer, '#', sizeof buffer);
  getOneValue(std::string(200, 'z').c_str(), buffer);
  EXPECT_EQ(std::strlen(buffer), 49u);
  for (size_t i = kSpecialPageFieldSize; i < sizeof buffer; ++i) EXPECT_EQ(buffer[i], '#') << i;
}

// ---- Escaping into XML character data.

using EscapeCase = std::pair<const char*, const char*>;
class EscapeTest : public ::testing::TestWithParam<EscapeCase> {};

TEST_P(EscapeTest, MakesCharacterData) {
  char out[kSpecialPageEscapedSize] = {};
  EscapeSpecialPageField(GetParam().first, out, sizeof out);
  EXPECT_STREQ(out, GetParam().second);
}

INSTANTIATE_TEST_SUITE_P(Texts, EscapeTest,
                         ::testing::ValuesIn(std::vector<EscapeCase>{
                             {"Plain", "Plain"},
                             {"A&B", "A&amp;B"},
                             {"<x>", "&lt;x&gt;"},
                             {"\"q\"", "&quot;q&quot;"},
                             {"it's", "it&apos;s"},
                             {"a\tb\x01", "a b "},
                             {"caf\xC3\xA9", "caf\xC3\xA9"},
                             {"\xE2\x82\xAC 5", "\xE2\x82\xAC 5"},
                             {"bad\xC3", "bad "},
                             {"\xFF\xFE", "  "},
                             {"\xEF\xBF\xBE", " "},  // U+FFFE is no XML character
                             {"", ""}}));

TEST(Escape, FortyNineSpecialCharactersFit) {
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
  psOptionSpecialPage = {covers, insertions, exceptions};
  std::string argv5 = options;
  char* argv[] = {const_cast<char*>("ovqfilter"),
                  const_cast<char*>("1"),
                  const_cast<char*>("user"),
                  const_cast<char*>("title"),
                  const_cast<char*>("1"),
                  argv5.data(),
                  nullptr};
  return CaptureStdout([&] { InjectQPIFCommandSP(argv); });
}

TEST(InjectQPIF, CountsAndUnknownForms) {
  EXPECT_EQ(Inject(0, 0, 0, kCover0 + "0,0,front,Plain"), "");
  EXPECT_EQ(Inject(-1, -1, -1, ""), "");
  EXPECT_EQ(Inject(-5, 0, 3, "").substr(0, kHead.size()), kHead);  // a negative count does not cancel others
  EXPECT_EQ(psOptionSpecialPage.cover, 0);
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

// Field texts of every kind keep the ticket well-formed XML.
void ExpectWellFormed(const std::string& xml, pugi::xml_document& doc) {
  for (size_t i = 0; i < xml.size(); ++i) {
    ASSERT_TRUE(static_cast<unsigned char>(xml[i]) >= 0x20 || xml[i] == '\n') << "control byte at " << i;
  }
  const pugi::xml_parse_result result =
      doc.load_buffer(xml.data(), xml.size(), pugi::parse_default | pugi::parse_doctype);
  ASSERT_TRUE(result) << result.description() << " at " << result.offset << "\n" << xml;
  EXPECT_STREQ(doc.document_element().name(), "qpif");
}

TEST(InjectQPIF, HostileFieldTextsStayCharacterData) {
  const std::string hostile = "</media-type><evil a=\"1\">&amp;'x'";
  std::string byteForm;
  for (unsigned char c : "0,0,front," + hostile) byteForm += "/" + std::to_string(c);
  pugi::xml_document doc;
  ExpectWellFormed(Inject(1, 0, 0, kCover0 + byteForm), doc);
  EXPECT_EQ(std::string(doc.select_node("//media-type").node().child_value()), hostile);
  EXPECT_TRUE(doc.select_node("//evil").node().empty());
}

// Code points from every range: ASCII (with controls and the XML specials),
// Latin-1, the rest of the plane, non-characters, and beyond the plane.
std::string RandomText(std::mt19937& random) {
  static const char32_t kSpecials[] = {'&', '<', '>', '"', '\'', 0x01, 0x09, 0x0A, 0x0D, 0x7F, 0xFFFE, 0xFFFF};
  static const char32_t kBase[] = {0x20, 0x80, 0x800, 0x10000};
  static const char32_t kSpan[] = {0x5F, 0x780, 0xD000, 0x1000};
  std::string text;
  for (int i = 0, count = static_cast<int>(random() % 25); i < count; ++i) {
    const auto kind = static_cast<unsigned>(random() % 5);
    char32_t c =
        kind == 0 ? kSpecials[random() % 12] : kBase[kind - 1] + static_cast<char32_t>(random() % kSpan[kind - 1]);
    if (c == ',') c = ';';
    const int tail = c < 0x80 ? 0 : c < 0x800 ? 1 : c < 0x10000 ? 2 : 3;
    static const unsigned char kLead[] = {0x00, 0xC0, 0xE0, 0xF0};
    text += static_cast<char>(kLead[tail] | (c >> (6 * tail)));
    for (int t = tail - 1; t >= 0; --t) text += static_cast<char>(0x80 | ((c >> (6 * t)) & 0x3F));
  }
  return text;
}

// A quoted option value: any text, as the option string carries it.
std::string Quoted(const std::string& text) {
  std::string out = "\"";
  for (char c : text) out += (c == '"' || c == '\\') ? std::string("\\") + c : std::string(1, c);
  return out + "\"";
}

TEST(InjectQPIF, AnyFieldTextGivesWellFormedXml) {
  std::mt19937 random(20240601);
  for (int round = 0; round < 150; ++round) {
    std::string options;
    for (int i = 0; i < 2; ++i) {
      std::string values[] = {std::to_string(i) + "," + std::to_string(round % 2), std::to_string((round / 2) % 2),
                              std::to_string((round / 4) % 2)};
      const char* keys[] = {"Cover", "Insertion", "Exception"};
      const int fields[] = {5, 6, 9};
      for (int k = 0; k < 3; ++k) {
        for (int f = 0; f < fields[k]; ++f) values[k] += "," + RandomText(random);
        options += std::string(" nvxjobs.printsettings.QPIF") + keys[k] + "ValueTicket_" + std::to_string(i) + "=" +
                   Quoted(values[k]);
      }
    }
    SCOPED_TRACE(round);
    pugi::xml_document doc;
    ExpectWellFormed(Inject(2, 2, 2, options), doc);
    if (HasFatalFailure()) return;
  }
}

}  // namespace
