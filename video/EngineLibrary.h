// What the library's two exports do: create the engine object for the player's callback
// object, keep both in the process-wide pointers, and destroy the engine object again.
#pragma once

#include "Common/QVRInterfaces.h"

class EngineLibrary {
public:
    typedef IQVRVideo* (*Factory)();

    // Stores the callback (also when creation fails), destroys an engine object that a
    // previous call left behind, creates a new one with the factory and stores it.
    static IQVRVideo* CreateVideoInterface(QVRInstance* callback, Factory factory);
    // Destroys the engine object, if any; the callback pointer stays.
    static void ReleaseVideoInterface();
};
