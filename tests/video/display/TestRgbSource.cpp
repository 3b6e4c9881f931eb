// The test RGB32 source filter.
#include "tests/video/display/TestRgbSource.h"

#include <new>

TestRgbSource* TestRgbSource::Create(int width, int height, COLORREF colour)
{
    HRESULT hr = S_OK;
    auto* source = new (std::nothrow) TestRgbSource(width, height, colour, &hr);
    if (source && (FAILED(hr) || !source->m_pin)) {
        delete source;
        return nullptr;
    }
    if (source) {
        source->NonDelegatingAddRef();
    }
    return source;
}

TestRgbSource::TestRgbSource(int width, int height, COLORREF colour, HRESULT* phr)
    : CBaseFilter(L"RGB source", nullptr, &m_lock, CLSID_NULL)
{
    m_pin = new (std::nothrow) TestRgbSourcePin(this, &m_lock, width, height, colour, phr);
}

TestRgbSource::~TestRgbSource()
{
    delete m_pin;
}
