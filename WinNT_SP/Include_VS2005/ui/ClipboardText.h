// Copies the UTF-16 text of an open file (from its current position) to the clipboard as
// Unicode, ANSI and OEM text. Used for the bookmark list, written to a temporary file first.
#pragma once

#include "platform/framework/Framework.h"

#include <string>

// Empty on success, else the error text.
std::wstring CopyFileTextToClipboard(CFile& file);
