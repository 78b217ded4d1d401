#include "exact_geometry.h"

#include "board/board.h"
#include "board/orientation.h"

#include <algorithm>
#include <map>
#include <numeric>

Fraction::Fraction(int64_t n, int64_t d) {
    if (d < 0) n = -n, d = -d;
    const int64_t g = std::gcd(n < 0 ? -n : n, d);
    num = g ? n / g : 0;
    den = g ? d / g : 1;
}

Fraction operator+(Fraction a, Fraction b) {
    return {a.num * b.den + b.num * a.den, a.den * b.den};
}
Fraction operator-(Fraction a, Fraction b) {
    return {a.num * b.den - b.num * a.den, a.den * b.den};
}
Fraction operator*(Fraction a, Fraction b) {
    return {a.num * b.num, a.den * b.den};
}
Fraction operator/(Fraction a, Fraction b) {
    return {a.num * b.den, a.den * b.num};
}

namespace {

Fraction Cross(ExactPoint o, ExactPoint a, ExactPoint b) {
    return (a.x - o.x) * (b.y - o.y) - (a.y - o.y) * (b.x - o.x);
}

ExactPoint Lerp(ExactPoint p, ExactPoint q, Fraction t) {
    return {p.x + (q.x - p.x) * t, p.y + (q.y - p.y) * t};
}

ExactPoint P(int64_t x, int64_t y, int64_t den = 1) {
    return {Fraction(x, den), Fraction(y, den)};
}

} // namespace

ExactPolygon ClipHalfPlane(const ExactPolygon& poly, ExactPoint a, ExactPoint b, int side) {
    ExactPolygon out;
    const size_t n = poly.size();
    for (size_t k = 0; k < n; ++k) {
        const ExactPoint p = poly[k], q = poly[(k + 1) % n];
        const Fraction dp = Cross(a, b, p), dq = Cross(a, b, q);
        const bool pIn = dp.Sign() * side >= 0, qIn = dq.Sign() * side >= 0;
        if (pIn) out.push_back(p);
        if (pIn != qIn && dp.Sign() != 0 && dq.Sign() != 0)
            out.push_back(Lerp(p, q, dp / (dp - dq)));
    }
    return out;
}

ExactPolygon ClipConvex(const ExactPolygon& subject, const ExactPolygon& clip) {
    const int side = DoubleArea(clip).Sign();
    ExactPolygon out = subject;
    for (size_t k = 0; k < clip.size() && !out.empty(); ++k)
        out = ClipHalfPlane(out, clip[k], clip[(k + 1) % clip.size()], side);
    return out;
}

ExactPolygon UnitSquareAt(int i, int j) {
    return {P(i, j), P(i + 1, j), P(i + 1, j + 1), P(i, j + 1)};
}

Fraction DoubleArea(const ExactPolygon& poly) {
    Fraction sum;
    for (size_t k = 0; k < poly.size(); ++k) {
        const ExactPoint p = poly[k], q = poly[(k + 1) % poly.size()];
        sum = sum + (p.x * q.y - q.x * p.y);
    }
    return sum;
}

ExactPolygon Simplify(const ExactPolygon& poly) {
    ExactPolygon pts;
    for (const ExactPoint& p : poly)
        if (std::find(pts.begin(), pts.end(), p) == pts.end()) pts.push_back(p);
    bool changed = true;
    while (changed && pts.size() > 2) {
        changed = false;
        for (size_t k = 0; k < pts.size(); ++k) {
            const ExactPoint prev = pts[(k + pts.size() - 1) % pts.size()];
            const ExactPoint next = pts[(k + 1) % pts.size()];
            if (Cross(prev, pts[k], next).Sign() == 0) {
                pts.erase(pts.begin() + static_cast<long>(k));
                changed = true;
                break;
            }
        }
    }
    return pts;
}

