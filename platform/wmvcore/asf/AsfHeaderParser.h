// Parses the header object of an ASF file into an AsfHeader. Objects are dispatched by GUID
// through a table, each bounded by its declared size and realigned to its end; unknown objects
// are skipped. Required: file properties (fixed packet size) and at least one stream.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/wmvcore/asf/AsfByteReader.h"
#include "platform/wmvcore/asf/AsfError.h"
#include "platform/wmvcore/asf/AsfHeader.h"
#include "platform/wmvcore/asf/AsfSource.h"

namespace orvane::asf {

class AsfHeaderParser {
public:
    // Reads the header object and the data object's preamble from the start of src.
    static AsfError Parse(AsfSource& src, AsfHeader* out);
    // Parses a complete header object held in memory (starting with its GUID).
    static AsfError ParseHeaderObject(const uint8_t* data, size_t size, AsfHeader* out);

private:
    using Handler = AsfError (*)(AsfByteReader& body, AsfHeader* out);
    struct Entry {
        const AsfGuid* guid;
        Handler handler;
    };

    static AsfError ParseObjects(AsfByteReader& r, uint32_t count, const Entry* table,
                                 size_t tableSize, AsfHeader* out);
    static AsfError FileProperties(AsfByteReader& body, AsfHeader* out);
    static AsfError StreamProperties(AsfByteReader& body, AsfHeader* out);
    static AsfError HeaderExtension(AsfByteReader& body, AsfHeader* out);
    static AsfError ExtendedStreamProperties(AsfByteReader& body, AsfHeader* out);
    static AsfError Metadata(AsfByteReader& body, AsfHeader* out);
    static AsfError ContentDescription(AsfByteReader& body, AsfHeader* out);
    static AsfError ExtendedContentDescription(AsfByteReader& body, AsfHeader* out);
    static AsfError Marker(AsfByteReader& body, AsfHeader* out);
    static AsfError CodecList(AsfByteReader& body, AsfHeader* out);
    static AsfError StreamBitrates(AsfByteReader& body, AsfHeader* out);
    static void AddDerivedAttributes(AsfHeader* out);
};

}  // namespace orvane::asf
