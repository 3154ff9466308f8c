// Print type: normal, secure, sample, delayed and mailbox printing as PJL hold commands.
#pragma once
#include <cstdint>

#include "pjlengine.h"
#include "ticket.h"

enum PrintTypeOption : int32_t {
  OptionSecurePrintNone = 1,
  OptionSecurePrint = 2,
  OptionSamplePrint = 3,
  OptionDelayPrint = 4,
  OptionMBN = 5,
};

enum DocumentNameType : int32_t {
  OptionDocumentNameAutoRetrieve = 1,
  OptionDocumentNameEnterName = 2,
};

inline constexpr int32_t PRINTTYPEUSERNAMEDMAXLEN = 73;

struct QPJLOptionPrintType {
  int32_t printType;
  char userName[PRINTTYPEUSERNAMEDMAXLEN];
  char password[17];
  int32_t documentNameType;
  char documentName[193];
  char delayPrintTime[17];
  char mailboxNumber[5];
  char mailboxPassword[30];
};

extern QPJLOptionPrintType qpjlOptionPrintType;

inline constexpr int kPrintTypeTicketRows = 8;
extern const TicketData PrintTypeticketData[kPrintTypeTicketRows];

inline constexpr int numFmtTablePrintType = 12;
extern const prtFmtTable PrintTypeFmtTable[numFmtTablePrintType];
