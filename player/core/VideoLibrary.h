// The binding of the engine library: loaded at start-up by path beside the program, its two
// exports bound by name, the engine object kept for the whole run and released at exit.
#pragma once

#include "Common/QVRInterfaces.h"

#include <string>

// The engine object; null until a successful load and after unload.
IQVRVideo* VideoEngine();
// The player's callback object handed to the engine (created before the load, destroyed after
// the unload by the application).
QVRInstance* VideoCallback();
void SetVideoCallback(QVRInstance* callback);

// Loads the library beside the program; empty text on success.
std::wstring LoadVideoLibrary();
// Loads the library at path (tests pass a library of their own).
std::wstring LoadVideoLibraryFrom(const std::wstring& path);
// Releases the engine object and unloads the library; safe when nothing is loaded.
void UnloadVideoLibrary();
bool IsVideoLibraryLoaded();

// Hands the stored "PlayVid" text (empty when absent) to the engine.
int SetVideoLibrarySettings();

BOOL CanVideoFullScreen();
BOOL IsVideoFullScreen();
std::wstring SetVideoFullScreen(BOOL on);
