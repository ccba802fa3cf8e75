// Runs the dialog tests with the program's own application object.
#include "WindowTestMain.h"

int main(int argc, char** argv)
{
    return RunWindowTests(argc, argv);
}
