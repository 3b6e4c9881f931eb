// A log sink that keeps its lines (with their flags) for the tests to inspect.
#pragma once

#include "WinNT_SP/Include_VS2005/TraceScope.h"

#include <mutex>
#include <string>
#include <vector>

namespace orvane::test {

class CollectSink : public CReleaseModeDebug {
public:
    struct Line {
        unsigned flags;
        std::wstring text;
    };
    void Output(unsigned flags, const wchar_t* text) override
    {
        std::lock_guard<std::mutex> guard(m_lock);
        m_lines.push_back({flags, text});
    }
    std::vector<Line> Lines()
    {
        std::lock_guard<std::mutex> guard(m_lock);
        return m_lines;
    }
    std::wstring Text()
    {
        std::wstring all;
        for (const Line& line : Lines()) {
            all += line.text + L"\n";
        }
        return all;
    }
    bool HasLineStartingWith(const std::wstring& start)
    {
        for (const Line& line : Lines()) {
            if (line.text.compare(0, start.size(), start) == 0) {
                return true;
            }
        }
        return false;
    }

private:
    std::mutex m_lock;
    std::vector<Line> m_lines;
};

}  // namespace orvane::test
