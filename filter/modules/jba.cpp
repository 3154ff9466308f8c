#include "jba.h"

#include <iterator>

#include "jobstate.h"
#include "modules.h"
#include "ticket_keys.h"

QPJLOptionJBA qpjlOptionJBA = {};

namespace {

constexpr QPJLOptionJBA& jba = qpjlOptionJBA;

#define PAPER_RECT(prefix, index)                                                                                   \
  prefix "com.apple.print.subTicket.paper_info_ticket..d.com.apple.print.PaperInfo.PMUnadjustedPaperRect..a." index \
         "..n."
#define PAGE_FORMAT "com.apple.print.subTicket.page_format_ticket..d."

constexpr TicketReader kText = GetTicketStringConvertedToPrtLang;

}  // namespace

const TicketData JBAticketDataCommon[kJBATicketRowsCommon] = {
    {kJBAMacHostNameStringTicketKey, jba.macHostName, sizeof jba.macHostName, kText},
    {kJBAIPAddressStringTicketKey, jba.ipAddress, sizeof jba.ipAddress, kText},
    {kJBAInfoListTicketKey, &jba.infoList, 4, GetTicketInteger},
    {kJBAInfoSetListTicketKey, &jba.infoSetList, 4, GetTicketInteger},
    {"number-up", StdNUpInfo, 10, GetNumberUpTicketString},
    {"number-up", StdLayoutInfo, 10, kText},
    {"com.apple.print.PrintSettings.PMLayoutDirection..n.", StdLayoutDirectionInfo, 10, kText},
    {"com.apple.print.PrintSettings.PMLayoutRows..n.", StdLayoutRowInfo, 10, kText},
    {"com.apple.print.PrintSettings.PMLayoutColumns..n.", StdLayoutColumnInfo, 10, kText},
    {PAPER_RECT(PAGE_FORMAT, "1"), StdPaperInfoRectOriginXKey, 20, kText},
    {PAPER_RECT(PAGE_FORMAT, "0"), StdPaperInfoRectOriginYKey, 20, kText},
    {PAPER_RECT(PAGE_FORMAT, "2"), StdPaperInfoRectHeightKey, 20, kText},
    {PAPER_RECT(PAGE_FORMAT, "3"), StdPaperInfoRectWidthKey, 20, kText},
    {PAPER_RECT("", "1"), StdAdobePaperInfoRectOriginXKey, 20, kText},
    {PAPER_RECT("", "0"), StdAdobePaperInfoRectOriginYKey, 20, kText},
    {PAPER_RECT("", "2"), StdAdobePaperInfoRectHeightKey, 20, kText},
    {PAPER_RECT("", "3"), StdAdobePaperInfoRectWidthKey, 20, kText},
    {kJBAManageTypeListTicketKey, &jba.manageType, 4, GetTicketInteger},
    {kJBAUserSettingRadioBtnTicketKey, &jba.userSetting, 4, GetTicketInteger},
    {kJBAUserIDListCtrlTicketKey, &jba.userIDType, 4, GetTicketInteger},
    {kJBAUserIDTextEditTicketKey, &jba.userIDAbsent, 4, CheckTicketKey},
    {kJBAUserIDTextEditTicketKey, jba.userID, sizeof jba.userID, kText},
    {kJBAUserPasswordTextEditTicketKey, jba.userPassword, sizeof jba.userPassword, kText},
    {kJBAAccountIDTextEditTicketKey, jba.accountID, sizeof jba.accountID, kText},
    {kJBAStorageIDTextEditTicketKey, jba.storageID, sizeof jba.storageID, kText},
    {kJBAStoragePasswordTextEditTicketKey, jba.storagePassword, sizeof jba.storagePassword, kText},
    {kJBAUserInputRadioBtnTicketKey, &jba.userInput, 4, GetTicketInteger},
    {kJBAInputAuthRadioBtnTicketKey, &jba.inputAuth, 4, GetTicketInteger},
    {kJBAInputStrgRadioBtnTicketKey, &jba.inputStorage, 4, GetTicketInteger},
    {kJBAInputStorageIDTextEditTicketKey, jba.inputStorageID, sizeof jba.inputStorageID, kText},
    {kJBAInputStoragePasswordTextEditTicketKey, jba.inputStoragePassword, sizeof jba.inputStoragePassword, kText},
    {kJBAInputUserIDTextEditTicketKey, jba.inputUserID, sizeof jba.inputUserID, kText},
    {kJBAInputUserPasswordTextEditTicketKey, jba.inputUserPassword, sizeof jba.inputUserPassword, kText},
    {kJBAInputAccountIDTextEditTicketKey, jba.inputAccountID, sizeof jba.inputAccountID, kText},
    {kJBASrrlPrintDateTicketKey, jba.printDate, sizeof jba.printDate, kText},
    {kJBASrrlPrintTimeTicketKey, jba.printTime, sizeof jba.printTime, kText},
};

