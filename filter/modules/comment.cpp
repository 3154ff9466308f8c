#include "comment.h"

#include <cstdlib>
#include <cstring>

#include "jobstate.h"
#include "modules.h"

PSOptionComment psoptioncomment = {};

const TicketData CommentticketData[kCommentTicketRows] = {
    {"sides", psoptioncomment.sides, kCommentTextSize, GetTicketString},
    {"OVColorMode", psoptioncomment.colorMode, kCommentTextSize, GetTicketString},
    {"number-up", psoptioncomment.numberUp, kCommentTextSize, GetNumberUpTicketStringForComment},
    {"OVStaple", psoptioncomment.staple, kCommentTextSize, GetTicketString},
    {"OVPunch", psoptioncomment.punch, kCommentTextSize, GetTicketString},
    {"OVNumPunchHoles", psoptioncomment.numPunchHoles, kCommentTextSize, GetTicketString},
    {"OVSignature", psoptioncomment.signature, kCommentTextSize, GetTicketString},
    {"OVSigVol", psoptioncomment.signatureVolume, kCommentTextSize, GetTicketString},
    {"OVLineWeightAdjustment", psoptioncomment.lineWeight, kCommentTextSize, GetTicketString},
    {"OVBannerSheet", psoptioncomment.bannerSheet, kCommentTextSize, GetTicketString},
    {kRegiHorizontalOption, psoptioncomment.regiHorizontal, kCommentTextSize, GetTicketString},
    {kRegiVerticalOption, psoptioncomment.regiVertical, kCommentTextSize, GetTicketString},
    {"DuplexBindingEdge..n.", &psoptioncomment.duplexBindingEdge, 4, GetTicketInteger},
    {"com.apple.print.PrintSettings.PMCopies..n.", &psoptioncomment.copies, 4, GetTicketInteger},
    {"orientation-requested", &psoptioncomment.orientation, 4, GetTicketInteger},
    {"com.apple.print.PrintSettings.PMLayoutDirection..n.", &psoptioncomment.layoutDirection, 4,
     GetTicketInteger},
    {"nvxjobs.printsettings.PrintTypeTicketKey", &psoptioncomment.printType, 4, GetTicketInteger},
};

namespace {

void SetText(char* field, const char* text) {
  std::memset(field, 0, kCommentTextSize);
  std::strncpy(field, text, kCommentTextSize - 1);
}

bool Contains(const char* text, const char* part) {
  return text != nullptr && std::strstr(text, part) != nullptr;
}

void ClearRecord() {
  char collation[kCommentTextSize];
  std::memcpy(collation, psoptioncomment.collation, sizeof collation);
  psoptioncomment = {};
  std::memcpy(psoptioncomment.collation, collation, sizeof collation);
}

// Copies absent from the print settings: the copies argument CUPS passes
// (a positive number), else 1, so that the block never reports -1 copies.
int CopiesFromArgument(const char* copiesArgument) {
  int copies = copiesArgument != nullptr ? std::atoi(copiesArgument) : 0;
  return copies > 0 ? copies : 1;
}

void NormalizeRegistration(const char* optionString) {
  ppd_file_t* ppd = JobPPD();
  if (ppd == nullptr) return;
  if (ppdFindOption(ppd, kRegiHorizontalOption) != nullptr && !Contains(optionString, kRegiHorizontalOption)) {
    SetText(psoptioncomment.regiHorizontal, kRegiDefault);
  }
  if (ppdFindOption(ppd, kRegiVerticalOption) != nullptr && !Contains(optionString, kRegiVerticalOption)) {
    SetText(psoptioncomment.regiVertical, kRegiDefault);
  }
}

}  // namespace

void NormalizeComment(const char* optionString, const char* copiesArgument) {
  PSOptionComment& c = psoptioncomment;
  if (Contains(optionString, "nocollate")) {
    SetText(c.collation, "nocollate");
  } else if (Contains(optionString, "collate")) {
    SetText(c.collation, "collate");
  }
  if (c.sides[0] == '\0' || c.duplexBindingEdge == 0) SetText(c.sides, "one-sided");
  if (c.signature[0] != '\0' && std::strcmp(c.signature, "None") != 0) SetText(c.sides, "two-sided-short-edge");
  if (c.orientation == -1) c.orientation = 1;
  if (c.layoutDirection == -1) c.layoutDirection = 1;
  if (c.copies == -1) c.copies = CopiesFromArgument(copiesArgument);
  NormalizeRegistration(optionString);
}

int CommentGetTicketFromPDE(char* argv[]) {
  ClearRecord();
  GetTicketFromArray(argv, CommentticketData, kCommentTicketRows);
  NormalizeComment(argv != nullptr ? argv[5] : nullptr, argv != nullptr ? argv[4] : nullptr);
  return 1;
}
