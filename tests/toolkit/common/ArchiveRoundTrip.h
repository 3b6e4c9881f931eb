// Saving an object's exchanged state into archive bytes and loading it back, for the round-trip
// tests of bars and controls: the load reads a copy of exactly the given length, so a cut
// stream is refused by the archive instead of reading on unnoticed.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <vector>

#include "platform/framework/CArchive.h"
#include "platform/framework/CArchiveException.h"
#include "platform/framework/CMemFile.h"
#include "toolkit/common/CUTKPropExchangeArchive.h"

namespace orvane::test {

template <class T>
std::vector<BYTE> StoreArchiveBytes(T* object, int schema)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        CUTKPropExchangeArchive px(ar);
        px.m_nSchema = schema;
        object->DoPropExchange(&px);
        ar.Close();
    }
    const UINT length = static_cast<UINT>(file.GetLength());
    BYTE* data = file.Detach();
    std::vector<BYTE> bytes(data, data + length);
    std::free(data);
    return bytes;
}

// True when the whole stream was read; false when the archive refused it.
template <class T>
bool LoadArchiveBytes(const std::vector<BYTE>& bytes, T* object, int schema)
{
    std::unique_ptr<BYTE[]> copy(new BYTE[bytes.size() + 1]);
    std::copy(bytes.begin(), bytes.end(), copy.get());
    try {
        CMemFile file(copy.get(), static_cast<UINT>(bytes.size()));
        CArchive ar(&file, CArchive::load);
        CUTKPropExchangeArchive px(ar);
        px.m_nSchema = schema;
        object->DoPropExchange(&px);
    } catch (CArchiveException* e) {
        e->Delete();
        return false;
    }
    return true;
}

}  // namespace orvane::test