const TicketData JBAticketDataAdmin[kJBATicketRowsAdmin] = {
    {kJBAAdminUserSettingRadioBtnTicketKey, &jba.adminUserSetting, 4, GetTicketInteger},
    {kJBAAdminUserIDListCtrlTicketKey, &jba.adminUserIDType, 4, GetTicketInteger},
    {kJBAAdminUserIDTextEditTicketKey, jba.adminUserID, sizeof jba.adminUserID, kText},
    {kJBAAdminUserPasswordTextEditTicketKey, jba.adminUserPassword, sizeof jba.adminUserPassword, kText},
    {kJBAAdminAccountIDTextEditTicketKey, jba.adminAccountID, sizeof jba.adminAccountID, kText},
    {kJBAAdminStorageIDTextEditTicketKey, jba.adminStorageID, sizeof jba.adminStorageID, kText},
    {kJBAAdminStoragePasswordTextEditTicketKey, jba.adminStoragePassword, sizeof jba.adminStoragePassword, kText},
    {kJBAAdminUserInputRadioBtnTicketKey, &jba.adminUserInput, 4, GetTicketInteger},
};

#undef PAPER_RECT
#undef PAGE_FORMAT

namespace {

constexpr int32_t kAdmin = JBAModeListAdmin;
constexpr int32_t kUser = JBAModeListUser;
constexpr int32_t kSelected = OptionUserInputTypeSelected;
constexpr int32_t kLogin = OptionComInUserTypeUseLogin;
constexpr int32_t kEntered = OptionComInUserTypeEnterName;

constexpr comparationItem Is(const int32_t* value, const int32_t* operand) { return {value, operand, IntCampareFunc}; }
constexpr comparationItem HasText(const char* text) { return {text, nullptr, StrNoNULLCampareFunc}; }
constexpr comparationItem LacksText(const char* text) { return {text, nullptr, StrIsNULLCampareFunc}; }

// Parameter lists: a quoted value ended by CR LF or by LF, an empty quoted
// value, a comment text ended by LF.
const void* const paraJBAUserName[] = {&CTRLSym_DOUBLE, StdJBAUserName, &CTRLSym_DOUBLE, &CTRLSym_CR, &CTRLSym_LF};
const void* const paraAdminUserID[] = {&CTRLSym_DOUBLE, jba.adminUserID, &CTRLSym_DOUBLE, &CTRLSym_CR, &CTRLSym_LF};
const void* const paraAdminPassword[] = {&CTRLSym_DOUBLE, jba.adminUserPassword, &CTRLSym_DOUBLE, &CTRLSym_CR,
                                         &CTRLSym_LF};
const void* const paraUserID[] = {&CTRLSym_DOUBLE, jba.userID, &CTRLSym_DOUBLE, &CTRLSym_CR, &CTRLSym_LF};
const void* const paraUserPassword[] = {&CTRLSym_DOUBLE, jba.userPassword, &CTRLSym_DOUBLE, &CTRLSym_CR, &CTRLSym_LF};
const void* const paraInputUserID[] = {&CTRLSym_DOUBLE, jba.inputUserID, &CTRLSym_DOUBLE, &CTRLSym_CR, &CTRLSym_LF};
const void* const paraInputPassword[] = {&CTRLSym_DOUBLE, jba.inputUserPassword, &CTRLSym_DOUBLE, &CTRLSym_CR,
                                         &CTRLSym_LF};
const void* const paraEmptyPassword[] = {&CTRLSym_DOUBLE, &CTRLSym_DOUBLE, &CTRLSym_CR, &CTRLSym_LF};
const void* const paraDate[] = {jba.printDate, &CTRLSym_LF};
const void* const paraTime[] = {jba.printTime, &CTRLSym_LF};
const void* const paraDocumentName[] = {PTStdDocumentName, &CTRLSym_LF};
const void* const paraHostName[] = {&CTRLSym_DOUBLE, HostNameStr, &CTRLSym_DOUBLE, &CTRLSym_LF};
const void* const paraQuotes[] = {&CTRLSym_DOUBLE, &CTRLSym_DOUBLE};
const void* const paraLoginName[] = {&CTRLSym_DOUBLE, StdUserName, &CTRLSym_DOUBLE, &CTRLSym_LF};
const void* const paraDialogAddress[] = {&CTRLSym_DOUBLE, jba.ipAddress, &CTRLSym_DOUBLE, &CTRLSym_LF};
const void* const paraOwnAddress[] = {&CTRLSym_DOUBLE, IPAddressStr, &CTRLSym_DOUBLE, &CTRLSym_LF};
const void* const paraNumberUp[] = {&CTRLSym_DOUBLE, StdNUpInfo, &CTRLSym_DOUBLE, &CTRLSym_LF};

symPara cmdParaJBAUserName, cmdParaAdminUserID, cmdParaAdminPassword, cmdParaUserID, cmdParaUserPassword,
    cmdParaInputUserID, cmdParaInputPassword, cmdParaEmptyPassword, cmdParaDate, cmdParaTime, cmdParaDocumentName,
    cmdParaHostName, cmdParaQuotes, cmdParaLoginName, cmdParaDialogAddress, cmdParaOwnAddress, cmdParaNumberUp;

// Administrator conditions ("details": a0 = 1, "input": a7 = 1).
// The login-name rows test the job's user name and write its first 32 bytes,
// which can be empty when the name is not (an unusable name replaced by the
// default one): then neither the name nor its password is written.
const comparationItem condAdminLoginID[] = {Is(&jba.manageType, &kAdmin), Is(&jba.adminUserSetting, &kSelected),
                                            Is(&jba.adminUserIDType, &kLogin), HasText(StdUserName),
                                            HasText(StdJBAUserName)};
const comparationItem condAdminEnteredID[] = {Is(&jba.manageType, &kAdmin), Is(&jba.adminUserSetting, &kSelected),
                                              Is(&jba.adminUserIDType, &kEntered), HasText(jba.adminUserID)};
const comparationItem condAdminLoginPassword[] = {
    Is(&jba.manageType, &kAdmin),      Is(&jba.adminUserSetting, &kSelected),
    Is(&jba.adminUserIDType, &kLogin), HasText(StdUserName),
    HasText(StdJBAUserName),           HasText(jba.adminUserPassword)};
const comparationItem condAdminLoginNoPassword[] = {
    Is(&jba.manageType, &kAdmin),      Is(&jba.adminUserSetting, &kSelected),
    Is(&jba.adminUserIDType, &kLogin), HasText(StdUserName),
    HasText(StdJBAUserName),           LacksText(jba.adminUserPassword)};
const comparationItem condAdminEnteredPassword[] = {Is(&jba.manageType, &kAdmin), Is(&jba.adminUserSetting, &kSelected),
                                                    Is(&jba.adminUserIDType, &kEntered), HasText(jba.adminUserID),
                                                    HasText(jba.adminUserPassword)};
const comparationItem condAdminEnteredNoPassword[] = {
    Is(&jba.manageType, &kAdmin), Is(&jba.adminUserSetting, &kSelected), Is(&jba.adminUserIDType, &kEntered),
    HasText(jba.adminUserID), LacksText(jba.adminUserPassword)};
const comparationItem condAdminInputID[] = {Is(&jba.manageType, &kAdmin), Is(&jba.adminUserInput, &kSelected),
                                            HasText(jba.inputUserID)};
const comparationItem condAdminInputPassword[] = {Is(&jba.manageType, &kAdmin), Is(&jba.adminUserInput, &kSelected),
                                                  HasText(jba.inputUserID), HasText(jba.inputUserPassword)};
const comparationItem condAdminInputNoPassword[] = {Is(&jba.manageType, &kAdmin), Is(&jba.adminUserInput, &kSelected),
                                                    LacksText(jba.inputUserPassword), HasText(jba.inputUserID)};

// User conditions ("details": c18 = 1, "input": c26 = 1), and the common ones.
const comparationItem condDate[] = {HasText(jba.printDate)};
const comparationItem condTime[] = {HasText(jba.printTime)};
const comparationItem condDocumentName[] = {HasText(PTStdDocumentName)};
const comparationItem condHostName[] = {HasText(HostNameStr)};
const comparationItem condNoHostName[] = {LacksText(HostNameStr)};
const comparationItem condLoginName[] = {HasText(StdUserName)};
const comparationItem condNoLoginName[] = {LacksText(StdUserName)};
const comparationItem condDialogAddress[] = {HasText(jba.ipAddress)};
const comparationItem condOwnAddress[] = {LacksText(jba.ipAddress), HasText(IPAddressStr)};
const comparationItem condNumberUp[] = {HasText(StdNUpInfo)};
const comparationItem condUserLoginID[] = {Is(&jba.manageType, &kUser), Is(&jba.userSetting, &kSelected),
                                           Is(&jba.userIDType, &kLogin), HasText(StdUserName), HasText(StdJBAUserName)};
const comparationItem condUserEnteredID[] = {Is(&jba.manageType, &kUser), Is(&jba.userSetting, &kSelected),
                                             Is(&jba.userIDType, &kEntered), HasText(jba.userID)};
const comparationItem condUserLoginPassword[] = {Is(&jba.manageType, &kUser),  Is(&jba.userSetting, &kSelected),
                                                 Is(&jba.userIDType, &kLogin), HasText(StdUserName),
                                                 HasText(StdJBAUserName),      HasText(jba.userPassword)};
const comparationItem condUserLoginNoPassword[] = {Is(&jba.manageType, &kUser),  Is(&jba.userSetting, &kSelected),
                                                   Is(&jba.userIDType, &kLogin), HasText(StdUserName),
                                                   HasText(StdJBAUserName),      LacksText(jba.userPassword)};
const comparationItem condUserEnteredPassword[] = {Is(&jba.manageType, &kUser), Is(&jba.userSetting, &kSelected),
                                                   Is(&jba.userIDType, &kEntered), HasText(jba.userID),
                                                   HasText(jba.userPassword)};
const comparationItem condUserEnteredNoPassword[] = {Is(&jba.manageType, &kUser), Is(&jba.userSetting, &kSelected),
                                                     Is(&jba.userIDType, &kEntered), HasText(jba.userID),
                                                     LacksText(jba.userPassword)};
const comparationItem condUserInputID[] = {Is(&jba.manageType, &kUser), Is(&jba.userInput, &kSelected),
                                           HasText(jba.inputUserID)};
const comparationItem condUserInputPassword[] = {Is(&jba.manageType, &kUser), Is(&jba.userInput, &kSelected),
                                                 HasText(jba.inputUserID), HasText(jba.inputUserPassword)};
const comparationItem condUserInputNoPassword[] = {Is(&jba.manageType, &kUser), Is(&jba.userInput, &kSelected),
                                                   LacksText(jba.inputUserPassword), HasText(jba.inputUserID)};

comparation comparationAdminLoginID, comparationAdminEnteredID, comparationAdminLoginPassword,
    comparationAdminLoginNoPassword, comparationAdminEnteredPassword, comparationAdminEnteredNoPassword,
    comparationAdminInputID, comparationAdminInputPassword, comparationAdminInputNoPassword;
comparation comparationDate, comparationTime, comparationDocumentName, comparationHostName, comparationNoHostName,
    comparationLoginName, comparationNoLoginName, comparationDialogAddress, comparationOwnAddress, comparationNumberUp,
    comparationUserLoginID, comparationUserEnteredID, comparationUserLoginPassword, comparationUserLoginNoPassword,
    comparationUserEnteredPassword, comparationUserEnteredNoPassword, comparationUserInputID,
    comparationUserInputPassword, comparationUserInputNoPassword;

constexpr const char* kJOAU = "@PJL SET JOBATTR=%c@JOAU=%s%c%c%c";
constexpr const char* kJOEP = "@PJL SET JOBATTR=%c@JOEP=%s%c%c%c";
constexpr const char* kJOEPEmpty = "@PJL SET JOBATTR=%c@JOEP=%c%c%c";

}  // namespace

