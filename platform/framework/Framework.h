// Framework.h: the one header users include for the application framework stand-in.
//
// MFC and ATL do not exist for mingw, so the program's framework classes are written here
// from their documented behaviour, keeping their names. This half covers the non-window
// classes; each file stands in for one part of the real framework:
//   CPoint/CSize/CRect ............ the geometry value types
//   CStringT (CString, CStringA) .. the ATL/MFC string classes; CStringConversion: CW2A & kin
//   CObject, CRuntimeClass ........ run-time classes, DECLARE_/IMPLEMENT_ macros, and a
//                                   module-wide class list searched by 8-bit name
//   CException and family ......... exceptions thrown by pointer, freed with Delete()
//   CArray, CPtrArray, CStringArray, CWordArray, CDWordArray, CByteArray, CUIntArray,
//   CTypedPtrArray, CList, CPtrList, CMap, CMapPtrToPtr ... the collection classes
//   CFile, CMemFile ............... files over Win32 handles and memory
//   CArchive ...................... serialization, byte-compatible with the framework's format
//   COM helpers ................... CComPtr, CComQIPtr, CComBSTR, CComVariant, COleVariant,
//                                   COleDateTime
//   Synchronisation ............... CCriticalSection, CEvent, CSemaphore, CMutex, CSingleLock
//   AfxParseURLEx ................. URL cracking over WinINet; AfxGetFileTitle
//   AfxExtractSubString ........... field splitting of "\n"-separated resource strings
// Deliberately left out: diagnostics (CDumpContext, Dump, memory-leak tracking), the other
// collection classes (CObArray, CObList, the string maps beyond CMap), CStdioFile and other
// file kinds, DLL module-state switching, and every option of the real classes that the
// program does not use. Strings hold their text in std::basic_string (no copy-on-write),
// arrays move their elements properly when they grow (no bitwise relocation), and formatting
// calls msvcrt's own printf so %s/%S/%hs/%ls/%I64d keep their Microsoft meaning.
#pragma once

#include "FrameworkDefs.h"

#include "CPoint.h"
#include "CRect.h"
#include "CSize.h"

#include "CStringConversion.h"
#include "CStringT.h"

#include "CObject.h"
#include "CRuntimeClass.h"

#include "CArchiveException.h"
#include "CException.h"
#include "CFileException.h"
#include "CInvalidArgException.h"
#include "CMemoryException.h"
#include "CNotSupportedException.h"
#include "COleException.h"
#include "CResourceException.h"
#include "CSimpleException.h"
#include "CUserException.h"

#include "CArray.h"
#include "CByteArray.h"
#include "CDWordArray.h"
#include "CPtrArray.h"
#include "CStringArray.h"
#include "CTypedPtrArray.h"
#include "CUIntArray.h"
#include "CWordArray.h"

#include "CArchive.h"
#include "CFile.h"
#include "CMemFile.h"
#include "CList.h"
#include "CMap.h"
#include "CMapPtrToPtr.h"
#include "CPtrList.h"

#include "CComBSTR.h"
#include "CComPtr.h"
#include "CComVariant.h"
#include "COleDateTime.h"
#include "COleVariant.h"

#include "CCriticalSection.h"
#include "CEvent.h"
#include "CMutex.h"
#include "CSemaphore.h"
#include "CSingleLock.h"
#include "CSyncObject.h"

#include "AfxGetFileTitle.h"
#include "AfxParseURL.h"
