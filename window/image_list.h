// Image lists of the program's own icons, for toolbars, trees and lists.
#pragma once

#include <windows.h>

#include <cstddef>

#include "platform/win32/handles.h"

// size x size icons from the icon resources (each from its image of that size), in the order of
// ids. An icon that cannot be loaded is left out, so the ones after it move down one index.
UniqueImageList LoadIconImageList(int size, const int* ids, std::size_t count);
