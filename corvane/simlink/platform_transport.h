// The transport of the platform the program is built for: the Win32 mechanism or the Linux one.
#pragma once

#ifdef _WIN32
#include "corvane/simlink/win32_transport.h"
#else
#include "corvane/simlink/posix_transport.h"
#endif

namespace corvane::simlink {

#ifdef _WIN32
using PlatformTransport = Win32Transport;
#else
using PlatformTransport = PosixTransport;
#endif

}  // namespace corvane::simlink
