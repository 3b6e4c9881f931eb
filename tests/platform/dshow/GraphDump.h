// Text dump of a filter graph for test logs: each filter with its class and each pin with its
// direction, its peer (filter and pin) and the connection's media type.
#pragma once

#include <windows.h>
#include <dshow.h>

#include <string>

namespace dshowtest {

std::string DumpGraph(IFilterGraph* graph);

}  // namespace dshowtest
