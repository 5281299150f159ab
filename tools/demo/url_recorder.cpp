// Stands in for the browser for scripts/demo and the end-to-end tests: set as
// the handler of the http protocol, it appends the address it was asked to
// open to the file named by PICTOREL_URL_RECORD, one line each.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv)
{
    const char* record = std::getenv("PICTOREL_URL_RECORD");
    if (record == nullptr || argc < 2) return 0;
    std::FILE* file = std::fopen(record, "ab");
    if (file == nullptr) return 1;
    std::fprintf(file, "%s\r\n", argv[1]);
    std::fclose(file);
    return 0;
}
