// File and folder helpers: full paths with the on-disk spelling, folders and roots of paths,
// existence tests, folder creation, special and temporary folders, deletion with a message.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

std::wstring GetFullFilePath(const wchar_t* name);
std::wstring GetVolumeRoot(const std::wstring& path);
std::wstring GetFolderOfPath(const std::wstring& path);  // "C:\" keeps its separator
std::wstring GetFolderOfFile(const std::wstring& path);  // up to and including the last "\"
std::wstring DeleteFileText(const wchar_t* name);        // error text, empty on success

bool FileExists(const wchar_t* path, WIN32_FIND_DATAW* findData = nullptr);
bool PathExists(const wchar_t* path);
bool IsFolder(const wchar_t* path);
int ListFolderFiles(std::vector<std::wstring>& names, const wchar_t* pattern);

std::wstring CreateFolderPath(const wchar_t* path);  // error text, empty on success
std::wstring GetSpecialFolder(std::wstring* error, int csidl);
std::wstring GetTempFolder();
std::wstring GetVideoLibraryPath();
std::wstring ExploreFolder(const wchar_t* path);
std::wstring StartVolumeControl(bool vistaOrLater);
