// The stand-in's record of what it received: lines appended to the file that
// its value under standInRecordsKey, else PICTOREL_STANDIN_RECORD, names.
#pragma once

#include <string>

void RecordLine(const std::string& line);
void RecordNumber(const char* what, unsigned long long number);
