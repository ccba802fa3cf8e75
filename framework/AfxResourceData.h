// The program's compiled resources (.res image), which the program that
// uses the framework embeds and provides through this function.
#pragma once

#include <cstddef>

struct AfxResourceData {
    const unsigned char* bytes;
    std::size_t size;
};

AfxResourceData AfxGetResourceData();
