// The whole-layout check of a stored docking layout.
#include "toolkit/dockingpane/DockingLayoutCheck.h"

#include <algorithm>
#include <set>

namespace orvane::docking {

namespace {

class Checker {
public:
    Checker(const LayoutRecord& record, LayoutTree& tree, LayoutCheckResult& result)
        : m_record(record), m_tree(tree), m_result(result)
    {
    }

    bool Run(unsigned supportedTypes)
    {
        const int count = m_record.ObjectCount();
        if (count < 2 || count > kMaxLayoutObjects)
            return Fail("object count out of range");
        if (m_record.sections.size() != static_cast<size_t>(count) + 1)
            return Fail("object sections do not match the object count");
        m_tree.nodes.assign(static_cast<size_t>(count) + 1, LayoutTree::Node());
        for (int n = 1; n <= count; ++n) {
            const int type = Section(n).Number(u"Type", -1);
            if (type < 0 || type > kLayoutSidePanel || !(supportedTypes & (1u << type)))
                return Fail(n, "type without a class");
            m_tree.nodes[static_cast<size_t>(n)].type = type;
        }
        std::set<int> paneIds;
        bool sides[4] = {};
        for (int n = 1; n <= count; ++n) {
            const LayoutSection& section = Section(n);
            if (!Size(n, u"DockingCX") || !Size(n, u"DockingCY"))
                return false;
            switch (Node(n).type) {
            case kLayoutPane: {
                const int id = section.Number(u"ID", 0);
                if (id <= 0)
                    return Fail(n, "pane id not positive");
                if (!paneIds.insert(id).second)
                    return Fail(n, "pane id used twice");
                for (const char16_t* key : {u"DockingHolder", u"FloatingHolder", u"LastHolder"}) {
                    const int holder = section.Number(key, 0);
                    if (holder != 0 && !IsType(holder, 1u << kLayoutTabbed))
                        return Fail(n, "holder is not a tabbed container");
                }
                for (const char16_t* key : {u"MinTrackX", u"MinTrackY", u"MaxTrackX", u"MaxTrackY"})
                    if (!Size(n, key))
                        return false;
                break;
            }
            case kLayoutTabbed: {
                if (!Children(n, 1u << kLayoutPane))
                    return false;
                const int selected = section.Number(u"Selected", 0);
                if (selected != 0) {
                    const std::vector<int>& entries = Node(n).children;
                    if (std::find(entries.begin(), entries.end(), selected) == entries.end())
                        return Fail(n, "selected pane is not one of its own");
                }
                break;
            }
            case kLayoutSplitter:
                if (!Children(n, (1u << kLayoutTabbed) | (1u << kLayoutSplitter) |
                                     (1u << kLayoutClient)))
                    return false;
                break;
            case kLayoutMiniWnd:
                if (!Size(n, u"ExpandedHeight") ||
                    !Adopt(n, section.Number(u"TopContaner", 0), 1u << kLayoutSplitter))
                    return false;
                break;
            case kLayoutAutoHidePanel: {
                const int side = section.Number(u"Direction", -1);
                if (side < 0 || side > 3)
                    return Fail(n, "direction out of range");
                if (sides[side])
                    return Fail(n, "second auto-hide panel on one side");
                sides[side] = true;
                if (!Children(n, 1u << kLayoutTabbed))
                    return false;
                break;
            }
            case kLayoutSidePanel: {
                const int side = section.Number(u"Direction", -1);
                if (side < 0 || side > 3)
                    return Fail(n, "direction out of range");
                if (!Adopt(n, section.Number(u"TopContaner", 0), 1u << kLayoutTabbed))
                    return false;
                break;
            }
            default:
                break;
            }
        }

        const LayoutSection& summary = m_record.sections[0];
        if (!summary.Find(u"TopContainer") || !summary.Find(u"Client"))
            return Fail("\"TopContainer\" or \"Client\" missing");
        m_tree.top = summary.Number(u"TopContainer", 0);
        m_tree.client = summary.Number(u"Client", 0);
        if (!IsType(m_tree.top, 1u << kLayoutSplitter))
            return Fail("\"TopContainer\" is not a splitter container");
        if (Node(m_tree.top).parent != 0)
            return Fail("the top container has a parent");
        if (!IsType(m_tree.client, 1u << kLayoutClient))
            return Fail("\"Client\" is not a client container");
        for (int n = 1; n <= count; ++n)
            if (Node(n).type == kLayoutClient && n != m_tree.client)
                return Fail(n, "second client container");

        // One parent each is already sure; a walk longer than the object count is a cycle.
        for (int n = 1; n <= count; ++n) {
            int steps = 0;
            for (int up = Node(n).parent; up != 0; up = Node(up).parent)
                if (++steps > count)
                    return Fail(n, "containers form a cycle");
        }
        int up = m_tree.client;
        while (up != 0 && up != m_tree.top)
            up = Node(up).parent;
        if (up != m_tree.top)
            return Fail("the client container is not inside the top container");
        m_result.ok = true;
        return true;
    }

private:
    const LayoutSection& Section(int n) const { return m_record.sections[static_cast<size_t>(n)]; }
    LayoutTree::Node& Node(int n) { return m_tree.nodes[static_cast<size_t>(n)]; }
    bool IsType(int n, unsigned types) const
    {
        return n >= 1 && static_cast<size_t>(n) < m_tree.nodes.size() &&
               (types & (1u << m_tree.nodes[static_cast<size_t>(n)].type));
    }

    bool Size(int n, const char16_t* key)
    {
        const int value = Section(n).Number(key, 0);
        if (value < 0 || value > kMaxLayoutSize)
            return Fail(n, "size out of range");
        return true;
    }

    // Makes child a child of parent; the child must be of one of the given types.
    bool Adopt(int parent, int child, unsigned types)
    {
        if (!IsType(child, types))
            return Fail(parent, "refers to a missing object or one of the wrong type");
        if (child == parent)
            return Fail(parent, "lists itself");
        if (Node(child).parent != 0)
            return Fail(child, "has two parents");
        Node(child).parent = parent;
        Node(parent).children.push_back(child);
        return true;
    }

    bool Children(int n, unsigned types)
    {
        const LayoutSection& section = Section(n);
        const int count = section.Number(u"Panes", 0);
        if (count < 0 || count > static_cast<int>(m_tree.nodes.size()) - 1)
            return Fail(n, "entry count out of range");
        for (int i = 1; i <= count; ++i) {
            const LayoutValue* entry = section.Find(LayoutObjectSectionName(i));
            if (!entry || !Adopt(n, entry->number[0], types))
                return entry ? false : Fail(n, "entry missing");
        }
        return true;
    }

    bool Fail(const std::string& text)
    {
        m_result.error = text;
        return false;
    }
    bool Fail(int n, const std::string& text)
    {
        return Fail("object " + std::to_string(n) + ": " + text);
    }

    const LayoutRecord& m_record;
    LayoutTree& m_tree;
    LayoutCheckResult& m_result;
};

}  // namespace

LayoutCheckResult CheckLayoutRecord(const LayoutRecord& record, LayoutTree& tree,
                                    unsigned supportedTypes)
{
    LayoutCheckResult result;
    tree = LayoutTree();
    Checker(record, tree, result).Run(supportedTypes);
    return result;
}

}  // namespace orvane::docking
