// The creation context handed down from a document template through a frame to the view it
// creates: which view class, which document, which template, which frame.
#pragma once

#include "platform/framework/frame/AfxFrameDefs.h"

class CView;
class CDocument;
class CDocTemplate;
class CFrameWnd;

struct CCreateContext {
    CRuntimeClass* m_pNewViewClass = nullptr;
    CDocument* m_pCurrentDoc = nullptr;
    CDocTemplate* m_pNewDocTemplate = nullptr;
    CView* m_pLastView = nullptr;
    CFrameWnd* m_pCurrentFrame = nullptr;
};
