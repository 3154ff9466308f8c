#include "printtype.h"

#include <cstring>

#include "jobstate.h"
#include "modules.h"
#include "ticket_keys.h"

QPJLOptionPrintType qpjlOptionPrintType = {};

const TicketData PrintTypeticketData[kPrintTypeTicketRows] = {
    {kPrintTypeTicketKey, &qpjlOptionPrintType.printType, 4, GetTicketInteger},
    {kPrintTypeUserNameTicketKey, qpjlOptionPrintType.userName, sizeof qpjlOptionPrintType.userName,
     GetTicketStringConvertedToPrtLang},
    {kPrintTypePasswordTicketKey, qpjlOptionPrintType.password, sizeof qpjlOptionPrintType.password,
     GetTicketStringConvertedToPrtLang},
    {kDocumentNameTypeTicketKey, &qpjlOptionPrintType.documentNameType, 4, GetTicketInteger},
    {kDocumentNameTicketKey, qpjlOptionPrintType.documentName, sizeof qpjlOptionPrintType.documentName,
     GetTicketStringConvertedToPrtLang},
    {kDelayPrintTicketKey, qpjlOptionPrintType.delayPrintTime, sizeof qpjlOptionPrintType.delayPrintTime,
     GetTicketStringConvertedToPrtLang},
    {kPrintTypeMBNTicketKey, qpjlOptionPrintType.mailboxNumber, sizeof qpjlOptionPrintType.mailboxNumber,
     GetTicketStringConvertedToPrtLang},
    {kPrintTypeMBNPasswordTicketKey, qpjlOptionPrintType.mailboxPassword, sizeof qpjlOptionPrintType.mailboxPassword,
     GetTicketStringConvertedToPrtLang},
};

namespace {

constexpr QPJLOptionPrintType& pt = qpjlOptionPrintType;

constexpr int32_t kNormal = OptionSecurePrintNone;
constexpr int32_t kSecure = OptionSecurePrint;
constexpr int32_t kSample = OptionSamplePrint;
constexpr int32_t kDelay = OptionDelayPrint;
constexpr int32_t kMailbox = OptionMBN;
constexpr int32_t kAutoName = OptionDocumentNameAutoRetrieve;
constexpr int32_t kEnteredName = OptionDocumentNameEnterName;
constexpr int32_t kUserNameMax = PRINTTYPEUSERNAMEDMAXLEN;

// Condition items.
constexpr comparationItem IsType(const int32_t* type) { return {&pt.printType, type, IntCampareFunc}; }
constexpr comparationItem IsNotType(const int32_t* type) { return {&pt.printType, type, IntNoEqualCampareFunc}; }
constexpr comparationItem HasText(const char* text) { return {text, nullptr, StrNoNULLCampareFunc}; }

// Parameter lists.
const void* const paraBoxNumber[] = {pt.mailboxNumber, &CTRLSym_CR, &CTRLSym_LF};
const void* const paraBoxKey[] = {&CTRLSym_DOUBLE, pt.mailboxPassword, &CTRLSym_DOUBLE, &CTRLSym_CR, &CTRLSym_LF};
const void* const paraUserName[] = {&CTRLSym_DOUBLE, pt.userName, &CTRLSym_DOUBLE, &CTRLSym_CR, &CTRLSym_LF};
const void* const paraHoldKey[] = {&CTRLSym_DOUBLE, pt.password, &CTRLSym_DOUBLE, &CTRLSym_CR, &CTRLSym_LF};
const void* const paraAutoJobName[] = {&CTRLSym_DOUBLE, PTStdDocumentName, &CTRLSym_DOUBLE};
const void* const paraEnteredJobName[] = {&CTRLSym_DOUBLE, pt.documentName, &CTRLSym_DOUBLE};
const void* const paraDelayTime[] = {&CTRLSym_DOUBLE, pt.delayPrintTime, &CTRLSym_DOUBLE};

// Condition lists, one per row.
const comparationItem condSecureStore[] = {
    IsType(&kSecure), HasText(pt.userName), {pt.userName, &kUserNameMax, StrLengthLessThanCampareFunc}};
const comparationItem condSecurePrivate[] = {IsType(&kSecure), HasText(pt.userName), HasText(pt.password)};
const comparationItem condSample[] = {IsType(&kSample), HasText(pt.userName)};
const comparationItem condMailbox[] = {IsType(&kMailbox)};
// A line with a value is written whole or not at all: not without its value.
const comparationItem condMailboxNumber[] = {IsType(&kMailbox), HasText(pt.mailboxNumber)};
const comparationItem condMailboxKey[] = {IsType(&kMailbox), HasText(pt.mailboxPassword)};
const comparationItem condUserName[] = {IsNotType(&kNormal), IsNotType(&kDelay), IsNotType(&kMailbox),
                                        HasText(pt.userName)};
const comparationItem condAutoJobName[] = {
    IsNotType(&kNormal), {&pt.documentNameType, &kAutoName, IntCampareFunc}, HasText(PTStdDocumentName)};
const comparationItem condEnteredJobName[] = {
    IsNotType(&kNormal), {&pt.documentNameType, &kEnteredName, IntCampareFunc}, HasText(pt.documentName)};
const comparationItem condDelay[] = {IsType(&kDelay), HasText(pt.delayPrintTime)};

symPara cmdParaPTBoxNumber, cmdParaPTBoxKey, cmdParaPTUserName, cmdParaPTHoldKey, cmdParaPTAutoJobName,
    cmdParaPTEnteredJobName, cmdParaPTDelayTime;
comparation comparationPTSecureStore, comparationPTSecurePrivate, comparationPTSample, comparationPTMailbox,
    comparationPTMailboxNumber, comparationPTMailboxKey, comparationPTUserName, comparationPTAutoJobName,
    comparationPTEnteredJobName, comparationPTDelay;

}  // namespace

