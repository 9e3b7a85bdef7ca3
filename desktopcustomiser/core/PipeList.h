// PipeList: a profile string of items each followed by "|". Parallel lists of one section
// keep entry n at the same place in each.
#pragma once

#include "framework/CString.h"

class PipeListReader {
public:
    explicit PipeListReader(const char* list) : m_list(list ? list : "") {}
    // The text up to the next "|" (or to the end); the list continues after that "|". An
    // exhausted list gives empty items.
    CString Next();
    bool AtEnd() const { return m_pos >= m_list.GetLength(); }
    // What the list holds from the next item on, as stored.
    CString Rest() const { return m_list.Mid(m_pos); }

private:
    CString m_list;
    int m_pos = 0;
};
