// The program's one application object; the framework's entry point runs it.
#include "player/app/QVRApp.h"

QVRApp theApp;
