// Walks the numbered child sections of an exchange (Item0, Item1, ...). Storing: the caller
// gives the count; loading: the count comes from the storage.
#pragma once

#include "platform/framework/Framework.h"

class CUTKPropExchange;

class CUTKPropExchangeEnumerator {
public:
    CUTKPropExchangeEnumerator(CUTKPropExchange* exchange, LPCWSTR itemName);
    virtual ~CUTKPropExchangeEnumerator();
    CUTKPropExchangeEnumerator(const CUTKPropExchangeEnumerator&) = delete;
    CUTKPropExchangeEnumerator& operator=(const CUTKPropExchangeEnumerator&) = delete;

    // Exchanges the count ("Count", or the storage's own count form when useStorageCount);
    // non-null when there are items.
    virtual POSITION GetPosition(DWORD count = 0, BOOL useStorageCount = FALSE);
    // The next section (released by the caller); position becomes null after the last.
    virtual CUTKPropExchange* GetNext(POSITION& position);
    virtual DWORD GetCount();

protected:
    CUTKPropExchange* m_pContainer;  // not owned
    CString m_strSectionName;
    DWORD m_nCount = 0;
};
