#pragma once

#include "app/SaverInput.h"
#include "app/SaverWndHost.h"
#include "settings/SaverSettings.h"

// Writes the top-left width x height pixels of what the window shows as the next numbered BMP
// file in the chosen folder and stores the advanced number, whether or not the file could be
// written.
void TakeScreenshot(SaverSettings& settings, ISaverWndHost& host, int width, int height);

// Carries out what input asked of the saver: a close request, or a screenshot of the drawing
// area (width x height) between the wait cursor and the invisible one.
void CarryOut(SaverAction action, SaverSettings& settings, ISaverWndHost& host, int width,
              int height);
