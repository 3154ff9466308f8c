// Job accounting: ticket table and the administrator and common tables.
#include "jba.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "escapes.h"
#include "filter_test_support.h"
#include "jobstate.h"
#include "modules.h"

namespace {

template <size_t N>
void Set(char (&field)[N], const std::string& text) {
  std::memset(field, 0, N);
  std::strncpy(field, text.c_str(), N - 1);
}

// The job's identity as the job flow leaves it, and the accounting choices.
struct JobIdentity {
  std::string login = "alice";
  std::string host = "pc1";
  std::string ownAddress;
  std::string numberUp = "1";
  std::string documentName;
};

struct Accounting {
  int manageType = -1;
  // Administrator mode.
  int adminDetails = -1;
  int adminIDType = -1;
  std::string adminID;
  std::string adminPassword;
  int adminInput = -1;
  // User mode.
  int userDetails = -1;
  int userIDType = -1;
  std::string userID;
  std::string userPassword;
  int userInput = -1;
  // Both.
  std::string inputID;
  std::string inputPassword;
  std::string address;
  std::string date;
  std::string time;
};

std::string Output(const JobIdentity& job, const Accounting& a) {
  Set(StdUserName, job.login);
  Set(StdJBAUserName, job.login.substr(0, 32));
  Set(HostNameStr, job.host);
  Set(IPAddressStr, job.ownAddress);
  Set(StdNUpInfo, job.numberUp);
  Set(PTStdDocumentName, job.documentName);
  QPJLOptionJBA& r = qpjlOptionJBA;
  r = {};
  r.manageType = a.manageType;
  r.adminUserSetting = a.adminDetails;
  r.adminUserIDType = a.adminIDType;
  Set(r.adminUserID, a.adminID);
  Set(r.adminUserPassword, a.adminPassword);
  r.adminUserInput = a.adminInput;
  r.userSetting = a.userDetails;
  r.userIDType = a.userIDType;
  Set(r.userID, a.userID);
  Set(r.userPassword, a.userPassword);
  r.userInput = a.userInput;
  Set(r.inputUserID, a.inputID);
  Set(r.inputUserPassword, a.inputPassword);
  Set(r.ipAddress, a.address);
  Set(r.printDate, a.date);
  Set(r.printTime, a.time);
  JBAInializeDescriptionTableFromFilter();
  return MakeVisible(CaptureStdout([] { JBAOutputQPJLCommandFromFilter(nullptr); }));
}

const std::string kCommon = "@PJL SET JOBATTR=\"@CNAM=pc1\"\n@PJL SET JOBATTR=\"@LUNA=alice\"\n"
                            "@PJL SET JOBATTR=\"@NLPP=1\"\n";

std::string Joau(const std::string& id) { return "@PJL SET JOBATTR=\"@JOAU=" + id + "\"\r\n"; }
std::string Joep(const std::string& password) { return "@PJL SET JOBATTR=\"@JOEP=" + password + "\"\r\n"; }

struct RowsCase {
  const char* name;
  Accounting accounting;
  std::string expected;
};

class JBARowsTest : public ::testing::TestWithParam<RowsCase> {};

TEST_P(JBARowsTest, WritesTheRowsWhoseConditionsHold) {
  EXPECT_EQ(Output(JobIdentity{}, GetParam().accounting), MakeVisible(GetParam().expected));
}

constexpr int kLogin = OptionComInUserTypeUseLogin;
constexpr int kEntered = OptionComInUserTypeEnterName;

Accounting Admin(int idType, const std::string& id, const std::string& password) {
  Accounting a;
  a.manageType = JBAModeListAdmin;
  a.adminDetails = 1;
  a.adminIDType = idType;
  a.adminID = id;
  a.adminPassword = password;
  return a;
}

Accounting User(int idType, const std::string& id, const std::string& password) {
  Accounting a;
  a.manageType = JBAModeListUser;
  a.userDetails = 1;
  a.userIDType = idType;
  a.userID = id;
  a.userPassword = password;
  return a;
}

Accounting Input(int mode, const std::string& id, const std::string& password) {
  Accounting a;
  a.manageType = mode;
  a.adminInput = mode == JBAModeListAdmin ? 1 : -1;
  a.userInput = mode == JBAModeListUser ? 1 : -1;
  a.inputID = id;
  a.inputPassword = password;
  return a;
}

Accounting NoMode() {
  Accounting a = Admin(kLogin, "", "pw");
  a.manageType = -1;
  return a;
}

Accounting Mixed() {
  // Administrator keys on a user-mode job, and user keys on no mode: nothing.
  Accounting a = Admin(1, "", "pw");
  a.manageType = JBAModeListUser;
  a.userDetails = 1;
  a.userIDType = 3;
  return a;
}

// Every row is written by a whole-filter case; here the conditions that
// must keep a row out.
INSTANTIATE_TEST_SUITE_P(
    Modes, JBARowsTest,
    ::testing::Values(RowsCase{"NoManagementType", NoMode(), kCommon},
                      RowsCase{"AdminEnteredWithoutID", Admin(kEntered, "", "pw"), kCommon},
                      RowsCase{"AdminInputWithoutID", Input(JBAModeListAdmin, "", "inpw"), kCommon},
                      RowsCase{"UserEnteredWithoutID", User(kEntered, "", "pw"), kCommon},
                      RowsCase{"ModeKeysMismatched", Mixed(), kCommon}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(JBACommonTest, CommentsAddressAndLayout) {
  JobIdentity job;
  job.documentName = "Plan";
  job.numberUp = "N4";
  Accounting a;
  a.date = "2024/05/06";
  a.time = "07:08";
  a.address = "192.0.2.7";
  EXPECT_EQ(Output(job, a), MakeVisible("@PJL COMMENT DATE=2024/05/06\n@PJL COMMENT TIME=07:08\n"
                                        "@PJL COMMENT DNAME=Plan\n@PJL SET JOBATTR=\"@CNAM=pc1\"\n"
                                        "@PJL SET JOBATTR=\"@LUNA=alice\"\n@PJL SET JOBATTR=\"@HOAD=192.0.2.7\"\n"
                                        "@PJL SET JOBATTR=\"@NLPP=N4\"\n"));
}

TEST(JBACommonTest, UnknownHostUserAndOwnAddress) {
  JobIdentity job;
  job.host = "";
  job.login = "";
  job.ownAddress = "198.51.100.1";
  job.numberUp = "";
  EXPECT_EQ(Output(job, User(kLogin, "", "pw")),
            MakeVisible("@PJL SET JOBATTR=\"@CNAM=UnknownHost\"\n@PJL SET JOBATTR=\"@LUNA=UnknownUser\"\n"
                        "@PJL SET JOBATTR=\"@HOAD=198.51.100.1\"\n"));
}

TEST(JBACommonTest, DialogAddressWinsOverOwnAddress) {
  JobIdentity job;
  job.ownAddress = "198.51.100.1";
  Accounting a;
  a.address = "192.0.2.7";
  EXPECT_EQ(Output(job, a), MakeVisible("@PJL SET JOBATTR=\"@CNAM=pc1\"\n@PJL SET JOBATTR=\"@LUNA=alice\"\n"
                                        "@PJL SET JOBATTR=\"@HOAD=192.0.2.7\"\n@PJL SET JOBATTR=\"@NLPP=1\"\n"));
}

TEST(JBACommonTest, LoginNameCutTo32InJOAUOnly) {
  JobIdentity job;
  job.login = std::string(40, 'L');
  EXPECT_EQ(Output(job, User(kLogin, "", "")),
            MakeVisible("@PJL SET JOBATTR=\"@CNAM=pc1\"\n@PJL SET JOBATTR=\"@LUNA=" + job.login + "\"\n" +
                        "@PJL SET JOBATTR=\"@NLPP=1\"\n" + Joau(std::string(32, 'L')) + Joep("")));
}

TEST(JBACommonTest, ValuesCannotStartACommand) {
  JobIdentity job;
  Accounting a = User(kEntered, "id\r\n@PJL DEFAULT X=1", "p\"w");
  a.date = "1\n@PJL RESET";
  a.time = "\r";
  EXPECT_EQ(Output(job, a), MakeVisible("@PJL COMMENT DATE=1 @PJL RESET\n@PJL COMMENT TIME= \n" + kCommon +
                                        Joau("id  @PJL DEFAULT X=1") + Joep("p'w")));
}

TEST(JBATicketTest, ReadsCommonThenAdministratorKeys) {
  std::string options =
      "nvxjobs.printsettings.JBAManageTypeListTicketKey=1 nvxjobs.printsettings.JBAAdminUserSettingRadioBtnTicket=1 "
      "nvxjobs.printsettings.JBAAdminUserIDListCtrlTicket=2 nvxjobs.printsettings.JBAAdminUserIDTextEditTicket=/65/66 "
      "nvxjobs.printsettings.JBAIPAddressStringTicket=192.0.2.7 number-up=2 "
      "com.apple.print.PrintSettings.PMLayoutRows..n.=1 com.apple.print.PrintSettings.PMLayoutColumns..n.=2 "
      "nvxjobs.printsettings.JBAUserIDTextEditTicket=";
  char* argv[] = {const_cast<char*>("ovqfilter"), const_cast<char*>("1"), const_cast<char*>("u"),
                  const_cast<char*>("t"),         const_cast<char*>("1"), options.data(),
                  nullptr};
  qpjlOptionJBA = {};
  ClearLayoutGlobals();
  EXPECT_EQ(JBAGetTicketFromPDE(argv), 1);
  const QPJLOptionJBA& r = qpjlOptionJBA;
  EXPECT_EQ(r.manageType, 1);
  EXPECT_EQ(r.adminUserSetting, 1);
  EXPECT_EQ(r.adminUserIDType, 2);
  EXPECT_STREQ(r.adminUserID, "AB");
  EXPECT_STREQ(r.ipAddress, "192.0.2.7");
  EXPECT_EQ(r.userIDAbsent, 0);
  EXPECT_EQ(r.userSetting, -1);
  EXPECT_STREQ(StdNUpInfo, "N2");
  EXPECT_STREQ(StdLayoutInfo, "2");
  EXPECT_STREQ(StdLayoutRowInfo, "1");
  EXPECT_STREQ(StdLayoutColumnInfo, "2");
}

}  // namespace
