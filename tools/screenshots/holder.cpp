// Stays until the test lets it go (or for a minute): its own file is in use
// meanwhile, and an installation that runs it as the product waits for it.
#include <windows.h>

int main()
{
    HANDLE release = OpenEventA(SYNCHRONIZE, FALSE, "PictorelTest.release");
    if (release != nullptr) WaitForSingleObject(release, 60000);
    return 0;
}
