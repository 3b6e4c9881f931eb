// The foundation half of the framework (strings, collections, run-time classes, exceptions,
// files) as seen from the window half.
#pragma once

#include "platform/framework/Framework.h"
