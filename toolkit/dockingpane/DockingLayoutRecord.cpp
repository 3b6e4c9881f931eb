// Reading a stored docking layout into a plain record, and the record's text dump.
#include "toolkit/dockingpane/DockingLayoutRecord.h"

#include <algorithm>
#include <cstring>

namespace orvane::docking {

namespace {

std::u16string U(const char* text)
{
    std::u16string out;
    for (; *text; ++text)
        out.push_back(static_cast<unsigned char>(*text));
    return out;
}

std::string Narrow(const std::u16string& text)
{
    std::string out;
    out.reserve(text.size());
    for (char16_t c : text)
        out.push_back(c < 256 ? static_cast<char>(c) : '?');
    return out;
}

// Reads one object's or the summary's values into a section, recording each value as read.
class SectionReader {
public:
    SectionReader(LayoutSource& source, LayoutSection& section, LayoutReadResult& result)
        : m_source(source), m_section(section), m_result(result)
    {
    }

    bool Int(const char* key, const int32_t* defaultValue, int32_t* out = nullptr)
    {
        LayoutValue value;
        value.key = U(key);
        value.kind = LayoutValueKind::Int;
        if (!m_source.ReadInt(value.key, defaultValue, value.number[0]))
            return Fail(key);
        if (out)
            *out = value.number[0];
        m_section.values.push_back(std::move(value));
        return true;
    }
    bool Int(const char* key, int32_t defaultValue, int32_t* out = nullptr)
    {
        return Int(key, &defaultValue, out);
    }
    bool Bool(const char* key)
    {
        LayoutValue value;
        value.key = U(key);
        value.kind = LayoutValueKind::Bool;
        const int32_t defaultValue = 0;
        if (!m_source.ReadBool(value.key, &defaultValue, value.number[0]))
            return Fail(key);
        value.number[0] = value.number[0] != 0;
        m_section.values.push_back(std::move(value));
        return true;
    }
    bool Text(const char* key)
    {
        LayoutValue value;
        value.key = U(key);
        value.kind = LayoutValueKind::Text;
        if (!m_source.ReadText(value.key, value.text))
            return Fail(key);
        m_section.values.push_back(std::move(value));
        return true;
    }
    bool Rect(const char* key)
    {
        LayoutValue value;
        value.key = U(key);
        value.kind = LayoutValueKind::Rect;
        const int32_t defaultValue[4] = {};
        if (!m_source.ReadRect(value.key, defaultValue, value.number))
            return Fail(key);
        m_section.values.push_back(std::move(value));
        return true;
    }
    // A count followed by that many numbered entries "Pane-%d" (default 0).
    bool List(const char* countKey, const int32_t* countDefault, int32_t maxCount)
    {
        int32_t count = 0;
        if (!Int(countKey, countDefault, &count))
            return false;
        if (count < 0 || count > maxCount)
            return Error(std::string("\"") + countKey + "\" out of range in " + Narrow(m_section.name));
        for (int32_t i = 1; i <= count; ++i) {
            const std::string key = Narrow(LayoutObjectSectionName(i));
            if (!Int(key.c_str(), 0))
                return false;
        }
        return true;
    }

    bool Error(const std::string& text)
    {
        m_result.error = text;
        return false;
    }

private:
    bool Fail(const char* key)
    {
        return Error(std::string("missing or unreadable \"") + key + "\" in " +
                     Narrow(m_section.name));
    }

