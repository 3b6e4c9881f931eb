// A file splitter in a filter graph of Wine's filter graph manager, each output pin connected
// to a recording sink; and the packet list an independent reader (ffprobe) wrote for a file.
#pragma once

#include "video/splitter/CWMFSplitterFlt.h"
#include "tests/video/splitter/TestFileCallbacks.h"
#include "tests/video/splitter/TestSinkFilter.h"

#include <control.h>

#include <string>
#include <vector>

struct ExpectedPacket {
    int streamIndex = 0;
    LONGLONG time = 0;  // 100-ns units
    long size = 0;
    bool key = false;
};

// NAME.packets.csv beside the generated media; empty when it is missing.
std::vector<ExpectedPacket> ExpectedPackets(const wchar_t* name);

class SplitterRig {
public:
    SplitterRig() = default;
    ~SplitterRig();
    SplitterRig(const SplitterRig&) = delete;
    SplitterRig& operator=(const SplitterRig&) = delete;

    // Opens a generated presentation; the error text, empty on success.
    std::wstring Open(const wchar_t* name);
    // Puts the opened splitter into a graph with one sink per pin.
    HRESULT BuildGraph();
    // Stops and releases everything; safe to call twice.
    void TearDown();
    // Waits until every sink of a pin that carries samples has its end of stream.
    bool WaitAllEnded(DWORD milliseconds);
    // Calls the pins' seeking interface as the graph would: every pin in turn.
    HRESULT SeekAll(LONGLONG start, LONGLONG stop);

    READER_CB_PARAMS context;
    CWMFSplitterFlt* splitter = nullptr;
    IGraphBuilder* graph = nullptr;
    IMediaControl* control = nullptr;
    IMediaEventEx* events = nullptr;
    std::vector<TestSinkFilter*> sinks;
};
