// Shared pieces of the structure readers and writers: line sources and sinks over text files and
// streams, field conversion that never fails, and the table access the readers need.
#pragma once

#include <string>
#include <vector>

#include <qyx/QYX_cstruct.h>

namespace qyx {

/// Lines from a text file or a stream; false when no line is left.
class TLineSource {
public:
    virtual ~TLineSource() = default;
    virtual bool NextLine(std::string& S) = 0;
};

class TFileLineSource : public TLineSource {
public:
    explicit TFileLineSource(TextFile& F) : FFile(F) {}
    bool NextLine(std::string& S) override;
    /// True at the end of the file.
    bool AtEnd();

private:
    TextFile& FFile;
};

class TStreamLineSource : public TLineSource {
public:
    explicit TStreamLineSource(TStream* S) : FStream(S) {}
    bool NextLine(std::string& S) override;

private:
    TStream* FStream;
};

/// Lines to a text file or a stream.
class TLineSink {
public:
    virtual ~TLineSink() = default;
    virtual void PutLine(const std::string& S) = 0;
};

class TFileLineSink : public TLineSink {
public:
    explicit TFileLineSink(TextFile& F) : FFile(F) {}
    void PutLine(const std::string& S) override;

private:
    TextFile& FFile;
};

class TStreamLineSink : public TLineSink {
public:
    explicit TStreamLineSink(TStream* S) : FStream(S) {}
    void PutLine(const std::string& S) override;

private:
    TStream* FStream;
};

/// The text of S with blanks and tabs removed at both ends.
std::string TrimBlanks(const std::string& S);
/// Columns First .. First + Count - 1 (1-based) of S, as much of them as S has.
std::string Columns(const std::string& S, int First, int Count);
/// A number from text with surrounding blanks ignored; 0 when the text is no number. Integers
/// accept a real and take its whole part when it fits.
int FieldInt(const std::string& S);
double FieldReal(const std::string& S);

/// Table access for the readers and writers.
struct TCTabIO {
    /// Empties T and declares Count cleared atoms.
    static void Start(TCTab& T, int Count);
    static CTElem& Atom(TCTab& T, int a) { return T.FAtoms[a]; }
    /// AtWeight and Charge from an MDL mass difference and charge code.
    static void SetMDLIsotopeCharge(CTElem& E, int MassDiff, int ChargeCode);
    /// Scales MDL coordinates to whole numbers within 0 .. 32767 (see the reader) and stores them.
    static void ConvertCoords(TCTab& T, const std::vector<double>& X, const std::vector<double>& Y,
                              const std::vector<double>& Z);
    /// Reads a connection table (counts line, atoms, bonds) from Src.
    static bool ReadMDLCTab(TCTab& T, TLineSource& Src);
    static bool ReadMDLMol(TCTab& T, TLineSource& Src);
    static void WriteMDLCTab(const TCTab& T, TLineSink& Dst);
    static void WriteMDLMol(const TCTab& T, TLineSink& Dst, TShortString<2>& Initials,
                            const std::string& ProgName, int RegNo, const std::string& Comment);
};

} // namespace qyx
