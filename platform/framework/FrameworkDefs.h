// Common ground of the framework: the Windows headers every framework class needs, the few
// shared macros (ASSERT, POSITION) and the framework's module handles. Include Framework.h
// rather than this file.
#pragma once

#ifndef _WIN32
#error "The framework is built for Windows (mingw-w64) only."
#endif

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <winsock2.h>
#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

// winbase.h maps this name to GetTickCount; the framework uses it as a member name.
#undef GetCurrentTime

#include <cstddef>
#include <cstdint>

#ifndef ASSERT
#ifdef NDEBUG
#define ASSERT(expr) ((void)0)
#else
#include <cassert>
#define ASSERT(expr) assert(expr)
#endif
#endif

#ifndef VERIFY
#define VERIFY(expr) ((void)(expr))
#endif

#ifndef AFXAPI
#define AFXAPI
#endif

// Opaque iterator of the list and map classes.
struct __POSITION {};
typedef __POSITION* POSITION;

#define BEFORE_START_POSITION (reinterpret_cast<POSITION>(-1))

// Module whose resources string loads and resource lookups use. Defaults to the exe; a DLL
// (or the window half of the framework) sets its own handle at start-up.
HINSTANCE AFXAPI AfxGetResourceHandle();
void AFXAPI AfxSetResourceHandle(HINSTANCE instance);
HINSTANCE AFXAPI AfxGetInstanceHandle();
void AFXAPI AfxSetInstanceHandle(HINSTANCE instance);
