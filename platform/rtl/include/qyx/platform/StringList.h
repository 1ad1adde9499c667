// String lists: TStrings, the abstract list of strings with an object per item, and TStringList,
// the list that stores them, optionally sorted.
//
// Decisions:
// - Comparisons (IndexOf, IndexOfName, Values, Find, Sort) are case-insensitive by the ANSI (code
//   page 1252) rules by default, as AnsiCompareText; with CaseSensitive they use AnsiCompareStr.
// - Text joins the items with CR LF after each one; assigning Text splits at CR LF, LF or a lone CR,
//   and a line end at the very end starts no further item.
// - Sort is stable. Find on an unsorted list searches linearly instead of giving a wrong answer.
// - Errors are EListError: "List index out of bounds (<i>)", "Operation not allowed on sorted list",
//   "String list does not allow duplicates".
// - Objects attached to items belong to the caller; the list never deletes them.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include <qyx/platform/Object.h>

namespace qyx {

class TStream;

/// What a sorted list does with a string that is already present: ignore it, accept it, or raise.
enum TDuplicates : uint8_t { dupIgnore, dupAccept, dupError };

/// Abstract list of strings with an object per item. Indices count from 0. Descendants supply the
/// storage (Get, GetCount, Insert, Delete, Clear and, for objects, GetObject/PutObject).
class TStrings : public TPersistent {
public:
    // ---- storage primitives -----------------------------------------------------------------
    virtual int GetCount() const = 0;
    int Count() const { return GetCount(); }
    /// The Index-th string; EListError "List index out of bounds (<Index>)" when out of range.
    std::string GetStrings(int Index) const { return Get(Index); }
    void SetStrings(int Index, const std::string& S) { Put(Index, S); }
    TObject* GetObjects(int Index) const { return GetObject(Index); }
    void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }

    virtual void Insert(int Index, const std::string& S) = 0;
    void InsertObject(int Index, const std::string& S, TObject* AObject);
    virtual void Delete(int Index) = 0;
    virtual void Clear() = 0;
    /// Appends S (a sorted list puts it in its place) and returns its index.
    virtual int Add(const std::string& S);
    virtual int AddObject(const std::string& S, TObject* AObject);
    void Append(const std::string& S) { Add(S); }
    /// Adds every string of Strings with its object.
    void AddStrings(const TStrings* Strings);
    virtual void Exchange(int Index1, int Index2);
    /// Moves the item at CurIndex (with its object) to NewIndex.
    void Move(int CurIndex, int NewIndex);

    // ---- searching ------------------------------------------------------------------------------
    /// Index of the first item equal to S under the list's comparison, or -1.
    virtual int IndexOf(const std::string& S) const;
    /// Index of the first "Name=Value" item whose name equals Name, or -1.
    int IndexOfName(const std::string& Name) const;
    int IndexOfObject(const TObject* AObject) const;
    /// True when both lists hold the same strings (compared exactly) in the same order.
    bool Equals(const TStrings* Strings) const;

    // ---- texts ----------------------------------------------------------------------------------
    std::string GetText() const;
    void SetText(const std::string& Value);
    /// The items separated by ","; items with blanks, control characters, commas or quotes are
    /// quoted with '"' (inner quotes doubled). A list holding one empty string gives "\"\"".
    std::string GetCommaText() const;
    /// Replaces the items by those of Value: separated by "," or blanks, quoted items may hold both.
    void SetCommaText(const std::string& Value);
    /// The part of the Index-th item before its first "=" (empty when it has none).
    std::string GetNames(int Index) const;
    /// The part after the first "=" of the Index-th item (empty when it has none).
    std::string GetValueFromIndex(int Index) const;
    /// The value of the first item named Name, or "".
    std::string GetValues(const std::string& Name) const;
    /// Sets the value of the item named Name (adding "Name=Value" when absent); an empty Value
    /// deletes the item.
    void SetValues(const std::string& Name, const std::string& Value);

    // ---- updates and persistence ----------------------------------------------------------------
    /// Nested bracketing of bulk changes; change notifications are held back until the outermost
    /// EndUpdate.
    void BeginUpdate();
    void EndUpdate();
    int GetUpdateCount() const { return FUpdateCount; }
    /// Copies the strings and objects of another TStrings; other sources raise EConvertError.
    void Assign(const TPersistent* Source) override;

