// A DirectShow media type that owns its format block (COM task memory) and its unknown
// pointer, deep-copied on assignment. "Reset" gives the empty media type: all GUIDs zero, no
// format block, fixed-size samples, sample size 1.
#pragma once

#include <windows.h>
#include <strmif.h>

class MediaTypeValue : public AM_MEDIA_TYPE {
public:
    MediaTypeValue();
    MediaTypeValue(const MediaTypeValue& other);
    ~MediaTypeValue();
    MediaTypeValue& operator=(const MediaTypeValue& other);

    // Deep copy of source; E_OUTOFMEMORY leaves this value as it was.
    HRESULT Set(const AM_MEDIA_TYPE& source);
    void Reset();
    // Replaces the format block with `bytes` zeroed bytes; false when memory runs out (the value
    // then has no format block).
    bool AllocFormat(ULONG bytes);
    void SetSampleSize(ULONG size);  // 0: variable-size samples
};

// Frees the format block and the unknown pointer of a caller-owned structure.
void FreeMediaTypeFields(AM_MEDIA_TYPE& type);