    LayoutSource& m_source;
    LayoutSection& m_section;
    LayoutReadResult& m_result;
};

// The keys of one object after its "Type", in the order the object exchanges them.
bool ReadObjectKeys(SectionReader& reader, int type, int32_t schema, int32_t objectCount)
{
    if (!reader.Int("DockingCX", 0) || !reader.Int("DockingCY", 0))
        return false;
    const int32_t zero = 0;
    switch (type) {
    case kLayoutPane: {
        if (!reader.Text("Title") || !reader.Int("ID", 0) || !reader.Int("IconID", -1) ||
            !reader.Int("Options", 0) || !reader.Int("DockingHolder", 0) ||
            !reader.Int("FloatingHolder", 0) || !reader.Int("LastHolder", 0) ||
            !reader.Int("MinTrackX", 0) || !reader.Int("MinTrackY", 0) ||
            !reader.Int("MaxTrackX", 32000) || !reader.Int("MaxTrackY", 32000))
            return false;
        if (schema > 9)
            return reader.Int("TabColor", -1) && reader.Int("HelpId", 0) && reader.Int("Tag", 0);
        return true;
    }
    case kLayoutTabbed: {
        int32_t count = 0;
        if (!reader.Int("Panes", nullptr, &count))
            return false;
        if (count < 0 || count > objectCount)
            return reader.Error("tabbed container \"Panes\" out of range");
        if (!reader.Int("Selected", 0))
            return false;
        if (schema > 32 && !reader.Bool("Maximized"))
            return false;
        for (int32_t i = 1; i <= count; ++i) {
            const std::string key = Narrow(LayoutObjectSectionName(i));
            if (!reader.Int(key.c_str(), 0))
                return false;
        }
        return true;
    }
    case kLayoutSplitter:
        return reader.Bool("Horiz") && reader.List("Panes", &zero, objectCount);
    case kLayoutMiniWnd:
        return reader.Int("WindowRectTopPos", nullptr) &&
               reader.Int("WindowRectBottomPos", nullptr) &&
               reader.Int("WindowRectLeftPos", nullptr) &&
               reader.Int("WindowRectRightPos", nullptr) && reader.Bool("Collapsed") &&
               reader.Int("ExpandedHeight", 0) && reader.Int("TopContaner", nullptr);
    case kLayoutClient:
        return true;
    case kLayoutAutoHidePanel:
        return reader.Int("Direction", nullptr) && reader.List("Panes", &zero, objectCount);
    case kLayoutSidePanel:
        return reader.Int("Direction", nullptr) && reader.Rect("WindowRect") &&
               reader.Bool("Collapsed") && reader.Int("TopContaner", nullptr);
    default:
        return reader.Error("object type without a class");
    }
}

std::u16string EscapeText(const std::u16string& text)
{
    std::u16string out;
    for (char16_t c : text) {
        if (c == u'\\')
            out += u"\\\\";
        else if (c == u'\n')
            out += u"\\n";
        else if (c == u'\r')
            out += u"\\r";
        else
            out.push_back(c);
    }
    return out;
}

bool UnescapeText(const std::u16string& text, std::u16string& out)
{
    out.clear();
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != u'\\') {
            out.push_back(text[i]);
            continue;
        }
        if (++i == text.size())
            return false;
        switch (text[i]) {
        case u'\\': out.push_back(u'\\'); break;
        case u'n': out.push_back(u'\n'); break;
        case u'r': out.push_back(u'\r'); break;
        default: return false;
        }
    }
    return true;
}

bool ParseRect(const std::u16string& text, int32_t value[4])
{
    size_t start = 0;
    for (int i = 0; i < 4; ++i) {
        const size_t comma = text.find(u',', start);
        if ((i < 3) != (comma != std::u16string::npos))
            return false;
        const std::u16string part =
            text.substr(start, i < 3 ? comma - start : std::u16string::npos);
        if (!ParseLayoutInt(part, value[i]))
            return false;
        start = comma + 1;
    }
    return true;
}

}  // namespace

bool LayoutValue::operator==(const LayoutValue& other) const
{
    return key == other.key && kind == other.kind && text == other.text &&
           std::equal(std::begin(number), std::end(number), std::begin(other.number));
}

const LayoutValue* LayoutSection::Find(const std::u16string& key) const
{
    for (const LayoutValue& value : values)
        if (value.key == key)
            return &value;
    return nullptr;
}

int32_t LayoutSection::Number(const std::u16string& key, int32_t fallback) const
{
    const LayoutValue* value = Find(key);
    if (!value || (value->kind != LayoutValueKind::Int && value->kind != LayoutValueKind::Bool))
        return fallback;
    return value->number[0];
}

const LayoutSection* LayoutRecord::Find(const std::u16string& name) const
{
    for (const LayoutSection& section : sections)
        if (section.name == name)
            return &section;
    return nullptr;
}

int LayoutRecord::ObjectCount() const
{
    const LayoutSection* summary = Find(u"Summary");
    return summary ? summary->Number(u"Panes", 0) : 0;
}

const LayoutSection* LayoutRecord::Object(int n) const
{
    // Sections are "Summary" then the objects in number order.
    if (n < 1 || static_cast<size_t>(n) >= sections.size())
        return nullptr;
    return &sections[static_cast<size_t>(n)];
}

std::u16string LayoutObjectSectionName(int n)
{
    return U(("Pane-" + std::to_string(n)).c_str());
}

bool ParseLayoutInt(const std::u16string& text, int32_t& value)
{
    size_t i = 0;
    const bool negative = !text.empty() && text[0] == u'-';
    if (negative)
        i = 1;
    if (i == text.size() || text.size() - i > 10)
        return false;
    int64_t number = 0;
    for (; i < text.size(); ++i) {
        if (text[i] < u'0' || text[i] > u'9')
            return false;
        number = number * 10 + (text[i] - u'0');
    }
    if (negative)
        number = -number;
    if (number < INT32_MIN || number > INT32_MAX)
        return false;
    value = static_cast<int32_t>(number);
    return true;
}

