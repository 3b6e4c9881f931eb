// The document: it holds no presentation data itself. Opening creates the program's open
// presentation and replaces the previous one only on success; a new document closes it. The
// document keeps the window title (file name and path, or the opening progress) and copies it
// to the hidden owner window's caption.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class IOpenPresentation;

class QVRDoc {
public:
    // Opens a presentation; error text in *error, null on failure.
    using OpenFn = std::function<IOpenPresentation*(const std::wstring& path, std::wstring* error)>;

    explicit QVRDoc(OpenFn open);
    virtual ~QVRDoc() = default;

    // The document manager's open: a missing path is refused with string 164.
    BOOL OpenDocumentFile(const wchar_t* path);
    BOOL OnNewDocument();
    BOOL OnOpenDocument(const wchar_t* path);

    void SetTitle(const std::wstring& text);
    void SetPathName(const std::wstring& path, bool addToRecent);
    void RefreshTitle();
    void SetOpenProgress(double percent);

    const std::wstring& GetTitle() const { return m_title; }
    const std::wstring& GetPathName() const { return m_path; }

    // "a.wmv (C:\Talks\a.wmv)" for a path whose last backslash is not its first character.
    static std::wstring TitleFor(const std::wstring& text);

private:
    OpenFn m_open;
    std::wstring m_title;
    std::wstring m_path;
    double m_openProgress = -1;
};

QVRDoc* TheDocument();
void SetTheDocument(QVRDoc* document);
// The open-file filter: Windows Media files, then all files.
std::wstring GetOpenFileFilter();
// Adds a path to the recent-file list (the application keeps it).
using RecentFileFn = void (*)(const std::wstring& path);
void SetRecentFileSink(RecentFileFn fn);
