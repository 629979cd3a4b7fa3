#pragma once
// Start-up: the windows are made in the order TForm1 .. TForm11 and wired together in one place.
#include "ui/ApplicationObject.h"

// Creates the windows in the order TForm1 .. TForm11, stores them in Form1 .. Form11 and
// connects the news each window sends to the windows that follow it.
void CreateForms();
// Deletes the windows in reverse order and clears Form1 .. Form11.
void DestroyForms();

// The whole program: application object, windows, message loop. Any error escaping
// start-up is shown in an error message box and ends the program with exit code 1.
int RunTermix(int argc, char** argv);
