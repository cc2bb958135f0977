// Asks the running system whether this process runs under WOW64 (platform/wow64.h decides).
#pragma once

#include "platform/wow64.h"

// IsWow64Process2 and IsWow64Process are looked up in kernel32 at run time: the first exists from
// Windows 10 version 1709 on, the second from XP SP2 on.
Wow64Report ProbeWow64();
