// The shared-file registry. Ids are one above the highest id present, so a freed id comes back
// only once every higher one is gone; a closed id is never looked up again by its former owner
// because the owners forget it when they close it.
#include "player/core/SingleOpenFile.h"

#include "WinNT_SP/Include_VS2005/FileSystem.h"

#include <algorithm>

namespace {

class Locked {
public:
    explicit Locked(CRITICAL_SECTION& cs) : m_cs(cs) { EnterCriticalSection(&m_cs); }
    ~Locked() { LeaveCriticalSection(&m_cs); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    CRITICAL_SECTION& m_cs;
};

}  // namespace

SingleOpenFile::SingleOpenFile() { InitializeCriticalSection(&m_lock); }

SingleOpenFile::~SingleOpenFile()
{
    {
        Locked lock(m_lock);
        m_instances.clear();
        m_files.clear();
    }
    DeleteCriticalSection(&m_lock);
}

int SingleOpenFile::FindFileIndex(int fileId) const
{
    for (size_t i = 0; i < m_files.size(); ++i) {
        if (m_files[i]->id == fileId) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int SingleOpenFile::FindInstanceIndex(int instanceId) const
{
    for (size_t i = 0; i < m_instances.size(); ++i) {
        if (m_instances[i]->id == instanceId) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

int SingleOpenFile::FindInstanceFile(int instanceId) const
{
    const int i = FindInstanceIndex(instanceId);
    return i < 0 ? -1 : FindFileIndex(m_instances[i]->fileId);
}

std::wstring SingleOpenFile::OpenSFile(int* instanceId, const wchar_t* path, int64_t start,
                                       int64_t length, int64_t* fileSize)
{
    if (start < 0 || length < -1) {
        return L"Invalid file window.";
    }
    const std::wstring full = GetFullFilePath(path);
    Locked lock(m_lock);
    CFILE_STRUCT_T* file = nullptr;
    for (auto& f : m_files) {
        if (_wcsicmp(static_cast<const wchar_t*>(f->file.GetFilePath()), full.c_str()) == 0) {
            file = f.get();
            break;
        }
    }
    int64_t size = 0;
    try {
        if (!file) {
            auto record = std::make_unique<CFILE_STRUCT_T>();
            const std::wstring error = record->file.OpenReadShared(full.c_str());
            if (!error.empty()) {
                return error;
            }
            int highest = 0;
            for (auto& f : m_files) {
                highest = std::max(highest, f->id);
            }
            record->id = highest + 1;
            size = static_cast<int64_t>(record->file.GetLength());
            file = record.get();
            m_files.push_back(std::move(record));
        } else {
            size = static_cast<int64_t>(file->file.GetLength());
        }
    } catch (CException* e) {
        e->Delete();
        return L"The length of the file cannot be read.";
    }
    auto inst = std::make_unique<CFILE_INST_STRUCT_T>();
    inst->start = start;
    const int64_t available = std::max<int64_t>(0, size - start);
    inst->length = length == -1 ? available : std::min(length, available);
    inst->position = start;
    inst->fileId = file->id;
    int highest = 0;
    for (auto& i : m_instances) {
        highest = std::max(highest, i->id);
    }
    inst->id = highest + 1;
    *instanceId = inst->id;
    m_instances.push_back(std::move(inst));
    if (fileSize) {
        *fileSize = size;
    }
    return std::wstring();
}

void SingleOpenFile::CloseSFile(int instanceId)
{
    Locked lock(m_lock);
    const int i = FindInstanceIndex(instanceId);
    if (i < 0) {
        return;
    }
    const int fileId = m_instances[i]->fileId;
    m_instances.erase(m_instances.begin() + i);
    const bool used = std::any_of(m_instances.begin(), m_instances.end(),
                                  [fileId](const auto& inst) { return inst->fileId == fileId; });
    const int f = FindFileIndex(fileId);
    if (!used && f >= 0) {
        m_files.erase(m_files.begin() + f);
    }
}

int64_t SingleOpenFile::SeekSFile(int instanceId, int64_t offset, int origin)
{
    Locked lock(m_lock);
    const int i = FindInstanceIndex(instanceId);
    if (i < 0) {
        return -1;
    }
    CFILE_INST_STRUCT_T& inst = *m_instances[i];
    int64_t relative = 0;
    switch (origin) {
    case 0:
        relative = offset;
        break;
    case 1:
        relative = inst.position - inst.start + offset;
        break;
    case 2:
        relative = inst.length + offset;
        break;
    default:
        return -1;
    }
    if (relative < 0 || relative > inst.length) {
        return -1;
    }
    inst.position = inst.start + relative;
    return relative;
}

UINT SingleOpenFile::ReadSFile(int instanceId, void* buffer, UINT count)
{
    Locked lock(m_lock);
    const int i = FindInstanceIndex(instanceId);
    const int f = i < 0 ? -1 : FindFileIndex(m_instances[i]->fileId);
    if (f < 0) {
        // Reading nothing would look like the end of the file to the engine.
        CFileException::ThrowOsError(ERROR_INVALID_HANDLE, nullptr);
    }
    CFILE_INST_STRUCT_T& inst = *m_instances[i];
    CFile64& file = m_files[f]->file;
    const int64_t left = inst.start + inst.length - inst.position;
    if (left <= 0 || count == 0) {
        return 0;
    }
    if (static_cast<int64_t>(count) > left) {
        count = static_cast<UINT>(left);
    }
    if (static_cast<int64_t>(file.GetPosition()) != inst.position) {
        file.Seek(inst.position, CFile::begin);
    }
    const UINT read = file.Read(buffer, count);
    inst.position += read;
    return read;
}

std::wstring SingleOpenFile::GetSFileName(int instanceId)
{
    Locked lock(m_lock);
    const int f = FindInstanceFile(instanceId);
    if (f < 0) {
        return std::wstring();
    }
    return std::wstring(static_cast<const wchar_t*>(m_files[f]->file.GetFilePath()));
}

BOOL SingleOpenFile::IsSameSFile(int a, int b)
{
    const std::wstring pa = GetSFileName(a);
    const std::wstring pb = GetSFileName(b);
    return !pa.empty() && !pb.empty() && _wcsicmp(pa.c_str(), pb.c_str()) == 0;
}

int SingleOpenFile::InstanceCount()
{
    Locked lock(m_lock);
    return static_cast<int>(m_instances.size());
}

int SingleOpenFile::FileCount()
{
    Locked lock(m_lock);
    return static_cast<int>(m_files.size());
}

SingleOpenFile& GetSOF()
{
    static SingleOpenFile registry;
    return registry;
}
