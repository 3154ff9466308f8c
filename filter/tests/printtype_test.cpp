// Print type: ticket table and hold commands.
#include "printtype.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "escapes.h"
#include "filter_test_support.h"
#include "jobstate.h"
#include "modules.h"

namespace {

template <size_t N>
void Set(char (&field)[N], const char* text) {
  std::memset(field, 0, N);
  std::strncpy(field, text, N - 1);
}

struct PrintTypeSettings {
  int printType = -1;
  const char* userName = "";
  const char* password = "";
  int documentNameType = -1;
  const char* documentName = "";
  const char* autoName = "";
  const char* delayTime = "";
  const char* mailbox = "";
  const char* mailboxPassword = "";
};

std::string Output(const PrintTypeSettings& s) {
  QPJLOptionPrintType& r = qpjlOptionPrintType;
  r = {};
  r.printType = s.printType;
  Set(r.userName, s.userName);
  Set(r.password, s.password);
  r.documentNameType = s.documentNameType;
  Set(r.documentName, s.documentName);
  Set(r.delayPrintTime, s.delayTime);
  Set(r.mailboxNumber, s.mailbox);
  Set(r.mailboxPassword, s.mailboxPassword);
  Set(PTStdDocumentName, s.autoName);
  PrintTypeInializeDescriptionTableFromFilter();
  return MakeVisible(CaptureStdout([] { PrintTypeOutputQPJLCommandFromFilter(); }));
}

struct RowsCase {
  const char* name;
  PrintTypeSettings settings;
  std::string expected;
};

class PrintTypeRowsTest : public ::testing::TestWithParam<RowsCase> {};

TEST_P(PrintTypeRowsTest, WritesTheRowsWhoseConditionsHold) {
  EXPECT_EQ(Output(GetParam().settings), MakeVisible(GetParam().expected));
}

PrintTypeSettings Secure(const char* user, const char* password) {
  PrintTypeSettings s;
  s.printType = OptionSecurePrint;
  s.userName = user;
  s.password = password;
  return s;
}

PrintTypeSettings Mailbox(const char* number, const char* password) {
  PrintTypeSettings s;
  s.printType = OptionMBN;
  s.userName = "alice";
  s.mailbox = number;
  s.mailboxPassword = password;
  return s;
}

PrintTypeSettings WithName(int printType, int nameType, const char* autoName, const char* entered) {
  PrintTypeSettings s;
  s.printType = printType;
  s.documentNameType = nameType;
  s.autoName = autoName;
  s.documentName = entered;
  return s;
}

PrintTypeSettings Delayed(const char* time) {
  PrintTypeSettings s;
  s.printType = OptionDelayPrint;
  s.userName = "alice";
  s.delayTime = time;
  return s;
}

PrintTypeSettings Sample(const char* user) {
  PrintTypeSettings s;
  s.printType = OptionSamplePrint;
  s.userName = user;
  s.password = "1234";
  return s;
}

PrintTypeSettings Absent(const char* user) {
  PrintTypeSettings s;
  s.userName = user;
  return s;
}

INSTANTIATE_TEST_SUITE_P(
    Settings, PrintTypeRowsTest,
    ::testing::Values(
        RowsCase{"SecureWithoutPassword", Secure("alice", ""),
                 "@PJL SET HOLD=STORE\n@PJL SET USERNAME=\"alice\"\r\n"},
        RowsCase{"SecureWithPassword", Secure("alice", "1234"),
                 "@PJL SET HOLD=STORE\n@PJL SET HOLDTYPE=PRIVATE\n@PJL SET USERNAME=\"alice\"\r\n"
                 "@PJL SET HOLDENCRYPTKEY=\"1234\"\r\n"},
        RowsCase{"SecureWithoutUser", Secure("", "1234"), ""},
        RowsCase{"Sample", Sample("bob"), "@PJL SET HOLD=PROOF\n@PJL SET USERNAME=\"bob\"\r\n"},
        RowsCase{"SampleWithoutUser", Sample(""), ""},
        RowsCase{"MailboxWithoutPassword", Mailbox("12", ""), "@PJL SET HOLD=BOXSTORE\n@PJL SET BOXNUMBER=12\r\n"},
        RowsCase{"MailboxWithPassword", Mailbox("7", "box9"),
                 "@PJL SET HOLD=BOXSTORE\n@PJL SET HOLDTYPE=PRIVATE\n@PJL SET BOXNUMBER=7\r\n"
                 "@PJL SET BOXENCRYPTKEY=\"box9\"\r\n"},
        RowsCase{"MailboxWithoutNumber", Mailbox("", ""), "@PJL SET HOLD=BOXSTORE\n"},
        RowsCase{"DelayedTimeAsReceived", Delayed("2024:5:6:7:8"), "@PJL SET JOBATTR=\"@PRTM=2024:5:6:7:8\"\r\n"},
        RowsCase{"DelayedWithoutTime", Delayed(""), ""},
        RowsCase{"NormalWritesNoJobName", WithName(OptionSecurePrintNone, 2, "Auto", "Entered"), ""},
        RowsCase{"AutomaticName", WithName(OptionSamplePrint, 1, "Auto", "Entered"),
                 "@PJL SET JOBNAME=\"Auto\"\r\n"},
        RowsCase{"EnteredName", WithName(OptionSecurePrint, 2, "Auto", "Entered"),
                 "@PJL SET JOBNAME=\"Entered\"\r\n"},
        RowsCase{"AutomaticNameEmpty", WithName(OptionSecurePrint, 1, "", "Entered"), ""},
        RowsCase{"AbsentTypeStillNamesTheUser", Absent("carol"), "@PJL SET USERNAME=\"carol\"\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PrintTypeRowsTest, UserNameOf72BytesIsStored) {
  std::string name(72, 'u');
  EXPECT_EQ(Output(Secure(name.c_str(), "")),
            MakeVisible("@PJL SET HOLD=STORE\n@PJL SET USERNAME=\"" + name + "\"\r\n"));
}

// No value read from the options can end its line early or add a command.
TEST(PrintTypeRowsTest, ValuesCannotStartACommand) {
  PrintTypeSettings s = Secure("a\r\n@PJL DEFAULT COPIES=9", "\"x\"\n");
  s.documentNameType = 2;
  s.documentName = "doc\n@PJL RESET\x1B";
  EXPECT_EQ(Output(s), MakeVisible("@PJL SET HOLD=STORE\n@PJL SET HOLDTYPE=PRIVATE\n"
                                   "@PJL SET USERNAME=\"a  @PJL DEFAULT COPIES=9\"\r\n"
                                   "@PJL SET HOLDENCRYPTKEY=\"'x' \"\r\n"
                                   "@PJL SET JOBNAME=\"doc @PJL RESET \"\r\n"));
  PrintTypeSettings m = Mailbox("1\r\n@", "\r\n");
  EXPECT_EQ(Output(m), MakeVisible("@PJL SET HOLD=BOXSTORE\n@PJL SET HOLDTYPE=PRIVATE\n@PJL SET BOXNUMBER=1  @\r\n"
                                   "@PJL SET BOXENCRYPTKEY=\"  \"\r\n"));
}

TEST(PrintTypeTicketTest, ReadsTheKeysWithTheByteCodeForm) {
  std::string options =
      "nvxjobs.printsettings.PrintTypeTicketKey=2 nvxjobs.printsettings.PrintTypeUserNameTicketKey=/72/105 "
      "nvxjobs.printsettings.PrintTypePasswordTicketKey=12345678901234567890 "
      "nvxjobs.printsettings.DocumentNameTypeTicketKey=2 nvxjobs.printsettings.DocumentNameTicketKey=Plan "
      "nvxjobs.printsettings.DelayPrintTicketKey=2024:1:2:3:4 nvxjobs.printsettings.PrintTypeMBNTicketKey=123456 "
      "nvxjobs.printsettings.PrintTypeMBNPasswordTicketKey=/13/10";
  char* argv[] = {const_cast<char*>("ovqfilter"), const_cast<char*>("1"), const_cast<char*>("u"),
                  const_cast<char*>("t"),         const_cast<char*>("1"), options.data(),
                  nullptr};
  qpjlOptionPrintType = {};
  EXPECT_EQ(PrintTypeGetTicketFromPDE(argv), 1);
  const QPJLOptionPrintType& r = qpjlOptionPrintType;
  EXPECT_EQ(r.printType, 2);
  EXPECT_STREQ(r.userName, "Hi");
  EXPECT_STREQ(r.password, "1234567890123456");
  EXPECT_EQ(r.documentNameType, 2);
  EXPECT_STREQ(r.documentName, "Plan");
  EXPECT_STREQ(r.delayPrintTime, "2024:1:2:3:4");
  EXPECT_STREQ(r.mailboxNumber, "1234");
  EXPECT_STREQ(r.mailboxPassword, "\r\n");
}

TEST(PrintTypeTicketTest, AbsentKeysReadAsAbsent) {
  std::string options = "copies=1";
  char* argv[] = {const_cast<char*>("ovqfilter"), const_cast<char*>("1"), const_cast<char*>("u"),
                  const_cast<char*>("t"),         const_cast<char*>("1"), options.data(),
                  nullptr};
  Set(qpjlOptionPrintType.userName, "stale");
  PrintTypeGetTicketFromPDE(argv);
  EXPECT_EQ(qpjlOptionPrintType.printType, -1);
  EXPECT_EQ(qpjlOptionPrintType.documentNameType, -1);
  EXPECT_STREQ(qpjlOptionPrintType.userName, "");
}

}  // namespace
