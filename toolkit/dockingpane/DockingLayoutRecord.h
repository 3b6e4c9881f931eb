// A stored docking layout read into plain values before any docking object exists: the
// "Summary" section, then one section per object with its keys in the order the objects exchange
// them. Portable C++ (no Win32 or framework types) so that it is also built natively and fuzzed;
// the toolkit reads it from a property storage, the fuzzer from a text dump of the same keys.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace orvane::docking {

// Caps that bound what a damaged layout can make the reader allocate or the toolkit create.
inline constexpr int kMaxLayoutObjects = 4096;
inline constexpr int kMaxLayoutSize = 32767;
inline constexpr int kLatestLayoutSchema = 36;

// Object types as the layout stores them under "Type".
enum LayoutObjectType : int {
    kLayoutPane = 0,
    kLayoutTabbed = 1,
    kLayoutSplitter = 2,
    kLayoutMiniWnd = 3,
    kLayoutClient = 4,
    kLayoutAutoHidePanel = 5,
    kLayoutSidePanel = 6,
};

// Types the toolkit has classes for; a layout holding any other type is refused.
inline constexpr unsigned kLayoutTypesDocked =
    (1u << kLayoutPane) | (1u << kLayoutTabbed) | (1u << kLayoutSplitter) | (1u << kLayoutClient);
inline constexpr unsigned kLayoutTypesAll = kLayoutTypesDocked | (1u << kLayoutMiniWnd) |
                                            (1u << kLayoutAutoHidePanel) |
                                            (1u << kLayoutSidePanel);

enum class LayoutValueKind : uint8_t { Int, Bool, Text, Rect };

struct LayoutValue {
    std::u16string key;
    LayoutValueKind kind = LayoutValueKind::Int;
    int32_t number[4] = {};  // Int and Bool use the first; Rect is left, top, right, bottom
    std::u16string text;

    bool operator==(const LayoutValue& other) const;
};

struct LayoutSection {
    std::u16string name;
    std::vector<LayoutValue> values;  // in exchange order

    const LayoutValue* Find(const std::u16string& key) const;
    // The value of an Int or Bool key, or fallback when the key is absent.
    int32_t Number(const std::u16string& key, int32_t fallback) const;
    bool operator==(const LayoutSection& other) const { return name == other.name && values == other.values; }
};

struct LayoutRecord {
    int32_t schema = kLatestLayoutSchema;
    // "Summary" first (with "Panes", then "TopContainer" and "Client"), then "Pane-1" ...
    std::vector<LayoutSection> sections;

    const LayoutSection* Find(const std::u16string& name) const;
    // Number of objects ("Summary" "Panes"); 0 when absent.
    int ObjectCount() const;
    // The section of object n (from 1), null when out of range.
    const LayoutSection* Object(int n) const;
    bool operator==(const LayoutRecord& other) const { return schema == other.schema && sections == other.sections; }
};

// Where the reader takes values from. Reads come in the order the objects exchange them, so an
// archive that only knows call order reads correctly. A value with a default yields the default
// when missing; without one, a missing value is a failure.
class LayoutSource {
public:
    virtual ~LayoutSource() = default;
    // Makes the named child section of the layout's section current; false when it cannot.
    virtual bool OpenSection(const std::u16string& name) = 0;
    // The layout section's "Schema" (latest when absent).
    virtual bool ReadSchema(int32_t& schema) = 0;
    virtual bool ReadInt(const std::u16string& key, const int32_t* defaultValue, int32_t& value) = 0;
    virtual bool ReadBool(const std::u16string& key, const int32_t* defaultValue, int32_t& value) = 0;
    virtual bool ReadText(const std::u16string& key, std::u16string& value) = 0;
    virtual bool ReadRect(const std::u16string& key, const int32_t* defaultValue, int32_t value[4]) = 0;
};

struct LayoutReadResult {
    bool ok = false;
    std::string error;  // what was wrong, for logs and tests
};

// Reads every section and key of a stored layout. Counts are capped before anything is read by
// them; a type outside supportedTypes stops the read (its keys are unknown). The record keeps
// what was read up to a failure.
LayoutReadResult ReadLayoutRecord(LayoutSource& source, LayoutRecord& record,
                                  unsigned supportedTypes = kLayoutTypesDocked);

// Builds an object's section number text: "Pane-%d".
std::u16string LayoutObjectSectionName(int n);

// Text dump of a record, one value a line, for the fuzzer and for readable test failures:
//   Schema=36
//   [Summary]
//   Panes=5
//   Title=a\nb        (text: backslash escapes \\ \n \r; bool and int are decimal;
//   WindowRect=1,2,3,4  rectangles four decimals)
std::string WriteLayoutText(const LayoutRecord& record);

// A source over a text dump; bytes are taken as Latin-1 characters. A key without a
// value line is missing; a malformed number is a failure.
class LayoutTextSource : public LayoutSource {
public:
    explicit LayoutTextSource(const std::string& text);

    bool OpenSection(const std::u16string& name) override;
    bool ReadSchema(int32_t& schema) override;
    bool ReadInt(const std::u16string& key, const int32_t* defaultValue, int32_t& value) override;
    bool ReadBool(const std::u16string& key, const int32_t* defaultValue, int32_t& value) override;
    bool ReadText(const std::u16string& key, std::u16string& value) override;
    bool ReadRect(const std::u16string& key, const int32_t* defaultValue, int32_t value[4]) override;

private:
    struct Line {
        std::u16string key;
        std::u16string value;
    };
    struct Section {
        std::u16string name;
        std::vector<Line> lines;
    };
    const std::u16string* Lookup(const std::u16string& key) const;

    std::vector<Line> m_root;
    std::vector<Section> m_sections;
    const Section* m_current = nullptr;
};

// Parses a decimal 32-bit integer, optional minus sign, nothing else; false when out of range.
bool ParseLayoutInt(const std::u16string& text, int32_t& value);

}  // namespace orvane::docking
