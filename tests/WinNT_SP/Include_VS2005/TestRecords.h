// Small typed-value declarations shared by the support library's tests.
#pragma once

#include "WinNT_SP/Include_VS2005/TypedValue.h"

namespace orvane::test {

// (Num D, Vol G, Name H, Text I, Big E, Bin J, Flt F, Run D x3, Pos record{X D, Y D}, List C of I)
struct SampleRecord {
    enum {
        kHeader, kNum, kVol, kName, kText, kBig, kBin, kFlt, kRun0, kRun1, kRun2,
        kPos, kPosX, kPosY, kPosEnd, kList, kEnd, kCount
    };
    TypedValue v[kCount];

    SampleRecord()
    {
        InitIntValue(v[kNum], L"Num");
        InitDoubleValue(v[kVol], L"Vol");
        InitStringValue(v[kName], L"Name");
        InitTextValue(v[kText], L"Text");
        InitInt64Value(v[kBig], L"Big");
        InitBinaryValue(v[kBin], L"Bin");
        InitDoubleValue(v[kFlt], L"Flt");
        v[kFlt].type = TVT_FLOAT;
        for (int i = kRun0; i <= kRun2; ++i) {
            InitIntValue(v[i], L"Run");
        }
        InitIntValue(v[kPosX], L"X");
        InitIntValue(v[kPosY], L"Y");
        InitEndMarker(v[kPosEnd]);
        InitRecordHeader(v[kPos], L"Pos", 4, true);
        InitListValue(v[kList], L"List");
        InitEndMarker(v[kEnd]);
        InitRecordHeader(v[kHeader], nullptr, kCount, false);
    }
    ~SampleRecord() { v[kHeader].Reset(); }
    SampleRecord(const SampleRecord&) = delete;
    SampleRecord& operator=(const SampleRecord&) = delete;

    TypedValue& operator[](int i) { return v[i]; }
    TypedValue& Root() { return v[kHeader]; }
};

// A record with one list whose entries are records {A D, B H}.
struct RecordListRecord {
    enum { kHeader, kList, kTpl, kTplA, kTplB, kTplEnd, kEnd, kCount };
    TypedValue v[kCount];

    RecordListRecord()
    {
        InitIntValue(v[kTplA], L"A");
        InitStringValue(v[kTplB], L"B");
        InitEndMarker(v[kTplEnd]);
        InitRecordHeader(v[kTpl], L"Items", 4, true);
        InitListValue(v[kList], L"Items");
        v[kList].elemType = TVT_RECORD;
        InitEndMarker(v[kEnd]);
        InitRecordHeader(v[kHeader], nullptr, kCount, false);
    }
    ~RecordListRecord() { v[kHeader].Reset(); }
    RecordListRecord(const RecordListRecord&) = delete;
    RecordListRecord& operator=(const RecordListRecord&) = delete;

    TypedValue& operator[](int i) { return v[i]; }
    TypedValue& Root() { return v[kHeader]; }
};

}  // namespace orvane::test
