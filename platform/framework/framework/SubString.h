// Fields of a text separated by one character, as resource strings keep several names.
#pragma once

#include "framework/CString.h"

// Field n (from 0) of the text; false and empty past the last field.
bool AfxExtractSubString(CString& rString, const char* lpszFullString, int iSubString, char chSep = '\n');
