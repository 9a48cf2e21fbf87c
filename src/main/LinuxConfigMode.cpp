#include "main/LinuxRunModes.h"

// The settings sheet is not built yet: configuration mode ends without changing anything.
void CLinuxRunModes::RunConfigSheet(SaverSettings&) {}
