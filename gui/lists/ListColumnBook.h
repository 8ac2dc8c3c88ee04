// Column bookkeeping shared by the multi-column list and the macro display:
// columns are keyed by their column id, numbered by order of insertion and
// limited in count. Plus the check-box column rules of the list control.
#pragma once
#include <cstddef>
#include <map>
#include <vector>

template <typename Record>
class CListColumnBook {
public:
    explicit CListColumnBook(int maxColumns) : m_max(maxColumns) {}

    // The new column's position, or -1 when the id or the type is -1, the id
    // is present already or the book is full.
    int Add(int id, int type, const Record& r)
    {
        if (id == -1 || type == -1 || m_columns.count(id) || (int)m_columns.size() >= m_max) return -1;
        Entry e{r, type, (int)m_columns.size()};
        m_columns.emplace(id, e);
        return e.position;
    }
    // Column id at a position, -1 when out of range.
    int IdAt(int position) const
    {
        for (const auto& kv : m_columns)
            if (kv.second.position == position) return kv.first;
        return -1;
    }
    int PositionOf(int id) const
    {
        auto it = m_columns.find(id);
        return it == m_columns.end() ? -1 : it->second.position;
    }
    int TypeOf(int id) const
    {
        auto it = m_columns.find(id);
        return it == m_columns.end() ? -1 : it->second.type;
    }
    const Record* Find(int id) const
    {
        auto it = m_columns.find(id);
        return it == m_columns.end() ? nullptr : &it->second.record;
    }
    int Count() const { return (int)m_columns.size(); }
    void Clear() { m_columns.clear(); }

private:
    struct Entry {
        Record record;
        int type;
        int position;
    };
    int m_max;
    std::map<int, Entry> m_columns;
};

// Check states of one column, one per row: -1 no check box, else 0 or 1.
// A click on row `row`: in an exclusive column a click on the checked row
// does nothing, any other click clears the column and checks the row; in
// other columns the state toggles. Returns false when nothing changed (no
// notification is due); rows without a check box are never touched.
bool ApplyCheckBoxClick(std::vector<int>& states, int row, bool exclusive);
// True when every row that has a check box is checked (and one has).
bool AllRowsChecked(const std::vector<int>& states);

// The width of a skinned list: its scroll bar, its border and the columns
// side by side.
int ListTotalWidth(int scrollBarWidth, int borderWidth, const std::vector<int>& columnWidths);

// The column position under x (client coordinates), columns side by side
// from 0 in position order; -1 left of them or past the last.
int ColumnAtX(const std::vector<int>& columnWidths, int x);
