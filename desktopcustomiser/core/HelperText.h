// The text helpers every part of the program shares: paths, numbers and tab pictures. They
// never write past the buffers they are given: what does not fit is refused.
#pragma once

#include "framework/CString.h"

#include <cstddef>

constexpr size_t kPathBufferSize = 260;

// Appends "\" (unless the path is empty or ends in "\" or "/") and the name, then a second NUL
// (a shell file-operation list of one). Returns the new length, or -1, with the buffer left as
// it was, when the result and its two NULs do not fit in capacity characters.
int AppendPath(char* path, const char* name, size_t capacity = kPathBufferSize);

// The text after the last dot anywhere in the path (backslashes included when the dot is in a
// folder name); the terminating NUL when there is none.
const char* GetFileExtension(const char* path);

// Cuts the path at its last "\"; false (and nothing changed) when there is none.
bool StripFileName(char* path);

// 1..18 for the tab captions of the program's sheets (compared without case), 0 otherwise.
int GetTabIconIndex(const char* caption);

// A non-zero value becomes 1 in place; returns it.
int NormalizeBool(int* value);

// Fixed-point text of a non-negative value rounded to the decimals (0..20), "0" in front of a
// leading point, no point when decimals is 0; thousands grouped with "," when asked.
void FormatNumber(CString& out, double value, int decimals, bool thousands);

// Groups the integer digits (the text before the first ".") by three with ",", in place.
// False, and the buffer unchanged, when the longer text does not fit in capacity characters.
bool InsertThousandsSeparators(char* number, size_t capacity);
void InsertThousandsSeparators(CString& number);
