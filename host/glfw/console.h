// Where the desktop program's messages go.
#pragma once

// Called first thing in main(). On Linux the messages go to the standard
// output and error the program was given, and nothing is done. On Windows,
// whose program opens no console window of its own, output a parent
// redirected stays where it was sent; otherwise the console of the program
// that started this one (a Command Prompt) is taken when there is one, and
// else both go to flingaroo.log in the records folder, new at each start.
void nx_glfw_FindConsole();
