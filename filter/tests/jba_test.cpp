// Job accounting: ticket table and the administrator and common tables.
#include "jba.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "escapes.h"
#include "filter_test_support.h"
#include "jobstate.h"
#include "modules.h"

namespace {

QPJLOptionJBA& J = qpjlOptionJBA;

template <size_t N>
void Set(char (&field)[N], const std::string& text) {
  std::memset(field, 0, N);
  std::strncpy(field, text.c_str(), N - 1);
}

constexpr int kLogin = OptionComInUserTypeUseLogin;
constexpr int kEntered = OptionComInUserTypeEnterName;

// The job as the job flow leaves it (login "alice" on host "pc1", one page a
// sheet), every accounting key absent, then `setup`.
std::string Output(void (*setup)()) {
  Set(StdUserName, "alice");
  Set(HostNameStr, "pc1");
  Set(IPAddressStr, "");
  Set(StdNUpInfo, "1");
  Set(PTStdDocumentName, "");
  J = {};
  J.manageType = J.adminUserSetting = J.adminUserIDType = J.adminUserInput = -1;
  J.userSetting = J.userIDType = J.userInput = -1;
  setup();
  Set(StdJBAUserName, StdUserName);
  JBAInializeDescriptionTableFromFilter();
  return MakeVisible(CaptureStdout([] { JBAOutputQPJLCommandFromFilter(nullptr); }));
}

void Admin(int idType) {
  J.manageType = JBAModeListAdmin;
  J.adminUserSetting = 1;
  J.adminUserIDType = idType;
  Set(J.adminUserPassword, "pw");
}

void User(int idType) {
  J.manageType = JBAModeListUser;
  J.userSetting = 1;
  J.userIDType = idType;
}

std::string Attr(const std::string& value) { return "@PJL SET JOBATTR=\"@" + value + "\"\n"; }
std::string Secret(const std::string& value) { return "@PJL SET JOBATTR=\"@" + value + "\"\r\n"; }

const std::string kHostUser = Attr("CNAM=pc1") + Attr("LUNA=alice");
const std::string kCommon = kHostUser + Attr("NLPP=1");

struct RowsCase {
  void (*setup)();
  std::string expected;
};

class JBARowsTest : public ::testing::TestWithParam<RowsCase> {};

TEST_P(JBARowsTest, WritesTheRowsWhoseConditionsHold) {
  EXPECT_EQ(Output(GetParam().setup), MakeVisible(GetParam().expected));
}

// Every row, with date, time, document name, address and layout, is written by
// a whole-filter case; here the conditions that must keep a row out, the common
// lines' fallbacks, and hostile values.
INSTANTIATE_TEST_SUITE_P(Modes, JBARowsTest,
                         ::testing::ValuesIn(std::vector<RowsCase>{
                             {[] {
                                Admin(kLogin);
                                J.manageType = -1;
                              },
                              kCommon},                           // no management type
                             {[] { Admin(kEntered); }, kCommon},  // entered, without an ID
                             {[] {
                                J.manageType = JBAModeListAdmin;
                                J.adminUserInput = 1;
                                Set(J.inputUserPassword, "inpw");
                              },
                              kCommon},
                             {[] {
                                User(kEntered);
                                Set(J.userPassword, "pw");
                              },
                              kCommon},
                             // Administrator keys on a user-mode job, and user keys on no mode: nothing.
                             {[] {
                                Admin(1);
                                J.manageType = JBAModeListUser;
                                J.userSetting = 1;
                                J.userIDType = 3;
                              },
                              kCommon},
                             {[] {
                                Set(HostNameStr, "");
                                Set(StdUserName, "");
                                Set(IPAddressStr, "198.51.100.1");
                                Set(StdNUpInfo, "");
                                User(kLogin);
                                Set(J.userPassword, "pw");
                              },
                              Attr("CNAM=UnknownHost") + Attr("LUNA=UnknownUser") + Attr("HOAD=198.51.100.1")},
                             // The dialog's address wins over this computer's.
                             {[] {
                                Set(IPAddressStr, "198.51.100.1");
                                Set(J.ipAddress, "192.0.2.7");
                              },
                              kHostUser + Attr("HOAD=192.0.2.7") + Attr("NLPP=1")},
                             {[] {
                                User(kEntered);
                                Set(J.userID, "id\r\n@PJL DEFAULT X=1");
                                Set(J.userPassword, "p\"w");
                                Set(J.printDate, "1\n@PJL RESET");
                                Set(J.printTime, "\r");
                              },
                              "@PJL COMMENT DATE=1  PJL RESET\n@PJL COMMENT TIME= \n" + kCommon +
                                  Secret("JOAU=id   PJL DEFAULT X=1") + Secret("JOEP=p'w")}}));

TEST(JBATicketTest, ReadsCommonThenAdministratorKeys) {
  std::string options =
      "nvxjobs.printsettings.JBAManageTypeListTicketKey=1 nvxjobs.printsettings.JBAAdminUserSettingRadioBtnTicket=1 "
      "nvxjobs.printsettings.JBAAdminUserIDListCtrlTicket=2 nvxjobs.printsettings.JBAAdminUserIDTextEditTicket=/65/66 "
      "nvxjobs.printsettings.JBAIPAddressStringTicket=192.0.2.7 number-up=2 "
      "com.apple.print.PrintSettings.PMLayoutRows..n.=1 com.apple.print.PrintSettings.PMLayoutColumns..n.=2 "
      "nvxjobs.printsettings.JBAUserIDTextEditTicket=";
  char* argv[] = {const_cast<char*>("ovqfilter"),
                  const_cast<char*>("1"),
                  const_cast<char*>("u"),
                  const_cast<char*>("t"),
                  const_cast<char*>("1"),
                  options.data(),
                  nullptr};
  J = {};
  ClearLayoutGlobals();
  EXPECT_EQ(JBAGetTicketFromPDE(argv), 1);
  EXPECT_EQ(J.manageType, 1);
  EXPECT_EQ(J.adminUserSetting, 1);
  EXPECT_EQ(J.adminUserIDType, 2);
  EXPECT_STREQ(J.adminUserID, "AB");
  EXPECT_STREQ(J.ipAddress, "192.0.2.7");
  EXPECT_EQ(J.userIDAbsent, 0);
  EXPECT_EQ(J.userSetting, -1);
  EXPECT_STREQ(StdNUpInfo, "N2");
  EXPECT_STREQ(StdLayoutInfo, "2");
  EXPECT_STREQ(StdLayoutRowInfo, "1");
  EXPECT_STREQ(StdLayoutColumnInfo, "2");
}

}  // namespace
