// Page lines for CUPS ("PAGE:%d %s\n" on standard error).
//
// Documents whose pages end in "ep" lines get one page line per "ep" (the
// stream pass writes it). Documents from CUPS's own PostScript filter end their
// pages in "showpage" (or in procedures) and mark them with DSC comments only;
// for them the pages are counted from the "%%Page:" comments of the outer
// document: page n is reported once it is complete, that is at the next
// "%%Page:", at "%%Trailer" or at the end of the input. Pages of embedded
// documents (between "%%BeginDocument" and "%%EndDocument") are not counted. As
// soon as the document shows an "ep" or "endp" line it counts its own pages and
// the comments are no longer counted, so no page is reported twice.
//
// The copies text is the one of "%RBINumCopies: n" in the document's header
// when present (how many copies of each page the printer is asked to make; a
// collated job from CUPS carries 1 and repeats its pages), else argv[4].
#pragma once
#include <cstddef>

// "PAGE:<page> <copies>\n" on standard error when the system version is 0x1070
// or above.
void WritePageLine(int page, const char* copies);

class DscPageCounter {
 public:
  explicit DscPageCounter(const char* copies);

  // One whole line of the document (without its end byte).
  void OnLine(const char* text, size_t length);
  // An "ep" or "endp" page end.
  void OnOwnPageEnd();
  // The whole document has been passed on.
  void OnEnd();

  int pages_reported() const { return reported_; }

 private:
  void ClosePage();

  const char* copies_;
  char document_copies_[12] = {};
  int pages_ = 0;
  int reported_ = 0;
  int nesting_ = 0;
  bool page_open_ = false;
  bool own_page_ends_ = false;
};
