// The binary property exchange under arbitrary bytes (see ArchiveFuzzEntry.h).
#include "tests/toolkit/common/fuzz/ArchiveFuzzEntry.h"

#include "toolkit/common/CUTKPropExchangeArchive.h"
#include "tests/toolkit/common/ExchangeTestTree.h"

#include <cstdlib>
#include <cstring>

namespace orvane::fuzz {

namespace {

using orvane::test::ExchangeTree;
using Bytes = std::vector<uint8_t>;

// Stores the tree; empty when the exchange refused a value.
Bytes StoreTree(ExchangeTree& tree)
{
    CMemFile file;
    bool stored = false;
    {
        CArchive ar(&file, CArchive::store);
        CUTKPropExchangeArchive px(ar);
        stored = orvane::test::ExchangeWholeTree(&px, tree);
        ar.Close();
    }
    const UINT length = static_cast<UINT>(file.GetLength());
    BYTE* data = file.Detach();
    Bytes bytes;
    if (stored && data != nullptr) {
        bytes.assign(data, data + length);
    }
    std::free(data);
    return bytes;
}

// Loads a tree; false on a refusal or an exception (which is deleted here).
bool LoadTree(const uint8_t* data, size_t size, ExchangeTree* tree)
{
    bool loaded = false;
    try {
        // Loading only reads the buffer.
        CMemFile file(const_cast<BYTE*>(data), static_cast<UINT>(size));
        CArchive ar(&file, CArchive::load);
        CUTKPropExchangeArchive px(ar);
        loaded = orvane::test::ExchangeWholeTree(&px, *tree);
    } catch (CException* e) {
        e->Delete();
        loaded = false;
    }
    // A damaged reference may name another object than the one just read.
    if (tree->repeated != tree->object.get()) {
        delete tree->repeated;
    }
    tree->repeated = nullptr;
    return loaded;
}

}  // namespace

bool ArchiveExchangeEntry(const uint8_t* data, size_t size)
{
    const int livingBefore = CTreeItem::Instances();
    Bytes first;
    {
        ExchangeTree tree;
        if (LoadTree(data, size, &tree)) {
            first = StoreTree(tree);
        }
    }
    if (CTreeItem::Instances() != livingBefore) {
        return false;
    }
    if (first.empty()) {
        return true;
    }
    Bytes second;
    {
        ExchangeTree tree;
        if (!LoadTree(first.data(), first.size(), &tree)) {
            return false;
        }
        second = StoreTree(tree);
    }
    return CTreeItem::Instances() == livingBefore && second == first;
}

bool ArchiveExchangeLoads(const uint8_t* data, size_t size)
{
    ExchangeTree tree;
    return LoadTree(data, size, &tree);
}

std::vector<Bytes> ArchiveExchangeSeeds()
{
    std::vector<Bytes> seeds;
    ExchangeTree sample = ExchangeTree::Sample();
    seeds.push_back(StoreTree(sample));
    ExchangeTree small = ExchangeTree::Sample();
    small.children.clear();
    small.blob.clear();
    small.text.Empty();
    seeds.push_back(StoreTree(small));
    return seeds;
}

}  // namespace orvane::fuzz
