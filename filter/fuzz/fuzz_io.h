// Files for the whole-pass fuzz targets: the document is handed to the filter
// as a file (argv[6]) and standard output goes to a file that is read back and
// emptied after every run.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

namespace fuzzio {

// Sends standard output to a private file; call once, from LLVMFuzzerInitialize.
void CaptureStdout();
// What the run wrote to standard output; empties the file for the next run.
std::string TakeStdout();
// Writes the document and returns its path (the same file for every run).
const char* WriteDocument(const uint8_t* data, size_t size);
// A private folder for TMPDIR; empty between runs when nothing is left behind.
const char* PrivateTmpDir();
bool FolderIsEmpty(const char* folder);

}  // namespace fuzzio