    /// Reads the list from the rest of Stream (its bytes taken as code page 1252 text, split as Text).
    virtual void LoadFromStream(TStream* Stream);
    /// Writes Text (CR LF after every item) to Stream.
    virtual void SaveToStream(TStream* Stream) const;
    /// Loads from a file; the file stream's open error passes to the caller.
    void LoadFromFile(const std::string& FileName);
    /// Saves to a file, replacing it; the file stream's create error passes to the caller.
    void SaveToFile(const std::string& FileName) const;

protected:
    virtual std::string Get(int Index) const = 0;
    /// Default: replaces the item by deleting and inserting it, keeping its object.
    virtual void Put(int Index, const std::string& S);
    /// Default: no objects (nullptr) and nowhere to store one.
    virtual TObject* GetObject(int Index) const;
    virtual void PutObject(int Index, TObject* AObject);
    /// Called when the outermost BeginUpdate starts (true) and the outermost EndUpdate ends (false).
    virtual void SetUpdateState(bool Updating);
    /// The comparison of IndexOf, IndexOfName and Values: AnsiCompareText here.
    virtual int CompareStrings(const std::string& S1, const std::string& S2) const;
    /// Raises EListError "List index out of bounds (<Index>)".
    [[noreturn]] static void IndexError(int Index);

private:
    int FUpdateCount = 0;
};

class TStringList;
/// Comparison for CustomSort: < 0, 0 or > 0 for the items Index1 and Index2 of List.
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

/// A list that stores its strings and objects, optionally kept sorted.
class TStringList : public TStrings {
public:
    TStringList() = default;
    TStringList(const TStringList&) = delete;
    TStringList& operator=(const TStringList&) = delete;
    ~TStringList() override;

    int GetCount() const override { return static_cast<int>(FList.size()); }
    /// Inserts before Index (0..Count); raises on a sorted list.
    void Insert(int Index, const std::string& S) override;
    void Delete(int Index) override;
    void Clear() override;
    int Add(const std::string& S) override;
    /// On a sorted list the item goes to its place; a duplicate is ignored (the existing index is
    /// returned), accepted or refused according to Duplicates.
    int AddObject(const std::string& S, TObject* AObject) override;
    void Exchange(int Index1, int Index2) override;
    int IndexOf(const std::string& S) const override;
    /// Searches S: true when found, with Index its first occurrence; otherwise Index is where S
    /// would be inserted. Binary search on a sorted list, linear otherwise (Index = Count if absent).
    bool Find(const std::string& S, int& Index) const;
    /// Sorts by the list's comparison (nothing happens on a list that is already Sorted).
    virtual void Sort();
    /// Sorts by Compare, stably. Compare must not change the list.
    virtual void CustomSort(const TStringListSortCompare& Compare);

    bool GetSorted() const { return FSorted; }
    /// Sorting a list on: it is sorted at once and then kept sorted.
    void SetSorted(bool Value);
    TDuplicates GetDuplicates() const { return FDuplicates; }
    void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
    bool GetCaseSensitive() const { return FCaseSensitive; }
    /// Switches the comparison; a sorted list is sorted again.
    void SetCaseSensitive(bool Value);

    /// Fired after every change (not inside BeginUpdate/EndUpdate, then once at the end).
    TNotifyEvent OnChange;
    /// Fired before every change (inside BeginUpdate/EndUpdate, once at the start).
    TNotifyEvent OnChanging;

protected:
    std::string Get(int Index) const override;
    void Put(int Index, const std::string& S) override;
    TObject* GetObject(int Index) const override;
    void PutObject(int Index, TObject* AObject) override;
    void SetUpdateState(bool Updating) override;
    int CompareStrings(const std::string& S1, const std::string& S2) const override;
    virtual void Changed();
    virtual void Changing();

private:
    struct TStringItem {
        std::string S;
        TObject* Obj = nullptr;
    };
    void CheckIndex(int Index) const;
    void InsertItem(int Index, const std::string& S, TObject* AObject);

    std::vector<TStringItem> FList;
    bool FSorted = false;
    bool FCaseSensitive = false;
    TDuplicates FDuplicates = dupIgnore;
};

} // namespace qyx
