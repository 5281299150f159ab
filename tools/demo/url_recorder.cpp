// Stands in for the browser for scripts/demo and the end-to-end tests: set as
// the handler of the http protocol with the command line
// "url_recorder.exe" "RECORD" "%1", it appends the address it was asked to
// open to the file RECORD, one line each, as "<address> by <id of the process
// that started it>". The file comes on the command line, not from the
// environment: setup has the desktop shell open the page, and the shell's
// environment is not the one of whoever set up the handler.
#include "product/parent_process.h"

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc < 3) return 0;
    std::FILE* file = std::fopen(argv[1], "ab");
    if (file == nullptr) return 1;
    std::fprintf(file, "%s by %lu\r\n", argv[2], ParentProcessId());
    std::fclose(file);
    return 0;
}
