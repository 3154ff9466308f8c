// Readable forms of byte streams for fixtures and failure messages.
#pragma once
#include <string>

// Decodes \e (ESC), \r, \n, \t, \0, \\, \xHH; "\c" at the end of a line drops
// the line end that follows it.
std::string Unescape(const std::string& text);
// Shows control bytes as escapes (\e, \r, \xHH) and keeps line feeds as line breaks.
std::string MakeVisible(const std::string& bytes);
