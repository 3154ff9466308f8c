// Job accounting: the job's user identity, client and layout as PJL job attributes.
#pragma once
#include <cstdint>

#include "pjlengine.h"
#include "ticket.h"

enum JBAModeList : int32_t {
  JBAModeListAdmin = 1,
  JBAModeListUser = 2,
};

inline constexpr int32_t OptionUserInputTypeSelected = 1;

enum JBAUserIDType : int32_t {
  OptionComInUserTypeUseLogin = 1,
  OptionComInUserTypeEnterName = 2,
};

inline constexpr int kJBAPasswordSize = 255;
inline constexpr int kJBAUserIDSize = 97;

struct QPJLOptionJBA {
  // Common keys.
  char macHostName[33];
  char ipAddress[46];
  int32_t infoList;
  int32_t infoSetList;
  int32_t manageType;
  int32_t userSetting;
  int32_t userIDType;
  int32_t userIDAbsent;
  char userID[kJBAUserIDSize];
  char userPassword[kJBAPasswordSize];
  char accountID[33];
  char storageID[73];
  char storagePassword[17];
  int32_t userInput;
  int32_t inputAuth;
  int32_t inputStorage;
  char inputStorageID[73];
  char inputStoragePassword[17];
  char inputUserID[kJBAUserIDSize];
  char inputUserPassword[kJBAPasswordSize];
  char inputAccountID[33];
  char printDate[17];
  char printTime[17];
  // Administrator keys.
  int32_t adminUserSetting;
  int32_t adminUserIDType;
  char adminUserID[kJBAUserIDSize];
  char adminUserPassword[kJBAPasswordSize];
  char adminAccountID[33];
  char adminStorageID[73];
  char adminStoragePassword[17];
  int32_t adminUserInput;
};

extern QPJLOptionJBA qpjlOptionJBA;

inline constexpr int kJBATicketRowsCommon = 36;
inline constexpr int kJBATicketRowsAdmin = 8;
extern const TicketData JBAticketDataCommon[kJBATicketRowsCommon];
extern const TicketData JBAticketDataAdmin[kJBATicketRowsAdmin];

inline constexpr int numFmtTableJBAAdmin = 9;
inline constexpr int numFmtTableJBACommon = 19;
extern const prtFmtTable JBAFmtTableAdmin[numFmtTableJBAAdmin];
extern const prtFmtTable JBAFmtTableCommon[numFmtTableJBACommon];
