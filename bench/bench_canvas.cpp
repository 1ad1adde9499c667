// Canvas speed: FillRect, LineTo, Polygon, TextOut and StretchDraw (nearest and halftone, 4000 x 3000
// to 1920 x 1080), each beside a plain scalar loop doing the same pixel work on a raw buffer.
// items_per_second counts pixels written (operations for LineTo, Polygon and TextOut).
#include <qyx/platform/Bitmap.h>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <vector>

using namespace qyx;

namespace {

constexpr int W = 1920, H = 1080;

/// A source picture with structure (gradients and stripes), so that resampling has real work.
TBitmap& BigImage() {
    static TBitmap* img = [] {
        auto* b = new TBitmap(4000, 3000, pf32bit);
        for (int y = 0; y < 3000; ++y) {
            uint32_t* row = reinterpret_cast<uint32_t*>(b->GetScanLine(y));
            for (int x = 0; x < 4000; ++x)
                row[x] = static_cast<uint32_t>(((x * 255 / 3999) << 16) | ((y * 255 / 2999) << 8) |
                                               ((x ^ y) & 0xFF));
        }
        return b;
    }();
    return *img;
}

std::vector<TPoint> RandomPoints(int N, int Seed) {
    std::vector<TPoint> p;
    uint32_t s = static_cast<uint32_t>(Seed);
    for (int i = 0; i < N; ++i) {
        s = s * 1664525u + 1013904223u;
        const int x = static_cast<int>((s >> 8) % W);
        s = s * 1664525u + 1013904223u;
        p.push_back({x, static_cast<int>((s >> 8) % H)});
    }
    return p;
}

// ---- FillRect ----------------------------------------------------------------------------------------

void BM_FillRect(benchmark::State& State) {
    TBitmap b(W, H);
    TCanvas* c = b.GetCanvas();
    c->GetBrush()->SetColor(clNavy);
    for (auto _ : State) {
        c->FillRect(Rect(0, 0, W, H));
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations() * W * H);
}
BENCHMARK(BM_FillRect);

void BM_FillRect_ScalarBaseline(benchmark::State& State) {
    std::vector<uint32_t> buf(static_cast<size_t>(W) * H);
    for (auto _ : State) {
        for (int y = 0; y < H; ++y) {
            uint32_t* row = buf.data() + static_cast<size_t>(y) * W;
            for (int x = 0; x < W; ++x) row[x] = 0x000080;
        }
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations() * W * H);
}
BENCHMARK(BM_FillRect_ScalarBaseline);

// ---- LineTo ------------------------------------------------------------------------------------------

void BM_LineTo(benchmark::State& State) {
    TBitmap b(W, H);
    TCanvas* c = b.GetCanvas();
    const std::vector<TPoint> pts = RandomPoints(1001, 7);
    for (auto _ : State) {
        c->MoveTo(pts[0].x, pts[0].y);
        for (size_t i = 1; i < pts.size(); ++i) c->LineTo(pts[i].x, pts[i].y);
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations() * 1000);
}
BENCHMARK(BM_LineTo);

void BM_LineTo_ScalarBaseline(benchmark::State& State) {
    // Textbook Bresenham on a raw buffer, end point left out.
    std::vector<uint32_t> buf(static_cast<size_t>(W) * H);
    const std::vector<TPoint> pts = RandomPoints(1001, 7);
    for (auto _ : State) {
        for (size_t i = 1; i < pts.size(); ++i) {
            int x0 = pts[i - 1].x, y0 = pts[i - 1].y;
            const int x1 = pts[i].x, y1 = pts[i].y;
            const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1, dy = -std::abs(y1 - y0),
                      sy = y0 < y1 ? 1 : -1;
            int err = dx + dy;
            while (x0 != x1 || y0 != y1) {
                buf[static_cast<size_t>(y0) * W + x0] = 0;
                const int e2 = 2 * err;
                if (e2 >= dy) err += dy, x0 += sx;
                if (e2 <= dx) err += dx, y0 += sy;
            }
        }
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations() * 1000);
}
BENCHMARK(BM_LineTo_ScalarBaseline);

// ---- Polygon -----------------------------------------------------------------------------------------

std::vector<TPoint> Star() {
    std::vector<TPoint> p;
    for (int i = 0; i < 20; ++i) {
        const double a = i * 3.14159265358979 / 10, r = i % 2 ? 200 : 480;
        p.push_back({960 + static_cast<int>(std::lround(r * std::cos(a))),
                     540 + static_cast<int>(std::lround(r * std::sin(a)))});
    }
    return p;
}

void BM_Polygon(benchmark::State& State) {
    TBitmap b(W, H);
    TCanvas* c = b.GetCanvas();
    c->GetBrush()->SetColor(clRed);
    const std::vector<TPoint> star = Star();
    for (auto _ : State) {
        c->Polygon(star);
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations());
}
BENCHMARK(BM_Polygon);

void BM_Polygon_ScalarBaseline(benchmark::State& State) {
    // Even-odd scanline fill with per-row crossing computation by division.
    std::vector<uint32_t> buf(static_cast<size_t>(W) * H);
    const std::vector<TPoint> star = Star();
    std::vector<double> xs;
    for (auto _ : State) {
        for (int y = 0; y < H; ++y) {
            xs.clear();
            for (size_t i = 0; i < star.size(); ++i) {
                const TPoint a = star[i], b = star[(i + 1) % star.size()];
                if ((a.y <= y) != (b.y <= y)) xs.push_back(a.x + double(y - a.y) * (b.x - a.x) / (b.y - a.y));
            }
            std::sort(xs.begin(), xs.end());
            uint32_t* row = buf.data() + static_cast<size_t>(y) * W;
            for (size_t k = 0; k + 1 < xs.size(); k += 2)
                for (int x = static_cast<int>(std::ceil(xs[k])); x < static_cast<int>(std::ceil(xs[k + 1]));
                     ++x)
                    row[x] = 0xFF0000;
        }
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations());
}
BENCHMARK(BM_Polygon_ScalarBaseline);

// ---- TextOut -----------------------------------------------------------------------------------------

const char* const Sentence = "The quick brown fox jumps over the lazy dog 0123456789";

void BM_TextOut(benchmark::State& State) {
    TBitmap b(W, 100);
    TCanvas* c = b.GetCanvas();
    c->GetFont()->SetSize(10);
    for (auto _ : State) {
        c->TextOut(10, 10, Sentence);
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations());
}
BENCHMARK(BM_TextOut);

void BM_TextOut_ScalarBaseline(benchmark::State& State) {
    // Painting a ready-made ink mask of the same text cell: the pixel work without glyph lookup.
    TBitmap b(W, 100);
    TCanvas* c = b.GetCanvas();
    c->GetFont()->SetSize(10);
    const int w = c->TextWidth(Sentence), h = c->TextHeight(Sentence);
    c->TextOut(0, 0, Sentence);
    std::vector<uint8_t> mask(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            mask[static_cast<size_t>(y) * w + x] = c->GetPixels(x, y) == clBlack ? 2 : 1;
    std::vector<uint32_t> buf(static_cast<size_t>(W) * 100);
    for (auto _ : State) {
        for (int y = 0; y < h; ++y) {
            uint32_t* row = buf.data() + static_cast<size_t>(y + 10) * W + 10;
            const uint8_t* m = mask.data() + static_cast<size_t>(y) * w;
            for (int x = 0; x < w; ++x) row[x] = m[x] == 2 ? 0 : 0xFFFFFF;
        }
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations());
}
BENCHMARK(BM_TextOut_ScalarBaseline);

// ---- StretchDraw -------------------------------------------------------------------------------------

void Stretch(benchmark::State& State, TStretchMode Mode) {
    TBitmap& src = BigImage();
    TBitmap dst(W, H);
    dst.GetCanvas()->SetStretchMode(Mode);
    for (auto _ : State) {
        dst.GetCanvas()->StretchDraw(Rect(0, 0, W, H), &src);
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations() * W * H);
    State.counters["src_pixels_per_second"] = benchmark::Counter(
        static_cast<double>(State.iterations()) * 4000 * 3000, benchmark::Counter::kIsRate);
}

void BM_StretchDraw_Nearest(benchmark::State& State) {
    Stretch(State, smColorOnColor);
}
BENCHMARK(BM_StretchDraw_Nearest)->Unit(benchmark::kMillisecond);

void BM_StretchDraw_Halftone(benchmark::State& State) {
    Stretch(State, smHalftone);
}
BENCHMARK(BM_StretchDraw_Halftone)->Unit(benchmark::kMillisecond);

void BM_StretchDraw_ScalarBaseline(benchmark::State& State) {
    // Plain nearest-neighbour copy loop with precomputed row and column maps.
    TBitmap& src = BigImage();
    std::vector<uint32_t> dst(static_cast<size_t>(W) * H);
    std::vector<int> xmap(W), ymap(H);
    for (int x = 0; x < W; ++x) xmap[x] = static_cast<int>((2LL * x + 1) * 4000 / (2 * W));
    for (int y = 0; y < H; ++y) ymap[y] = static_cast<int>((2LL * y + 1) * 3000 / (2 * H));
    for (auto _ : State) {
        for (int y = 0; y < H; ++y) {
            const uint32_t* s = reinterpret_cast<const uint32_t*>(src.GetScanLine(ymap[y]));
            uint32_t* d = dst.data() + static_cast<size_t>(y) * W;
            for (int x = 0; x < W; ++x) d[x] = s[xmap[x]];
        }
        benchmark::ClobberMemory();
    }
    State.SetItemsProcessed(State.iterations() * W * H);
}
BENCHMARK(BM_StretchDraw_ScalarBaseline)->Unit(benchmark::kMillisecond);

} // namespace

BENCHMARK_MAIN();