const prtFmtTable JBAFmtTableAdmin[numFmtTableJBAAdmin] = {
    {kJOAU, &cmdParaJBAUserName, &comparationAdminLoginID},
    {kJOAU, &cmdParaAdminUserID, &comparationAdminEnteredID},
    {kJOEP, &cmdParaAdminPassword, &comparationAdminLoginPassword},
    {kJOEPEmpty, &cmdParaEmptyPassword, &comparationAdminLoginNoPassword},
    {kJOEP, &cmdParaAdminPassword, &comparationAdminEnteredPassword},
    {kJOEPEmpty, &cmdParaEmptyPassword, &comparationAdminEnteredNoPassword},
    {kJOAU, &cmdParaInputUserID, &comparationAdminInputID},
    {kJOEP, &cmdParaInputPassword, &comparationAdminInputPassword},
    {kJOEPEmpty, &cmdParaEmptyPassword, &comparationAdminInputNoPassword},
};

const prtFmtTable JBAFmtTableCommon[numFmtTableJBACommon] = {
    {"@PJL COMMENT DATE=%s%c", &cmdParaDate, &comparationDate},
    {"@PJL COMMENT TIME=%s%c", &cmdParaTime, &comparationTime},
    {"@PJL COMMENT DNAME=%s%c", &cmdParaDocumentName, &comparationDocumentName},
    {"@PJL SET JOBATTR=%c@CNAM=%s%c%c", &cmdParaHostName, &comparationHostName},
    {"@PJL SET JOBATTR=%c@CNAM=UnknownHost%c\n", &cmdParaQuotes, &comparationNoHostName},
    {"@PJL SET JOBATTR=%c@LUNA=%s%c%c", &cmdParaLoginName, &comparationLoginName},
    {"@PJL SET JOBATTR=%c@LUNA=UnknownUser%c\n", &cmdParaQuotes, &comparationNoLoginName},
    {"@PJL SET JOBATTR=%c@HOAD=%s%c%c", &cmdParaDialogAddress, &comparationDialogAddress},
    {"@PJL SET JOBATTR=%c@HOAD=%s%c%c", &cmdParaOwnAddress, &comparationOwnAddress},
    {"@PJL SET JOBATTR=%c@NLPP=%s%c%c", &cmdParaNumberUp, &comparationNumberUp},
    {kJOAU, &cmdParaJBAUserName, &comparationUserLoginID},
    {kJOAU, &cmdParaUserID, &comparationUserEnteredID},
    {kJOEP, &cmdParaUserPassword, &comparationUserLoginPassword},
    {kJOEPEmpty, &cmdParaEmptyPassword, &comparationUserLoginNoPassword},
    {kJOEP, &cmdParaUserPassword, &comparationUserEnteredPassword},
    {kJOEPEmpty, &cmdParaEmptyPassword, &comparationUserEnteredNoPassword},
    {kJOAU, &cmdParaInputUserID, &comparationUserInputID},
    {kJOEP, &cmdParaInputPassword, &comparationUserInputPassword},
    {kJOEPEmpty, &cmdParaEmptyPassword, &comparationUserInputNoPassword},
};

