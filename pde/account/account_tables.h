// The static records of the Print Type and Job Accounting panels: product
// types, menus, text limits, constraint lists and the keys of their values.
#pragma once
#include <cstdint>
#include <initializer_list>
#include <span>

#include "control_records.h"
#include "input_validation.h"
#include "ticket_keys.h"

namespace OVQ_PDE_NS {

// ---- product types ----------------------------------------------------------------------

struct ProductRow {
  const char* name;
  int32_t type;
  const char* nib;
};

inline constexpr ProductRow kPrintTypeProducts[] = {
    {"Default00", 0, "OVPrintType_Default00"}, {"Default01", 1, "OVPrintType_Default01"},
    {"Default02", 2, "OVPrintType_Default02"}, {"Default03", 3, "OVPrintType_Default03"},
    {"Sorrel00", 4, "OVPrintType_Sorrel00"},
};
inline constexpr ProductRow kJBAProducts[] = {
    {"Default00", 0, "OVPrintJBA_Default00"}, {"Default01", 1, "OVPrintJBA_Default01"},
    {"Default02", 2, "OVPrintJBA_Default02"}, {"Sorrel00", 3, "OVPrintJBA_Sorrel00"},
    {"Printer00", 4, "OVPrintJBA_Printer00"},
};

inline constexpr int32_t kJobStatusGo = 2001;
inline constexpr int32_t kJobStatusStop = 2002;

// ---- text limits ------------------------------------------------------------------------------

constexpr InputFilterData Ranges(std::initializer_list<CodeRange> list) {
  InputFilterData filter;
  for (const CodeRange& range : list) filter.ranges[static_cast<size_t>(filter.count++)] = range;
  return filter;
}

inline constexpr InputFilterData kASCIIBytes = Ranges({{0x20, 0x7E}});
inline constexpr InputFilterData kDigits = Ranges({{0x30, 0x39}});
inline constexpr InputFilterData kLatinBytes = Ranges({{0x20, 0x7E}, {0xA0, 0xFF}});
inline constexpr InputFilterData kLatinChars = Ranges(
    {{0x20, 0x7E}, {0xA0, 0xA0}, {0xA9, 0xA9}, {0x2122, 0x2122}, {0x2026, 0x2026}, {0xF87F, 0xF87F}, {0xFF61, 0xFF9F}});
inline constexpr InputFilterData kKanaBytes = Ranges({{0x20, 0x7E}, {0xA1, 0xDF}});
inline constexpr InputFilterData kKanaChars = Ranges({{0x20, 0x7E}, {0xFF61, 0xFF9F}});
inline constexpr InputFilterData kJapaneseChars =
    Ranges({{0x20, 0x7E}, {0xA5, 0xA5}, {0x3040, 0x309F}, {0x30A0, 0x30FF}, {0x4E00, 0x9FFF}, {0xFF01, 0xFF9D}});

// A text field's limits: the filter with its message, the lengths, and (user IDs)
// the message for an empty field.
struct FieldLimits {
  TextEditFilterData filter;
  TextEditIniData ini;
  const char* emptyMessageKey = nullptr;
};

// Print Type user IDs by product type (see PrintTypeUserIDLimits).
inline constexpr FieldLimits kUserIDLatin{
    {kLatinBytes, kLatinChars, "Message43"}, {.minLength = 1, .maxLength = 8}, "Message42"};
inline constexpr FieldLimits kUserIDKana{
    {kKanaBytes, kKanaChars, "Message43b"}, {.minLength = 1, .maxLength = 8}, "Message42b"};
inline constexpr FieldLimits kUserIDASCII{
    {kASCIIBytes, kASCIIBytes, "Message43c"}, {.minLength = 1, .maxLength = 8}, "Message43c"};
// The login-name user ID's default comes under these limits.
inline constexpr FieldLimits kLoginNameDefault{{Ranges({{0x20, 0xFF}}), Ranges({{0x20, 0xFFFF}}), nullptr},
                                               {.minLength = 1, .maxLength = 32}};
inline constexpr FieldLimits kSecurePasscode{{kDigits, kDigits, "Message60"}, {.minLength = 1, .maxLength = 12}};
inline constexpr FieldLimits kMailBoxNumber{{kDigits, kDigits, "Warning22"}, {.minLength = 1, .maxLength = 3}};
inline constexpr FieldLimits kMailBoxPasscode{{kDigits, kDigits, "Message40"}, {.minLength = 0, .maxLength = 20}};
// Document names by product type: [window kind][row], the mailbox window's messages apart.
inline constexpr FieldLimits kDocumentNameLatin{{kLatinBytes, kLatinChars, "Message41"}, {.maxLength = 32}};
inline constexpr FieldLimits kDocumentNameKana{{kKanaBytes, kKanaChars, "Message41b"}, {.maxLength = 12}};
inline constexpr FieldLimits kDocumentNameJapanese{{kKanaBytes, kJapaneseChars, "Message41c"}, {.maxLength = 64}};
inline constexpr FieldLimits kDocumentNameASCII{{kASCIIBytes, kASCIIBytes, "Message41b_o"}, {.maxLength = 32}};
inline constexpr FieldLimits kMailBoxDocumentNameLatin{{kLatinBytes, kLatinChars, "Message41_m"}, {.maxLength = 32}};
inline constexpr FieldLimits kMailBoxDocumentNameKana{{kKanaBytes, kKanaChars, "Message41b_m"}, {.maxLength = 12}};
inline constexpr FieldLimits kMailBoxDocumentNameJapanese{{kKanaBytes, kJapaneseChars, "Message41c_m"},
                                                          {.maxLength = 64}};

// Job accounting fields.
inline constexpr FieldLimits kJBAUserID{{kASCIIBytes, kASCIIBytes, "Warning32"}, {.minLength = 1, .maxLength = 32}};
inline constexpr FieldLimits kJBAPassword{{kASCIIBytes, kASCIIBytes, "Warning33"}, {.minLength = 4, .maxLength = 12}};

// The limits of a Print Type field for the product type and the WKS PDF flag.
const FieldLimits& PrintTypeUserIDLimits(int32_t pdeType, bool wksPDF);
const FieldLimits& PrintTypeDocumentNameLimits(int32_t pdeType, bool wksPDF, bool mailBoxWindow);

// ---- Print Type menus and constraints -------------------------------------------------------

// The print-type values 1 to 5 and their menu keys.
inline constexpr const char* kPrintTypeKeys[] = {"Job Type None", "Job Type Secure", "Job Type Sample", "Job Type Time",
                                                 "Job Type MBN"};
inline constexpr const char* kPrintTypeMailBoxKey = "Job Type MBN";
inline constexpr const char* kPrintTypeMenu[] = {"Job Type None", "Job Type Secure", "Job Type Sample", nullptr};
inline constexpr ControlIniData kPrintTypeListIni{.defaultValue = 1, .initialValue = -1, .itemKeys = kPrintTypeMenu};
inline constexpr ControlIniData kWKSPDFPrintTypeListIni{
    .defaultValue = 1, .initialValue = -1, .itemKeys = kPrintTypeMenu};
inline constexpr int32_t kPrintTypeNone = 1;
inline constexpr int32_t kPrintTypeSecure = 2;
inline constexpr int32_t kPrintTypeSample = 3;
inline constexpr int32_t kPrintTypeDelayed = 4;
inline constexpr int32_t kPrintTypeMailBox = 5;

// Panel tags.
inline constexpr int32_t kPrintTypePopupListTag = 101;
inline constexpr int32_t kPrintTypePopupListitleTag = 102;
inline constexpr int32_t kSetupButtonTag = 103;
inline constexpr int32_t kPrintTypeRestoreButtonTag = 104;
inline constexpr int32_t kPrintTypeVersionTag = 105;
inline constexpr int32_t kPrintTypeHelpButtonTag = 109;

inline constexpr int32_t kSetupButtonIDs[] = {kSetupButtonTag};
inline constexpr ControlIDList kPrintTypeDisable[] = {kSetupButtonIDs};  // value 1
inline constexpr ConstraintRecord kPrintTypeConstraints{.disable = kPrintTypeDisable};
inline constexpr AccessInfo kPrintTypeAccess{.ticketKey = kPrintTypeTicketKey, .preferenceKey = kPrintTypeReference};
// The defaults that a setup window's Cancel and the notice window's OK restore.
inline constexpr int32_t kCancelDefaultIDs[] = {kPrintTypePopupListTag};

inline constexpr const char* kDocumentNameTypeMenu[] = {"Document Name Type Auto", "Document Name Type Enter Name",
                                                        nullptr};
inline constexpr const char* kMailBoxDocumentNameTypeMenu[] = {"MailBox Document Name Type Auto",
                                                               "MailBox Document Name Type Enter Name", nullptr};
inline constexpr ControlIniData kDocumentNameTypeIni{
    .defaultValue = 1, .initialValue = -1, .itemKeys = kDocumentNameTypeMenu};
inline constexpr ControlIniData kDocumentNameTypeIniEnter{
    .defaultValue = 2, .initialValue = -1, .itemKeys = kDocumentNameTypeMenu};
inline constexpr ControlIniData kMailBoxDocumentNameTypeIni{
    .defaultValue = 1, .initialValue = -1, .itemKeys = kMailBoxDocumentNameTypeMenu};
inline constexpr ControlIniData kMailBoxDocumentNameTypeIniEnter{
    .defaultValue = 2, .initialValue = -1, .itemKeys = kMailBoxDocumentNameTypeMenu};
// Product types 2 and 4 take the entered name by default.
const ControlIniData& DocumentNameTypeIni(int32_t pdeType, bool mailBoxWindow);

inline constexpr AccessInfo kPasscodeAccess{.ticketKey = kPrintTypePasswordTicketKey,
                                            .preferenceKey = kPrintTypePasswordReference};
inline constexpr AccessInfo kDelayPrintAccess{.ticketKey = kDelayPrintTicketKey, .preferenceKey = kDelayPrintReference};
inline constexpr AccessInfo kMailBoxNumberAccess{.ticketKey = kPrintTypeMBNTicketKey,
                                                 .preferenceKey = kPrintTypeMBNReference};
inline constexpr AccessInfo kMailBoxPasscodeAccess{.ticketKey = kPrintTypeMBNPasswordTicketKey,
                                                   .preferenceKey = kPrintTypeMBNPasswordReference};

// The tags of one setup window: x = 1 sample, 2 secure, 3 delayed, 4 mailbox.
struct SetupWindowTags {
  int32_t base;  // 10x0
  constexpr int32_t Restore() const { return base; }
  constexpr int32_t Help() const { return base + 3; }
  constexpr int32_t OK() const { return base + 8; }
  constexpr int32_t Cancel() const { return base + 9; }
  constexpr int32_t Field(int32_t n) const { return base + n; }         // 10xn
  constexpr int32_t Title(int32_t n) const { return base + 1000 + n; }  // 20xn
};
inline constexpr SetupWindowTags kSampleTags{1010};
inline constexpr SetupWindowTags kSecureTags{1020};
inline constexpr SetupWindowTags kDelayedTags{1030};
inline constexpr SetupWindowTags kMailBoxTags{1040};
inline constexpr int32_t kNoticeOKTag = 1058;
inline constexpr int32_t kNoticeCancelTag = 1059;

// A window's document-name type: value 1 disables the name field and its title.
template <int32_t Base>
struct DocumentNameConstraints {
  static constexpr int32_t name[] = {Base + 5, Base + 1005};
  static constexpr ControlIDList disable[] = {name};
  static constexpr ConstraintRecord record{.disable = disable};
  static constexpr int32_t validation[] = {Base + 5};
};

// ---- Job Accounting -------------------------------------------------------------------------------

inline constexpr int32_t kJBAModeListTag = 1001;
inline constexpr int32_t kJBADetailsButtonTag = 1002;
inline constexpr int32_t kJBAHelpButtonTag = 1003;
inline constexpr int32_t kJBAModeLabelTag = 1004;
inline constexpr int32_t kJBAVersionTag = 1005;

inline constexpr const char* kJBAModeMenu[] = {"Job Authentication Type User Mode",
                                               "Job Authentication Type Administration Mode", nullptr};
inline constexpr ControlIniData kJBAModeIni{.defaultValue = 2, .initialValue = -1, .itemKeys = kJBAModeMenu};
inline constexpr AccessInfo kJBAModeAccess{.ticketKey = kJBAManageTypeListTicketKey,
                                           .preferenceKey = kJBAManageTypeListReference};
// Mode value 1 for a user who is not an administrator: the user-mode window's entries are locked.
inline constexpr int32_t kJBAAdminLockIDs[] = {2003, 2005, 2010, 2006, 2011, 2007, 2008, 2012, 2009, 2017};
inline constexpr ControlIDList kJBAModeDisableNonAdmin[] = {kJBAAdminLockIDs};
inline constexpr ConstraintRecord kJBAModeConstraintsNonAdmin{.disable = kJBAModeDisableNonAdmin};

inline constexpr const char* kJBASourceMenu[] = {"JBA Login Name", "JBA Input Name", nullptr};
inline constexpr ControlIniData kJBASourceIni{.defaultValue = 1, .initialValue = -1, .itemKeys = kJBASourceMenu};
inline constexpr ControlIniData kJBACommonRadioIni{
    .defaultValue = 1, .initialValue = -1, .titleKey = "JBA Common User Info Type"};
inline constexpr ControlIniData kJBAJobRadioIni{.defaultValue = 0, .initialValue = -1, .titleKey = "JBA Job User Type"};

// The tags and records of one details window: Base 2000 (user mode, keys with
// Admin) or 3000 (the other).
template <int32_t Base>
struct JBAWindowTables {
  static constexpr int32_t ok = Base + 1, cancel = Base + 2, restore = Base + 3, help = Base + 4;
  static constexpr int32_t commonRadio = Base + 5, sourceList = Base + 6, userID = Base + 7, login = Base + 8;
  static constexpr int32_t password = Base + 9, sourceTitle = Base + 10, userIDTitle = Base + 11;
  static constexpr int32_t passwordTitle = Base + 12, jobRadio = Base + 17;

