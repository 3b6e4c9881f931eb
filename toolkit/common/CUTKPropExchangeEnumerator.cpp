#include "toolkit/common/CUTKPropExchangeEnumerator.h"

#include "toolkit/common/CUTKPropExchange.h"

CUTKPropExchangeEnumerator::CUTKPropExchangeEnumerator(CUTKPropExchange* exchange,
                                                       LPCWSTR itemName)
    : m_pContainer(exchange), m_strSectionName(itemName ? itemName : L"")
{
}

CUTKPropExchangeEnumerator::~CUTKPropExchangeEnumerator() = default;

POSITION CUTKPropExchangeEnumerator::GetPosition(DWORD count, BOOL useStorageCount)
{
    m_nCount = count;
    if (!useStorageCount) {
        const DWORD none = 0;
        (void)m_pContainer->ExchangeValue(L"Count", VT_I4, &m_nCount, &none);
    } else if (m_pContainer->IsLoading()) {
        m_nCount = m_pContainer->ReadCount();
    } else {
        m_pContainer->WriteCount(count);
    }
    return m_nCount ? reinterpret_cast<POSITION>(static_cast<DWORD_PTR>(1)) : nullptr;
}

CUTKPropExchange* CUTKPropExchangeEnumerator::GetNext(POSITION& position)
{
    const DWORD_PTR index = reinterpret_cast<DWORD_PTR>(position);
    CString name;
    name.Format(L"%s%i", m_strSectionName.GetString(), static_cast<int>(index - 1));
    CUTKPropExchange* section = m_pContainer->CreateSection(name);
    const DWORD_PTR next = index + 1;
    position = next > m_nCount ? nullptr : reinterpret_cast<POSITION>(next);
    return section;
}

DWORD CUTKPropExchangeEnumerator::GetCount()
{
    return m_nCount;
}
