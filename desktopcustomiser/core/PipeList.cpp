#include "PipeList.h"

CString PipeListReader::Next()
{
    if (AtEnd())
        return CString();
    int bar = m_list.Find('|', m_pos);
    CString item;
    if (bar < 0) {
        item = m_list.Mid(m_pos);
        m_pos = m_list.GetLength();
    } else {
        item = m_list.Mid(m_pos, bar - m_pos);
        m_pos = bar + 1;
    }
    return item;
}
