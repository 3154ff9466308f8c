// Entry points of the feature modules, as the core's dispatch calls them. Each
// module's record and tables live in its own source.
#pragma once
#include <cstdio>

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

// Comment fields.
int CommentGetTicketFromPDE(char* argv[]);

// Special pages.
void SpecialPageInializeDescriptionTable();
int SpecialPageGetTicketFromPDE(char* argv[]);
void InjectQPIFCommandSP(char* argv[]);
