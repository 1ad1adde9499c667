// Line sources and sinks, field conversion and coordinate scaling shared by the structure readers.
#include "cstruct_io.h"

#include <cmath>

#include <qyx/QYX_CData.h>
#include <qyx/QYX_streams.h>
#include <qyx/platform/Convert.h>
#include <qyx/platform/Streams.h>
#include <qyx/platform/TextFile.h>

namespace qyx {

bool TFileLineSource::NextLine(std::string& S) {
    if (Eof(FFile)) return false;
    Readln(FFile, S);
    return true;
}

bool TFileLineSource::AtEnd() {
    return Eof(FFile);
}

bool TStreamLineSource::NextLine(std::string& S) {
    if (FStream == nullptr || FStream->GetPosition() >= FStream->GetSize()) return false;
    bool eof = false;
    S = ReadLnStream(FStream, eof, 0); // a line feed ends the line, carriage returns are dropped
    return true;
}

void TFileLineSink::PutLine(const std::string& S) {
    Writeln(FFile, S);
}

void TStreamLineSink::PutLine(const std::string& S) {
    if (FStream != nullptr) WriteLnStream(FStream, S);
}

std::string TrimBlanks(const std::string& S) {
    size_t b = 0, e = S.size();
    while (b < e && (S[b] == ' ' || S[b] == '\t')) ++b;
    while (e > b && (S[e - 1] == ' ' || S[e - 1] == '\t')) --e;
    return S.substr(b, e - b);
}

std::string Columns(const std::string& S, int First, int Count) {
    const size_t from = static_cast<size_t>(First - 1);
    if (from >= S.size()) return {};
    return S.substr(from, static_cast<size_t>(Count));
}

double FieldReal(const std::string& S) {
    double v = 0.0;
    int code = 0;
    Val(TrimBlanks(S), v, code);
    return code == 0 && std::isfinite(v) ? v : 0.0;
}

int FieldInt(const std::string& S) {
    const std::string t = TrimBlanks(S);
    int v = 0, code = 0;
    Val(t, v, code);
    if (code == 0) return v;
    const double r = FieldReal(t);
    return std::fabs(r) < 2.0e9 ? static_cast<int>(r) : 0;
}

void TCTabIO::Start(TCTab& T, int Count) {
    T.Clear();
    T.FNAtoms = Count;
}

void TCTabIO::SetMDLIsotopeCharge(CTElem& E, int MassDiff, int ChargeCode) {
    E.AtWeight = static_cast<uint8_t>((IntAtWeight(E.AtNum) + MassDiff) & 0xFF);
    E.Charge = static_cast<int8_t>(
        static_cast<uint8_t>((ChargeCode >= 1 && ChargeCode <= 7 ? 4 - ChargeCode : ChargeCode) & 0xFF));
}

void TCTabIO::ConvertCoords(TCTab& T, const std::vector<double>& X, const std::vector<double>& Y,
                            const std::vector<double>& Z) {
    // Long doubles keep the differences of any two finite doubles finite.
    const int n = T.FNAtoms;
    long double lo[3] = {1e10L, 1e10L, 1e10L}, hi[3] = {-1e10L, -1e10L, -1e10L};
    const std::vector<double>* axis[3] = {&X, &Y, &Z};
    for (int i = 0; i < n; ++i)
        for (int ax = 0; ax < 3; ++ax) {
            lo[ax] = std::min(lo[ax], static_cast<long double>((*axis[ax])[i]));
            hi[ax] = std::max(hi[ax], static_cast<long double>((*axis[ax])[i]));
        }
    const long double sx = hi[0] - lo[0] > 1e-6L ? 800.0L / (hi[0] - lo[0]) : 0.0L;
    const long double sy = hi[1] - lo[1] > 1e-6L ? 600.0L / (hi[1] - lo[1]) : 0.0L;
    long double s = std::max(sx, sy);
    for (int i = 0; i < n; ++i)
        for (int ax = 0; ax < 3; ++ax) {
            const long double d = (*axis[ax])[i] - lo[ax];
            if (d * s > 32767.0L) s = 32767.0L / d;
        }
    for (int i = 0; i < n; ++i)
        for (int ax = 0; ax < 3; ++ax) {
            const long double d = (*axis[ax])[i] - lo[ax];
            T.FAtoms[i + 1].Coords[ax + 1] = static_cast<float>(std::nearbyint(d * s));
        }
}

} // namespace qyx