  // Common details off: the name source, user ID and password with their titles.
  static constexpr int32_t commonOff[] = {sourceTitle, sourceList, userIDTitle, userID, passwordTitle, password};
  static constexpr ControlIDList commonDisable[] = {commonOff};
  static constexpr int32_t refreshJob[] = {jobRadio};
  static constexpr ControlIDList commonUpdate[] = {refreshJob};
  static constexpr ConstraintRecord commonRecord{.disable = commonDisable, .update = commonUpdate};
  static constexpr int32_t refreshCommon[] = {commonRadio};
  static constexpr ControlIDList jobUpdate[] = {refreshCommon};
  static constexpr ConstraintRecord jobRecord{.update = jobUpdate};
  static constexpr int32_t jobValidation[] = {userID, password};
  // Source 1 (login name): the login field disabled, the user ID hidden; 2: the login field hidden.
  static constexpr int32_t loginIDs[] = {login};
  static constexpr int32_t userIDs[] = {userID};
  static constexpr ControlIDList sourceDisable[] = {loginIDs};
  static constexpr ControlIDList sourceHide[] = {userIDs, loginIDs};
  static constexpr ConstraintRecord sourceRecord{.disable = sourceDisable, .hide = sourceHide};
  static constexpr int32_t sourceValidation[] = {userID};
};
using JBAUserModeTables = JBAWindowTables<2000>;
using JBAOtherTables = JBAWindowTables<3000>;

// The keys of one details window.
struct JBAWindowKeys {
  AccessInfo commonRadio, jobRadio, sourceList, userID, login, password;
};
inline constexpr JBAWindowKeys kJBAUserModeKeys{
    {.ticketKey = kJBAAdminUserSettingRadioBtnTicketKey, .preferenceKey = kJBAAdminUserSettingRadioBtnReference},
    {.ticketKey = kJBAAdminUserInputRadioBtnTicketKey, .preferenceKey = kJBAAdminUserInputRadioBtnReference},
    {.ticketKey = kJBAAdminUserIDListCtrlTicketKey, .preferenceKey = kJBAAdminUserIDListCtrlReference},
    {.ticketKey = kJBAAdminUserIDTextEditTicketKey, .preferenceKey = kJBAAdminUserIDTextEditReference},
    {.ticketKey = kJBAAdminLoginTextEditTicketKey},
    {.ticketKey = kJBAAdminUserPasswordTextEditTicketKey, .preferenceKey = kJBAAdminUserPasswordTextEditReference},
};
inline constexpr JBAWindowKeys kJBAOtherKeys{
    {.ticketKey = kJBAUserSettingRadioBtnTicketKey, .preferenceKey = kJBAUserSettingRadioBtnReference},
    {.ticketKey = kJBAUserInputRadioBtnTicketKey, .preferenceKey = kJBAUserInputRadioBtnReference},
    {.ticketKey = kJBAUserIDListCtrlTicketKey, .preferenceKey = kJBAUserIDListCtrlReference},
    {.ticketKey = kJBAUserIDTextEditTicketKey, .preferenceKey = kJBAUserIDTextEditReference},
    {.ticketKey = kJBALoginTextEditTicketKey},
    {.ticketKey = kJBAUserPasswordTextEditTicketKey, .preferenceKey = kJBAUserPasswordTextEditReference},
};

// The input window.
inline constexpr int32_t kJBAInputOKTag = 4001;
inline constexpr int32_t kJBAInputCancelTag = 4002;
inline constexpr int32_t kJBAInputHelpTag = 4003;
inline constexpr int32_t kJBAInputUserIDTitleTag = 4005;
inline constexpr int32_t kJBAInputUserIDTag = 4006;
inline constexpr int32_t kJBAInputPasswordTitleTag = 4007;
inline constexpr int32_t kJBAInputPasswordTag = 4008;
inline constexpr AccessInfo kJBAInputUserIDAccess{.ticketKey = kJBAInputUserIDTextEditTicketKey,
                                                  .preferenceKey = kJBAInputUserIDTextEditReference};
inline constexpr AccessInfo kJBAInputPasswordAccess{.ticketKey = kJBAInputUserPasswordTextEditTicketKey,
                                                    .preferenceKey = kJBAInputUserPasswordTextEditReference};

}  // namespace OVQ_PDE_NS