LayoutReadResult ReadLayoutRecord(LayoutSource& source, LayoutRecord& record,
                                  unsigned supportedTypes)
{
    LayoutReadResult result;
    record = LayoutRecord();
    record.sections.push_back(LayoutSection{u"Summary", {}});
    if (!source.OpenSection(u"Summary")) {
        result.error = "no \"Summary\" section";
        return result;
    }
    int32_t count = 0;
    {
        SectionReader summary(source, record.sections[0], result);
        if (!summary.Int("Panes", nullptr, &count))
            return result;
    }
    if (count < 2 || count > kMaxLayoutObjects) {
        result.error = "object count out of range";
        return result;
    }
    if (!source.ReadSchema(record.schema)) {
        result.error = "unreadable \"Schema\"";
        return result;
    }

    std::vector<int32_t> types;
    types.reserve(static_cast<size_t>(count));
    for (int32_t i = 1; i <= count; ++i) {
        record.sections.push_back(LayoutSection{LayoutObjectSectionName(i), {}});
        LayoutSection& section = record.sections.back();
        if (!source.OpenSection(section.name)) {
            result.error = "cannot open " + Narrow(section.name);
            return result;
        }
        int32_t type = -1;
        SectionReader reader(source, section, result);
        if (!reader.Int("Type", -1, &type))
            return result;
        if (type < 0 || type > kLayoutSidePanel || !(supportedTypes & (1u << type))) {
            result.error = "object type without a class in " + Narrow(section.name);
            return result;
        }
        types.push_back(type);
    }
    for (int32_t i = 1; i <= count; ++i) {
        LayoutSection& section = record.sections[static_cast<size_t>(i)];
        if (!source.OpenSection(section.name)) {
            result.error = "cannot open " + Narrow(section.name);
            return result;
        }
        SectionReader reader(source, section, result);
        if (!ReadObjectKeys(reader, types[static_cast<size_t>(i - 1)], record.schema, count))
            return result;
    }
    if (!source.OpenSection(u"Summary")) {
        result.error = "no \"Summary\" section";
        return result;
    }
    SectionReader summary(source, record.sections[0], result);
    if (!summary.Int("TopContainer", nullptr) || !summary.Int("Client", nullptr))
        return result;
    result.ok = true;
    return result;
}

std::string WriteLayoutText(const LayoutRecord& record)
{
    std::string out = "Schema=" + std::to_string(record.schema) + "\n";
    for (const LayoutSection& section : record.sections) {
        out += "[" + Narrow(section.name) + "]\n";
        for (const LayoutValue& value : section.values) {
            out += Narrow(value.key) + "=";
            switch (value.kind) {
            case LayoutValueKind::Int:
            case LayoutValueKind::Bool: out += std::to_string(value.number[0]); break;
            case LayoutValueKind::Text: out += Narrow(EscapeText(value.text)); break;
            case LayoutValueKind::Rect:
                for (int i = 0; i < 4; ++i)
                    out += (i ? "," : "") + std::to_string(value.number[i]);
                break;
            }
            out += "\n";
        }
    }
    return out;
}

LayoutTextSource::LayoutTextSource(const std::string& text)
{
    Section* section = nullptr;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::u16string line;
        for (size_t i = start; i < end; ++i)
            line.push_back(static_cast<unsigned char>(text[i]));
        start = end + 1;
        if (line.size() >= 2 && line.front() == u'[' && line.back() == u']') {
            m_sections.push_back(Section{line.substr(1, line.size() - 2), {}});
            section = &m_sections.back();
            continue;
        }
        const size_t equals = line.find(u'=');
        if (equals == std::u16string::npos)
            continue;
        Line entry{line.substr(0, equals), line.substr(equals + 1)};
        if (section)
            section->lines.push_back(std::move(entry));
        else
            m_root.push_back(std::move(entry));
    }
}

bool LayoutTextSource::OpenSection(const std::u16string& name)
{
    m_current = nullptr;
    for (const Section& section : m_sections)
        if (section.name == name) {
            m_current = &section;
            return true;
        }
    return false;
}

bool LayoutTextSource::ReadSchema(int32_t& schema)
{
    for (const Line& line : m_root)
        if (line.key == u"Schema")
            return ParseLayoutInt(line.value, schema);
    schema = kLatestLayoutSchema;
    return true;
}

const std::u16string* LayoutTextSource::Lookup(const std::u16string& key) const
{
    if (!m_current)
        return nullptr;
    for (const Line& line : m_current->lines)
        if (line.key == key)
            return &line.value;
    return nullptr;
}

bool LayoutTextSource::ReadInt(const std::u16string& key, const int32_t* defaultValue,
                               int32_t& value)
{
    const std::u16string* text = Lookup(key);
    if (!text) {
        if (!defaultValue)
            return false;
        value = *defaultValue;
        return true;
    }
    return ParseLayoutInt(*text, value);
}

bool LayoutTextSource::ReadBool(const std::u16string& key, const int32_t* defaultValue,
                                int32_t& value)
{
    return ReadInt(key, defaultValue, value);
}

bool LayoutTextSource::ReadText(const std::u16string& key, std::u16string& value)
{
    const std::u16string* text = Lookup(key);
    return text && UnescapeText(*text, value);
}

bool LayoutTextSource::ReadRect(const std::u16string& key, const int32_t* defaultValue,
                                int32_t value[4])
{
    const std::u16string* text = Lookup(key);
    if (!text) {
        if (!defaultValue)
            return false;
        std::copy(defaultValue, defaultValue + 4, value);
        return true;
    }
    return ParseRect(*text, value);
}

}  // namespace orvane::docking
