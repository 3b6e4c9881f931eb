// Defines the Windows Media interface identifiers of mingw's headers in this module (they are
// declared there but no import library of ours provides them).
#define INITGUID
#include <windows.h>
#include <wmsdk.h>
