// Host name of this computer for the job-accounting lines.
#pragma once

// Clears `destination` (97 bytes) and fills it with at most 96 bytes of the host name.
void getHostName(char* destination);
