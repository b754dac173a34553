// One run of the closer: read the handle file, and ask the picker it names to close.
#pragma once

// Always 0, the program's exit code.
int RunCloser();
