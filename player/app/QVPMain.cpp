// The program's one application object; the framework's entry point runs it.
#include "QVRApp.h"

QVRApp theApp;
