#pragma once

// The application icon. The lowest icon id of dpx.exe, so the shell shows it for the file, its
// shortcuts and the installed-programs entry as well.
#define IDI_DPX 1