namespace {

using CornerKey = std::vector<std::pair<std::pair<int64_t, int64_t>, std::pair<int64_t, int64_t>>>;

CornerKey KeyOf(const ExactPolygon& poly) {
    CornerKey key;
    for (const ExactPoint& p : poly)
        key.push_back({{p.x.num, p.x.den}, {p.y.num, p.y.den}});
    std::sort(key.begin(), key.end());
    return key;
}

// The listed pieces, in thirds, halves and whole units as the corner table gives them.
std::map<int, ExactPolygon> ListedPieces() {
    auto S = [](int x6, int y6) { return P(x6, y6, 6); }; // sixths of a unit
    std::map<int, ExactPolygon> m;
    m[1] = {S(6, 0), S(6, 6), S(4, 6)};
    m[2] = {S(0, 0), S(2, 0), S(0, 6)};
    m[3] = {S(4, 0), S(6, 0), S(6, 6)};
    m[4] = {S(0, 0), S(2, 6), S(0, 6)};
    m[5] = {S(0, 0), S(6, 0), S(6, 2)};
    m[6] = {S(0, 0), S(6, 0), S(0, 2)};
    m[7] = {S(6, 4), S(6, 6), S(0, 6)};
    m[8] = {S(0, 4), S(6, 6), S(0, 6)};
    m[9] = {S(0, 0), S(6, 0), S(0, 3)};
    m[11] = {S(6, 3), S(6, 6), S(0, 6)};
    m[12] = {S(0, 3), S(6, 6), S(0, 6)};
    m[14] = {S(0, 0), S(6, 0), S(6, 3)};
    m[16] = {S(0, 0), S(3, 6), S(0, 6)};
    m[17] = {S(6, 0), S(6, 6), S(3, 6)};
    m[19] = {S(0, 0), S(3, 0), S(0, 6)};
    m[20] = {S(3, 0), S(6, 0), S(6, 6)};
    m[22] = {S(0, 0), S(2, 0), S(4, 6), S(0, 6)};
    m[24] = {S(0, 0), S(4, 0), S(2, 6), S(0, 6)};
    m[25] = {S(0, 2), S(6, 4), S(6, 6), S(0, 6)};
    m[27] = {S(0, 0), S(6, 0), S(6, 2), S(0, 4)};
    m[29] = {S(6, 0), S(6, 6), S(0, 6)};
    m[30] = {S(0, 0), S(6, 0), S(6, 6)};
    m[36] = {S(0, 0), S(3, 0), S(6, 6), S(0, 4)};
    m[38] = {S(3, 0), S(6, 0), S(6, 4), S(0, 6)};
    m[41] = {S(6, 0), S(3, 6), S(0, 6), S(0, 2)};
    m[43] = {S(0, 0), S(6, 2), S(6, 6), S(3, 6)};
    m[46] = {S(0, 0), S(6, 3), S(6, 6), S(2, 6)};
    m[49] = {S(0, 0), S(4, 0), S(6, 6), S(0, 3)};
    m[51] = {S(2, 0), S(6, 0), S(6, 3), S(0, 6)};
    m[54] = {S(6, 0), S(4, 6), S(0, 6), S(0, 3)};
    m[64] = UnitSquareAt(0, 0);
    return m;
}

// The rest of the unit cell beside a piece cut off by one straight line.
ExactPolygon Complement(const ExactPolygon& piece) {
    const int side = DoubleArea(piece).Sign();
    for (size_t k = 0; k < piece.size(); ++k) {
        const ExactPoint a = piece[k], b = piece[(k + 1) % piece.size()];
        const ExactPoint mid = Lerp(a, b, Fraction(1, 2));
        const bool onBorder = mid.x == Fraction(0) || mid.x == Fraction(1) ||
                              mid.y == Fraction(0) || mid.y == Fraction(1);
        if (!onBorder) return Simplify(ClipHalfPlane(UnitSquareAt(0, 0), a, b, -side));
    }
    return {};
}

const std::map<int, ExactPolygon>& AllPieces() {
    static const std::map<int, ExactPolygon> pieces = [] {
        std::map<int, ExactPolygon> m = ListedPieces();
        for (int c = 1; c <= 30; ++c)
            if (m.count(c)) m[64 - c] = Complement(m[c]);
        return m;
    }();
    return pieces;
}

} // namespace

ExactPolygon PieceCorners(int code) {
    const auto& pieces = AllPieces();
    const auto it = pieces.find(code);
    return it == pieces.end() ? ExactPolygon{} : it->second;
}

int IdentifyPiece(const ExactPolygon& piece) {
    const CornerKey key = KeyOf(Simplify(piece));
    for (const auto& [code, corners] : AllPieces())
        if (KeyOf(corners) == key) return code;
    return 0;
}

int ExactCellMask(int o, int i, int j) {
    ExactPolygon triangle;
    for (int k = 0; k < 3; ++k) {
        const Point c = CornerOffset(o, k);
        triangle.push_back(P(c.x, c.y));
    }
    const ExactPolygon clipped = ClipConvex(triangle, UnitSquareAt(i, j));
    if (clipped.size() < 3 || DoubleArea(clipped).Sign() == 0) return 0;
    ExactPolygon local;
    for (const ExactPoint& p : clipped)
        local.push_back({p.x - Fraction(i), p.y - Fraction(j)});
    const int code = IdentifyPiece(local);
    return code ? code : -1;
}
