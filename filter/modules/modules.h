// The feature modules as the job flow sees them: each module's entry points and
// the dispatch functions that call them in their fixed order. Each module's
// record and tables live in its own source.
#pragma once
#include <cstdio>

// Stream events raised by the PostScript pass at the document's structure lines.
enum StreamEvent {
  kEventBeginProlog = 13,
  kEventEndProlog = 14,
  kEventEndSetup = 16,
  kEventSetPageDevice = 21,
  kEventBeginPage = 23,
  kEventEndPageSetup = 24,
  kEventEndPage = 27,
  kEventEndPageP = 28,
};

// Dispatch.
// Binds the modules' parameter and condition lists: print type, job
// accounting, finishing features, special pages.
void InializeDescriptionTableFromFilter();
// Runs the module readers in their fixed order; returns 1.
int GetTicketFromPDE(char* argv[]);
// Print-type table, job-accounting tables, then the finishing-feature table.
void OutputQPJLCommandFromFilter(char* argv[]);
// Watermark handler, then finishing-feature handler.
void OutputPSCommandFromFilter(int event, int page, FILE* stream);
// Every module's record back to its "nothing given" state (as at program
// start), the stream-event observer removed.
void ResetModuleStates();

// Each module's own reset.
void PrintTypeResetState();
void JBAResetState();
void FeaturesResetState();
void WatermarkResetState();
void PBindResetState();
void CommentResetState();
void SpecialPageResetState();

// Print type and job accounting.
void PrintTypeInializeDescriptionTableFromFilter();
void JBAInializeDescriptionTableFromFilter();
int PrintTypeGetTicketFromPDE(char* argv[]);
int JBAGetTicketFromPDE(char* argv[]);
void PrintTypeOutputQPJLCommandFromFilter();
void JBAOutputQPJLCommandFromFilter(char* argv[]);

// Finishing features.
void FeaturesInializeDescriptionTableFromFilter();
int FeaturesGetTicketFromPDE(char* argv[]);
void FeaturesOutputQPJLCommandFromFilter(char* argv[]);
void FeaturesOutputPSCommandFromFilter(int event, FILE* stream);

// Watermark.
int WatermarkGetTicketFromPDE(char* argv[]);
void WatermarkOutputPSCommandFromFilter(int event, int page, FILE* stream);

// Perfect binding.
int PBindGetTicketFromPDE(char* argv[]);
void OutputQPJLCommandforPerfectBind();

// Comment fields, and the header settings lines made of them.
int CommentGetTicketFromPDE(char* argv[]);
void OutputQPJLCommandforBooklet();
void OutputQPJLCommandforBannerSheet();
void OutputQPJLCommandforSRRLAdjustRegi();
void OutputQPJLCommandOthers();

// Special pages.
void SpecialPageInializeDescriptionTable();
int SpecialPageGetTicketFromPDE(char* argv[]);
void InjectQPIFCommandSP(char* argv[]);
