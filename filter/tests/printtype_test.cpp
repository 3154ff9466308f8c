// Print type: ticket table and hold commands.
#include "printtype.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "escapes.h"
#include "filter_test_support.h"
#include "jobstate.h"
#include "modules.h"

namespace {

QPJLOptionPrintType& R = qpjlOptionPrintType;

template <size_t N>
void Set(char (&field)[N], const std::string& text) {
  std::memset(field, 0, N);
  std::strncpy(field, text.c_str(), N - 1);
}

// Every key absent, then `setup`.
std::string Output(void (*setup)()) {
  R = {};
  R.printType = R.documentNameType = -1;
  Set(PTStdDocumentName, "");
  setup();
  PrintTypeInializeDescriptionTableFromFilter();
  return MakeVisible(CaptureStdout([] { PrintTypeOutputQPJLCommandFromFilter(); }));
}

void Secure(const char* user, const char* password) {
  R.printType = OptionSecurePrint;
  Set(R.userName, user);
  Set(R.password, password);
}

void Mailbox(const char* number, const char* password) {
  R.printType = OptionMBN;
  Set(R.userName, "alice");
  Set(R.mailboxNumber, number);
  Set(R.mailboxPassword, password);
}

void Named(int printType, int nameType, const char* autoName) {
  R.printType = printType;
  R.documentNameType = nameType;
  Set(PTStdDocumentName, autoName);
  Set(R.documentName, "Entered");
}

const std::string kUser = "@PJL SET USERNAME=\"alice\"\r\n";
const std::string kLongUser(72, 'u');

struct RowsCase {
  void (*setup)();
  std::string expected;
};

class PrintTypeRowsTest : public ::testing::TestWithParam<RowsCase> {};

TEST_P(PrintTypeRowsTest, WritesTheRowsWhoseConditionsHold) {
  EXPECT_EQ(Output(GetParam().setup), MakeVisible(GetParam().expected));
}

// Secure, sample, mailbox and delayed jobs with all their lines are golden
// cases; here the conditions that keep rows out and hostile values.
INSTANTIATE_TEST_SUITE_P(
    Settings, PrintTypeRowsTest,
    ::testing::ValuesIn(std::vector<RowsCase>{
        {[] { Secure("alice", ""); }, "@PJL SET HOLD=STORE\n" + kUser},
        {[] { Secure(kLongUser.c_str(), ""); }, "@PJL SET HOLD=STORE\n@PJL SET USERNAME=\"" + kLongUser + "\"\r\n"},
        {[] { Secure("", "1234"); }, ""},
        {[] {
           Secure("", "1234");
           R.printType = OptionSamplePrint;
         },
         ""},
        {[] { Mailbox("12", ""); }, "@PJL SET HOLD=BOXSTORE\n@PJL SET BOXNUMBER=12\r\n"},
        {[] { Mailbox("", ""); }, "@PJL SET HOLD=BOXSTORE\n"},
        {[] {
           Set(R.userName, "alice");
           R.printType = OptionDelayPrint;
         },
         ""},                                                   // delayed without a time
        {[] { Named(OptionSecurePrintNone, 2, "Auto"); }, ""},  // a normal job has no job name
        {[] { Named(OptionSamplePrint, 1, "Auto"); }, "@PJL SET JOBNAME=\"Auto\"\r\n"},
        {[] { Named(OptionSecurePrint, 2, "Auto"); }, "@PJL SET JOBNAME=\"Entered\"\r\n"},
        {[] { Named(OptionSecurePrint, 1, ""); }, ""},
        {[] { Set(R.userName, "alice"); }, kUser},  // an absent type still names the user
        // No value read from the options can end its line early or add a command.
        {[] {
           Secure("a\r\n@PJL DEFAULT COPIES=9", "\"x\"\n");
           R.documentNameType = 2;
           Set(R.documentName, "doc\n@PJL RESET\x1B");
         },
         "@PJL SET HOLD=STORE\n@PJL SET HOLDTYPE=PRIVATE\n@PJL SET USERNAME=\"a   PJL DEFAULT COPIES=9\"\r\n"
         "@PJL SET HOLDENCRYPTKEY=\"'x' \"\r\n@PJL SET JOBNAME=\"doc  PJL RESET \"\r\n"},
        {[] { Mailbox("1\r\n@", "\r\n"); },
         "@PJL SET HOLD=BOXSTORE\n@PJL SET HOLDTYPE=PRIVATE\n@PJL SET BOXNUMBER=1  @\r\n"
         "@PJL SET BOXENCRYPTKEY=\"  \"\r\n"}}));

int ReadTicket(std::string options) {
  char* argv[] = {const_cast<char*>("ovqfilter"),
                  const_cast<char*>("1"),
                  const_cast<char*>("u"),
                  const_cast<char*>("t"),
                  const_cast<char*>("1"),
                  options.data(),
                  nullptr};
  return PrintTypeGetTicketFromPDE(argv);
}

TEST(PrintTypeTicketTest, ReadsTheKeysWithTheByteCodeForm) {
  R = {};
  EXPECT_EQ(
      ReadTicket("nvxjobs.printsettings.PrintTypeTicketKey=2 nvxjobs.printsettings.PrintTypeUserNameTicketKey=/72/105 "
                 "nvxjobs.printsettings.PrintTypePasswordTicketKey=12345678901234567890 "
                 "nvxjobs.printsettings.DocumentNameTypeTicketKey=2 nvxjobs.printsettings.DocumentNameTicketKey=Plan "
                 "nvxjobs.printsettings.DelayPrintTicketKey=2024:1:2:3:4 "
                 "nvxjobs.printsettings.PrintTypeMBNTicketKey=123456 "
                 "nvxjobs.printsettings.PrintTypeMBNPasswordTicketKey=/13/10"),
      1);
  EXPECT_EQ(R.printType, 2);
  EXPECT_STREQ(R.userName, "Hi");
  EXPECT_STREQ(R.password, "1234567890123456");
  EXPECT_EQ(R.documentNameType, 2);
  EXPECT_STREQ(R.documentName, "Plan");
  EXPECT_STREQ(R.delayPrintTime, "2024:1:2:3:4");
  EXPECT_STREQ(R.mailboxNumber, "1234");
  EXPECT_STREQ(R.mailboxPassword, "\r\n");
}

TEST(PrintTypeTicketTest, AbsentKeysReadAsAbsent) {
  Set(R.userName, "stale");
  ReadTicket("copies=1");
  EXPECT_EQ(R.printType, -1);
  EXPECT_EQ(R.documentNameType, -1);
  EXPECT_STREQ(R.userName, "");
}

}  // namespace
