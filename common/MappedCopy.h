#pragma once

#include <cstddef>

// Copies `n` bytes out of a file mapped in memory. Reading a page of the mapping that the file no
// longer has (it was cut short behind it) or that the disk fails to give would end the program
// with a bus error; here the copy stops and gives false instead, and the program goes on.
bool copyFromMapping(void *to, const void *from, std::size_t n);