void JBAInializeDescriptionTableFromFilter() {
  // User lists.
  BindPara(&cmdParaJBAUserName, paraJBAUserName);
  BindPara(&cmdParaUserID, paraUserID);
  BindPara(&cmdParaUserPassword, paraUserPassword);
  BindPara(&cmdParaInputUserID, paraInputUserID);
  BindPara(&cmdParaInputPassword, paraInputPassword);
  BindPara(&cmdParaEmptyPassword, paraEmptyPassword);
  BindPara(&cmdParaDate, paraDate);
  BindPara(&cmdParaTime, paraTime);
  BindPara(&cmdParaDocumentName, paraDocumentName);
  BindPara(&cmdParaHostName, paraHostName);
  BindPara(&cmdParaQuotes, paraQuotes);
  BindPara(&cmdParaLoginName, paraLoginName);
  BindPara(&cmdParaDialogAddress, paraDialogAddress);
  BindPara(&cmdParaOwnAddress, paraOwnAddress);
  BindPara(&cmdParaNumberUp, paraNumberUp);
  // Administrator lists.
  BindPara(&cmdParaAdminUserID, paraAdminUserID);
  BindPara(&cmdParaAdminPassword, paraAdminPassword);
  // User conditions.
  BindCond(&comparationDate, condDate);
  BindCond(&comparationTime, condTime);
  BindCond(&comparationDocumentName, condDocumentName);
  BindCond(&comparationHostName, condHostName);
  BindCond(&comparationNoHostName, condNoHostName);
  BindCond(&comparationLoginName, condLoginName);
  BindCond(&comparationNoLoginName, condNoLoginName);
  BindCond(&comparationDialogAddress, condDialogAddress);
  BindCond(&comparationOwnAddress, condOwnAddress);
  BindCond(&comparationNumberUp, condNumberUp);
  BindCond(&comparationUserLoginID, condUserLoginID);
  BindCond(&comparationUserEnteredID, condUserEnteredID);
  BindCond(&comparationUserLoginPassword, condUserLoginPassword);
  BindCond(&comparationUserLoginNoPassword, condUserLoginNoPassword);
  BindCond(&comparationUserEnteredPassword, condUserEnteredPassword);
  BindCond(&comparationUserEnteredNoPassword, condUserEnteredNoPassword);
  BindCond(&comparationUserInputID, condUserInputID);
  BindCond(&comparationUserInputPassword, condUserInputPassword);
  BindCond(&comparationUserInputNoPassword, condUserInputNoPassword);
  // Administrator conditions.
  BindCond(&comparationAdminLoginID, condAdminLoginID);
  BindCond(&comparationAdminEnteredID, condAdminEnteredID);
  BindCond(&comparationAdminLoginPassword, condAdminLoginPassword);
  BindCond(&comparationAdminLoginNoPassword, condAdminLoginNoPassword);
  BindCond(&comparationAdminEnteredPassword, condAdminEnteredPassword);
  BindCond(&comparationAdminEnteredNoPassword, condAdminEnteredNoPassword);
  BindCond(&comparationAdminInputID, condAdminInputID);
  BindCond(&comparationAdminInputPassword, condAdminInputPassword);
  BindCond(&comparationAdminInputNoPassword, condAdminInputNoPassword);
}

int JBAGetTicketFromPDE(char* argv[]) {
  GetTicketFromArray(argv, JBAticketDataCommon, kJBATicketRowsCommon);
  GetTicketFromArray(argv, JBAticketDataAdmin, kJBATicketRowsAdmin);
  return 1;
}

void JBAOutputQPJLCommandFromFilter(char* argv[]) {
  OutputQPJLCommandFromArray(argv, JBAFmtTableAdmin, numFmtTableJBAAdmin);
  OutputQPJLCommandFromArray(argv, JBAFmtTableCommon, numFmtTableJBACommon);
}

void JBAResetState() { qpjlOptionJBA = {}; }
