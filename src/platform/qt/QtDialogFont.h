#pragma once

#include <QFont>

#include "sheet/DialogUnits.h"

// The pages' font, or the nearest one installed, and the dialog units it gives.
QFont PageDialogFont();
CDialogBaseUnits DialogBaseUnits(const QFont& font);
QRect DialogRect(const CDialogBaseUnits& units, int x, int y, int cx, int cy);
