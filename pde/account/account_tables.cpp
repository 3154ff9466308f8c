#include "account_tables.h"

namespace OVQ_PDE_NS {

const FieldLimits& PrintTypeUserIDLimits(int32_t pdeType, bool wksPDF) {
  if (pdeType == 2) return kUserIDKana;
  if (pdeType == 4 && !wksPDF) return kUserIDASCII;
  return kUserIDLatin;
}

const FieldLimits& PrintTypeDocumentNameLimits(int32_t pdeType, bool wksPDF, bool mailBoxWindow) {
  if (pdeType == 2) return mailBoxWindow ? kMailBoxDocumentNameKana : kDocumentNameKana;
  if (pdeType == 3) return mailBoxWindow ? kMailBoxDocumentNameJapanese : kDocumentNameJapanese;
  if (pdeType == 4 && !wksPDF) return kDocumentNameASCII;
  return mailBoxWindow ? kMailBoxDocumentNameLatin : kDocumentNameLatin;
}

const ControlIniData& DocumentNameTypeIni(int32_t pdeType, bool mailBoxWindow) {
  bool enter = pdeType == 2 || pdeType == 4;
  if (mailBoxWindow) return enter ? kMailBoxDocumentNameTypeIniEnter : kMailBoxDocumentNameTypeIni;
  return enter ? kDocumentNameTypeIniEnter : kDocumentNameTypeIni;
}

}  // namespace OVQ_PDE_NS
