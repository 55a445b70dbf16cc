#include "startup.h"

// The program takes no command-line arguments; the toolkit reads what it needs
// from the environment (DISPLAY, QT_QPA_PLATFORM).
int main()
{
    return quillory::StartProgram();
}
