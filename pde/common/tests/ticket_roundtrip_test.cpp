// What the dialog writes into the print settings, the filter's own ticket
// readers read back: the byte-number form and the scrambled passcodes.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <cstring>

#include "base_panel.h"
#include "param_name.h"
#include "printtype.h"
#include "qsp.h"
#include "qt_test_support.h"
#include "text_controls.h"
#include "textconv.h"
#include "ticket.h"
#include "ticket_keys.h"

using namespace ovqpde;

namespace {

constexpr TextEditIniData kIni{.maxLength = 255};
constexpr AccessInfo kName{.ticketKey = kDocumentNameTicketKey};
constexpr AccessInfo kPasscode{.ticketKey = kPrintTypePasswordTicketKey};

// A panel with a document name field and a passcode field whose value is scrambled.
class TicketRoundTrip : public testing::Test {
 protected:
  void SetUp() override {
    EnsureOffscreenApplication();
    view_ = std::make_unique<QWidget>();
    panel_.CreatePanel(view_.get());
    name_ = Add(1025, &kName);
    passcode_ = Add(1026, &kPasscode);
    encrypt_.emplace_back(passcode_->GetControlPtr());
    panel_.InitializeUserPane(nullptr, nullptr);
  }

  TextEditCtrlNvx* Add(int tag, const AccessInfo* access) {
    auto* element = new QLineEdit(view_.get());
    element->setProperty("tag", tag);
    auto control = std::make_unique<TextEditCtrlNvx>();
    control->CreateControl(element, &kIni, nullptr, access, nullptr, nullptr);
    return panel_.AddControl(std::move(control));
  }

  // Writes both values; the print settings as CUPS hands them to the filter (argv[5]).
  std::string Write(const char* name, const char* passcode) {
    name_->ConvertFromPreferenceString(name);
    passcode_->ConvertFromPreferenceString(passcode);
    panel_.SetValueToTicket(&settings_, false, &encrypt_);
    std::string options;
    for (const auto& [key, value] : settings_.Values()) {
      options += key + "=\"";
      for (char c : value.text) options += c == '"' || c == '\\' ? std::string("\\") + c : std::string(1, c);
      options += "\" ";
    }
    return options;
  }

  std::string Stored(const char* key) const { return settings_.Find(key) ? settings_.Find(key)->text : "(none)"; }

  std::unique_ptr<QWidget> view_;
  BasePrintPanelNvx panel_;
  PrintSettings settings_;
  EncryptArray encrypt_;
  TextEditCtrlNvx* name_ = nullptr;
  TextEditCtrlNvx* passcode_ = nullptr;
};

struct NameRow {
  const char* name;
  const char* text;
  const char* stored;  // the form in the print settings, worked out by hand
};

class DocumentNames : public TicketRoundTrip, public testing::WithParamInterface<NameRow> {};

TEST_P(DocumentNames, PrintTypeModuleReadsTheTypedText) {
  std::string options = Write(GetParam().text, "1234");
  EXPECT_EQ(Stored(kDocumentNameTicketKey), GetParam().stored);
  EXPECT_EQ(Stored(kPrintTypePasswordTicketKey), "KHwYaQ==");  // "1234" scrambled, in Base64

  char* argv[] = {nullptr, nullptr, nullptr, nullptr, nullptr, options.data(), nullptr};
  GetTicketFromArray(argv, PrintTypeticketData, kPrintTypeTicketRows);
  EXPECT_STREQ(qpjlOptionPrintType.documentName, GetParam().text);
  EXPECT_STREQ(qpjlOptionPrintType.password, "KHwYaQ==");
  uint8_t scrambled[16] = {};
  char clear[16] = {};
  uint32_t length = 0;
  ASSERT_EQ(QSPB64ToBin(qpjlOptionPrintType.password, 8, scrambled, &length, sizeof scrambled), 0);
  ASSERT_EQ(QSPEncrypt(scrambled, static_cast<int32_t>(length), reinterpret_cast<uint8_t*>(clear), &length, 15), 0);
  EXPECT_STREQ(clear, "1234");
}

INSTANTIATE_TEST_SUITE_P(Ticket, DocumentNames,
                         testing::Values(NameRow{.name = "LeadingSlash", .text = "/x", .stored = "/47/120"},
                                         NameRow{.name = "Backslash", .text = "a\\b", .stored = "/97/92/98"},
                                         NameRow{.name = "Plain", .text = "Report 2024", .stored = "Report 2024"}),
                         RowName());

// 255 bytes that all take three digits but the backslash: 3 + 254 x 4 characters.
TEST_F(TicketRoundTrip, LongestTextComesBackWhole) {
  std::string text = "\\";
  for (int i = 0; i < 127; ++i) text += "\xC3\xA9";
  ASSERT_EQ(text.size(), 255u);
  std::string options = Write(text.c_str(), "");
  std::string stored = Stored(kDocumentNameTicketKey);
  EXPECT_EQ(stored.size(), 1019u);
  EXPECT_EQ(stored.substr(0, 11), "/92/195/169");
  EXPECT_EQ(Stored(kPrintTypePasswordTicketKey), "");

  cups_option_t* parsed = nullptr;
  int count = cupsParseOptions(options.c_str(), 0, &parsed);
  char read[kTicketWorkSize] = {};
  char direct[kTicketWorkSize] = {};
  GetTicketStringConvertedToPrtLang(kDocumentNameTicketKey, count, parsed, read, sizeof read);
  cupsFreeOptions(count, parsed);
  ConvertUTF8ToEncoding(text.c_str(), direct, sizeof direct);
  EXPECT_EQ(std::memcmp(read, direct, sizeof read), 0);
  EXPECT_NE(direct[0], '\0');
}

}  // namespace
