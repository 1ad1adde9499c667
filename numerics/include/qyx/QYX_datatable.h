// Unit QYX_datatable: a table of doubles with named columns and rows, attribute bytes, a state byte
// per cell, a comment, change notifications and sorting.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <qyx/QYX_matrix.h>
#include <qyx/QYX_qyxbase.h>

namespace qyx {

/// Told after the table's size changed: the sizes before and after.
using TResizeMatEvent =
    std::function<void(TObject* Sender, int OldNrCols, int OldNrRows, int NewNrCols, int NewNrRows)>;

/// What an exchange notification of TDataTable exchanged (the ExchgWhat of TSortExchgEvent).
constexpr uint8_t exColumns = 1; ///< columns index1 and index2, over rows first .. last
constexpr uint8_t exRows = 2;    ///< rows index1 and index2, over columns first .. last

/// Bit 0 of a cell state: the value is not a number (kept by SetElem).
constexpr uint8_t cstNotANumber = 0x01;

/// A table of doubles, 1-based, column before row. Besides the values it keeps a state byte per cell,
/// a name (at most 50 characters; longer ones are cut) and an attribute byte per column and per row,
/// and a comment. Reading outside the table gives 0 or an empty name; writing outside is ignored
/// without notification. Created without owner; the caller deletes it.
class TDataTable : public TPersistent {
public:
    static constexpr int MaxNameLength = 50;

    /// An empty table (0 columns, 0 rows).
    TDataTable() = default;
    TDataTable(int NrColumns, int NrRows);

    /// Changes the size. Everything in the part both sizes share stays; new cells, states, names and
    /// attributes are 0 or empty. Negative counts are taken as 0. Fires OnResize when the size changed.
    void Resize(int NrColumns, int NrRows);
    int GetNrOfColumns() const { return FNrCols; }
    int GetNrOfRows() const { return FNrRows; }

    /// The value of cell (Col, Row).
    double GetElem(int Col, int Row) const { return FData.GetVal(Col, Row); }
    /// Stores a value, sets bit 0 of the cell's state for NaN and clears it otherwise (the other bits
    /// stay); fires OnChange.
    void SetElem(int Col, int Row, double Value);
    /// The values. Filling them or setting single values here changes the table without notification;
    /// resize the table with Resize, never through this matrix.
    TMatrix* GetMatrix() { return &FData; }
    const TMatrix* GetMatrix() const { return &FData; }

    /// The state byte of a cell: bit 0 is cstNotANumber, bits 6 and 7 are free for callers (marks).
    /// Setting states is not a data change and fires nothing.
    uint8_t GetCellState(int Col, int Row) const;
    void SetCellState(int Col, int Row, uint8_t State);
    void SetAllCellStates(uint8_t State);

    /// Column and row names; setting cuts to 50 characters and fires OnChange.
    std::string GetColName(int Col) const;
    void SetColName(int Col, const std::string& Name);
    std::string GetRowName(int Row) const;
    void SetRowName(int Row, const std::string& Name);

    /// Column and row attribute bytes; setting fires OnChange.
    uint8_t GetColAttrib(int Col) const;
    void SetColAttrib(int Col, uint8_t Attrib);
    uint8_t GetRowAttrib(int Row) const;
    void SetRowAttrib(int Row, uint8_t Attrib);

    const std::string& GetComment() const { return FComment; }
    /// Stores the comment as given; fires OnChange.
    void SetFComment(const std::string& Text);
    void SetComment(const std::string& Text) { SetFComment(Text); }

    /// Reorders the columns ColLo .. ColHi so that the values in row SortRow ascend (descend when
    /// Ascending is false); equal values keep their order and NaN values go last. Values and cell
    /// states move in rows RowLo .. RowHi only; with MoveHeaders the column names and attributes move
    /// with them. Each exchange of two columns fires OnSortExchange(this, exColumns, index1, index2,
    /// RowLo, RowHi); OnChange fires once at the end when anything moved. The ranges are limited to
    /// the table (a reversed range is swapped); a SortRow outside the table sorts nothing.
    void SortCols(int SortRow, bool Ascending, int ColLo, int RowLo, int ColHi, int RowHi, bool MoveHeaders);
    /// The same for rows: rows RowLo .. RowHi are reordered by the values in column SortCol, values and
    /// states move in columns ColLo .. ColHi, exchanges fire OnSortExchange(this, exRows, index1,
    /// index2, ColLo, ColHi); with MoveHeaders the row names and attributes move too.
    void SortRows(int SortCol, bool Ascending, int ColLo, int RowLo, int ColHi, int RowHi, bool MoveHeaders);

    /// Copies size, values, states, names, attributes and comment from another TDataTable (not its
    /// events), firing OnResize when the size changes and then OnChange; other sources raise
    /// EConvertError.
    void Assign(const TPersistent* Source) override;

    TNotifyEvent OnChange;          ///< after values, names, attributes or the comment changed
    TResizeMatEvent OnResize;       ///< after Resize changed the size
    TSortExchgEvent OnSortExchange; ///< for each exchange of two columns or rows while sorting

private:
    void Changed();
    size_t CellIndex(int Col, int Row) const;
    void Sort(bool ByColumns, int Key, bool Ascending, int ColLo, int RowLo, int ColHi, int RowHi,
              bool MoveHeaders);
    void ExchangeColumns(int C1, int C2, int RowLo, int RowHi, bool MoveHeaders);
    void ExchangeRows(int R1, int R2, int ColLo, int ColHi, bool MoveHeaders);

    int FNrCols = 0;
    int FNrRows = 0;
    TMatrix FData;
    std::vector<uint8_t> FStates; // column-major like the values
    std::vector<std::string> FColNames, FRowNames;
    std::vector<uint8_t> FColAttribs, FRowAttribs;
    std::string FComment;
};

} // namespace qyx
