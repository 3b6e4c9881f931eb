// A presentation's bookmarks: the markers of its Windows Media file, each a time on the
// 5-microsecond grid and a name, read through the media runtime's metadata editor (or from the
// header of a reader that has the file open).
#pragma once

#include <windows.h>
#include <wmsdk.h>

#include <string>
#include <vector>

struct BM_Item {
    double time = 0;  // seconds
    std::wstring name;
    int value = 0;
};

class Bookmarks {
public:
    Bookmarks() = default;
    virtual ~Bookmarks() = default;

    void Add(const wchar_t* name, double seconds);
    int Count() const { return static_cast<int>(m_items.size()); }
    const BM_Item& Item(int index) const { return m_items[index]; }

    std::vector<BM_Item> m_items;
    std::vector<BM_Item> m_extra;  // filled by nothing that reads files
};

// Appends every marker of the header; throws the program's exception when the count cannot
// be read. A marker that cannot be read is traced and skipped.
void ReadMarkers(Bookmarks* bookmarks, IWMHeaderInfo* header);
// Reads the markers of a file; error is empty on success. Markers read before a failure stay.
void ReadBMFromFile(Bookmarks* bookmarks, std::wstring* error, const wchar_t* path);
