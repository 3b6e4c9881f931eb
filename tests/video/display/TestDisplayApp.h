// The framework's application object for the display tests: dialogs need it initialised.
#pragma once

void InitDisplayTestApp();
