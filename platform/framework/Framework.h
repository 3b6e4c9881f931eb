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
// calls msvcrt's own printf so %s/%S/%hs/%ls/%I64d keep their Microsoft meaning; a string
// object passed to Format is a compile error (pass GetString()). Module handles
// (AfxGetInstanceHandle, AfxGetResourceHandle) default to the module the framework is linked
// into; each exe or DLL has its own copy, as each has its own class list.
#pragma once

#include "platform/framework/FrameworkDefs.h"

#include "platform/framework/CPoint.h"
#include "platform/framework/CRect.h"
#include "platform/framework/CSize.h"

#include "platform/framework/CStringConversion.h"
#include "platform/framework/CStringT.h"

#include "platform/framework/CObject.h"
#include "platform/framework/CRuntimeClass.h"

#include "platform/framework/CArchiveException.h"
#include "platform/framework/CException.h"
#include "platform/framework/CFileException.h"
#include "platform/framework/CInvalidArgException.h"
#include "platform/framework/CMemoryException.h"
#include "platform/framework/CNotSupportedException.h"
#include "platform/framework/COleException.h"
#include "platform/framework/CResourceException.h"
#include "platform/framework/CSimpleException.h"
#include "platform/framework/CUserException.h"

#include "platform/framework/CArray.h"
#include "platform/framework/CByteArray.h"
#include "platform/framework/CDWordArray.h"
#include "platform/framework/CPtrArray.h"
#include "platform/framework/CStringArray.h"
#include "platform/framework/CTypedPtrArray.h"
#include "platform/framework/CUIntArray.h"
#include "platform/framework/CWordArray.h"

#include "platform/framework/CArchive.h"
#include "platform/framework/CFile.h"
#include "platform/framework/CMemFile.h"
#include "platform/framework/CList.h"
#include "platform/framework/CMap.h"
#include "platform/framework/CMapPtrToPtr.h"
#include "platform/framework/CPtrList.h"

#include "platform/framework/CComBSTR.h"
#include "platform/framework/CComPtr.h"
#include "platform/framework/CComVariant.h"
#include "platform/framework/COleDateTime.h"
#include "platform/framework/COleVariant.h"

#include "platform/framework/CCriticalSection.h"
#include "platform/framework/CEvent.h"
#include "platform/framework/CMutex.h"
#include "platform/framework/CSemaphore.h"
#include "platform/framework/CSingleLock.h"
#include "platform/framework/CSyncObject.h"

#include "platform/framework/AfxGetFileTitle.h"
#include "platform/framework/AfxParseURL.h"