const prtFmtTable PrintTypeFmtTable[numFmtTablePrintType] = {
    {"@PJL SET HOLD=STORE\n", nullptr, &comparationPTSecureStore},
    {"@PJL SET HOLDTYPE=PRIVATE\n", nullptr, &comparationPTSecurePrivate},
    {"@PJL SET HOLD=PROOF\n", nullptr, &comparationPTSample},
    {"@PJL SET HOLD=BOXSTORE\n", nullptr, &comparationPTMailbox},
    {"@PJL SET HOLDTYPE=PRIVATE\n", nullptr, &comparationPTMailboxKey},
    {"@PJL SET BOXNUMBER=%s%c%c", &cmdParaPTBoxNumber, &comparationPTMailboxNumber},
    {"@PJL SET BOXENCRYPTKEY=%c%s%c%c%c", &cmdParaPTBoxKey, &comparationPTMailboxKey},
    {"@PJL SET USERNAME=%c%s%c%c%c", &cmdParaPTUserName, &comparationPTUserName},
    {"@PJL SET HOLDENCRYPTKEY=%c%s%c%c%c", &cmdParaPTHoldKey, &comparationPTSecurePrivate},
    {"@PJL SET JOBNAME=%c%s%c\r\n", &cmdParaPTAutoJobName, &comparationPTAutoJobName},
    {"@PJL SET JOBNAME=%c%s%c\r\n", &cmdParaPTEnteredJobName, &comparationPTEnteredJobName},
    {"@PJL SET JOBATTR=%c@PRTM=%s%c\r\n", &cmdParaPTDelayTime, &comparationPTDelay},
};

void PrintTypeInializeDescriptionTableFromFilter() {
  BindPara(&cmdParaPTBoxNumber, paraBoxNumber);
  BindPara(&cmdParaPTBoxKey, paraBoxKey);
  BindPara(&cmdParaPTUserName, paraUserName);
  BindPara(&cmdParaPTHoldKey, paraHoldKey);
  BindPara(&cmdParaPTAutoJobName, paraAutoJobName);
  BindPara(&cmdParaPTEnteredJobName, paraEnteredJobName);
  BindPara(&cmdParaPTDelayTime, paraDelayTime);

  BindCond(&comparationPTSecureStore, condSecureStore);
  BindCond(&comparationPTSecurePrivate, condSecurePrivate);
  BindCond(&comparationPTSample, condSample);
  BindCond(&comparationPTMailbox, condMailbox);
  BindCond(&comparationPTMailboxNumber, condMailboxNumber);
  BindCond(&comparationPTMailboxKey, condMailboxKey);
  BindCond(&comparationPTUserName, condUserName);
  BindCond(&comparationPTAutoJobName, condAutoJobName);
  BindCond(&comparationPTEnteredJobName, condEnteredJobName);
  BindCond(&comparationPTDelay, condDelay);
}

int PrintTypeGetTicketFromPDE(char* argv[]) {
  GetTicketFromArray(argv, PrintTypeticketData, kPrintTypeTicketRows);
  return 1;
}

void PrintTypeOutputQPJLCommandFromFilter() {
  OutputQPJLCommandFromArray(nullptr, PrintTypeFmtTable, numFmtTablePrintType);
}

void PrintTypeResetState() { qpjlOptionPrintType = {}; }
