// The main of a test program that opens windows: the platform's toolkit
// started as the program starts it (on Linux offscreen unless a display is
// there, so that ctest can list and run the tests anywhere), and every
// modal window answered by a test or counted as a failure.
#pragma once

int RunWindowTests(int argc, char** argv);
