// The test printers of COM results and GUIDs: a failing comparison names the code, and a GUID
// reads as in the registry.
#include "tests/support/ComPrinters.h"

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

#include <objbase.h>

namespace {

using orvane::test::Hr;

struct HrCase {
    HRESULT code;
    const char* text;
};

const HrCase kHrCases[] = {
    {S_OK, "0x00000000 (S_OK)"},
    {S_FALSE, "0x00000001 (S_FALSE)"},
    {E_FAIL, "0x80004005 (E_FAIL)"},
    {E_OUTOFMEMORY, "0x8007000E (E_OUTOFMEMORY)"},
    {E_NOINTERFACE, "0x80004002 (E_NOINTERFACE)"},
    {HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND),
     "0x80070002 (HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND))"},
    {static_cast<HRESULT>(0x8004022A), "0x8004022A"},
};

TEST(ComPrinters, ResultsPrintNameAndCode)
{
    for (const HrCase& c : kHrCases) {
        EXPECT_EQ(testing::PrintToString(Hr(c.code)), c.text);
    }
}

TEST(ComPrinters, FailedResultComparisonNamesBothCodes)
{
    EXPECT_NONFATAL_FAILURE(EXPECT_HR(S_OK, E_FAIL), "0x80004005 (E_FAIL)");
    EXPECT_NONFATAL_FAILURE(EXPECT_HR(E_OUTOFMEMORY, S_FALSE), "(E_OUTOFMEMORY)");
    EXPECT_HR(E_ABORT, E_ABORT);
}

TEST(ComPrinters, GuidPrintsInRegistryForm)
{
    const GUID unknown = IID_IUnknown;
    EXPECT_EQ(testing::PrintToString(unknown), "{00000000-0000-0000-C000-000000000046}");
    const GUID mixed = {0x0123ABCD, 0x4567, 0x89EF,
                        {0x01, 0x23, 0x45, 0x67, 0x89, 0xAB, 0xCD, 0xEF}};
    EXPECT_EQ(testing::PrintToString(mixed), "{0123ABCD-4567-89EF-0123-456789ABCDEF}");
}

}  // namespace
