// Test layouts in the text dump of sections and keys: the stored three-pane layout of the tests'
// layouts folder, small edits of it, and the table of damaged layouts every storage must
// refuse (the window-free check, the layout loads under Wine, the fuzzer's seeds).
#pragma once

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace dockingtest {

// The source tree's layouts folder as Wine sees it (Z: maps the Unix root).
inline std::string LayoutsFolder()
{
    const char* source = std::getenv("ORVANE_SOURCE");
    std::string path = source ? "Z:" : "";
    for (const char* p = source ? source : "."; *p; ++p)
        path += *p == '/' ? '\\' : *p;
    return path + "\\tests\\toolkit\\dockingpane\\layouts\\";
}

inline std::string ReadLayoutFile(const std::string& name)
{
    std::ifstream file(LayoutsFolder() + name, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The range [begin, end) of a section's lines ("" is the part before the first section).
inline void FindSection(const std::string& text, const std::string& section, size_t& begin,
                        size_t& end)
{
    if (section.empty()) {
        begin = 0;
    } else {
        const std::string header = "[" + section + "]\n";
        begin = text.find(header);
        if (begin == std::string::npos) {
            begin = end = std::string::npos;
            return;
        }
        begin += header.size();
    }
    end = text.find("\n[", begin == 0 ? 0 : begin - 1);
    end = end == std::string::npos ? text.size() : end + 1;
    if (section.empty())
        end = text[0] == '[' ? 0 : end;
}

// Replaces the key's value, or appends the key at the end of the section.
inline void SetKey(std::string& text, const std::string& section, const std::string& key,
                   const std::string& value)
{
    size_t begin = 0, end = 0;
    FindSection(text, section, begin, end);
    if (begin == std::string::npos)
        return;
    for (size_t line = begin; line < end;) {
        const size_t next = text.find('\n', line) + 1;
        if (text.compare(line, key.size() + 1, key + "=") == 0) {
            text.replace(line, next - line, key + "=" + value + "\n");
            return;
        }
        line = next;
    }
    text.insert(end, key + "=" + value + "\n");
}

inline void RemoveKey(std::string& text, const std::string& section, const std::string& key)
{
    size_t begin = 0, end = 0;
    FindSection(text, section, begin, end);
    for (size_t line = begin; begin != std::string::npos && line < end;) {
        const size_t next = text.find('\n', line) + 1;
        if (text.compare(line, key.size() + 1, key + "=") == 0) {
            text.erase(line, next - line);
            return;
        }
        line = next;
    }
}

struct DamagedLayout {
    std::string name;
    std::string text;
    std::string reason;  // part of the check's message when every type is known; "" any
};

inline std::vector<DamagedLayout> DamagedLayouts()
{
    const std::string base = ReadLayoutFile("three-panes.txt");
    std::vector<DamagedLayout> table;
    auto add = [&](const char* name, const char* reason, auto edit) {
        std::string text = base;
        edit(text);
        table.push_back({name, text, reason});
    };
    add("truncated", "", [](std::string& t) { t.resize(t.size() / 2); });
    add("type 9", "type without a class", [](std::string& t) { SetKey(t, "Pane-6", "Type", "9"); });
    add("self-listing splitter", "lists itself",
        [](std::string& t) { SetKey(t, "Pane-7", "Pane-2", "7"); });
    add("two parents", "two parents", [](std::string& t) { SetKey(t, "Pane-8", "Pane-1", "1"); });
    add("cycle", "cycle", [](std::string& t) {
        SetKey(t, "Summary", "Panes", "10");
        t += "[Pane-9]\nType=2\nHoriz=0\nPanes=1\nPane-1=10\n";
        t += "[Pane-10]\nType=2\nHoriz=1\nPanes=1\nPane-1=9\n";
    });
    add("pane as top container", "\"TopContainer\" is not a splitter",
        [](std::string& t) { SetKey(t, "Summary", "TopContainer", "1"); });
    add("selected 99", "selected pane", [](std::string& t) { SetKey(t, "Pane-6", "Selected", "99"); });
    add("object count 2^31-1", "object count",
        [](std::string& t) { SetKey(t, "Summary", "Panes", "2147483647"); });
    add("direction 7", "direction out of range", [](std::string& t) {
        SetKey(t, "Summary", "Panes", "9");
        t += "[Pane-9]\nType=5\nDirection=7\nPanes=0\n";
    });
    add("negative size", "size out of range",
        [](std::string& t) { SetKey(t, "Pane-6", "DockingCX", "-5"); });
    add("duplicate id", "used twice", [](std::string& t) { SetKey(t, "Pane-3", "ID", "4002"); });
    add("no client", "Client", [](std::string& t) { RemoveKey(t, "Summary", "Client"); });
    return table;
}

}  // namespace dockingtest
