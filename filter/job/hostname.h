// Host name of this computer for the job-accounting lines.
#pragma once

// Clears `destination` (97 bytes) and fills it with at most 96 bytes of the host name.
void getHostName(char* destination);

// Clears `destination` (97 bytes) and copies at most 96 bytes of `name` into it.
void CopyHostName(const char* name, char* destination);
