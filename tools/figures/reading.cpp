#include "reading.h"

#include "figures/region_search.h"
#include "worth.h"

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <sstream>

FigureReading ReadFigure(const FigureRecord& figure) {
    FigureReading reading;
    reading.Cuts = static_cast<long>(SearchRegion(figure).Arrangements);
    const FigureJoints joints = JointsOf(figure);
    reading.Stretches = joints.Stretches;
    const auto slanted = [](const Placement& p) { return p.Orient % 4 == 2; };
    reading.OddTurn = figure[0].Orient % 2 == 1;
    for (size_t i = 0; i < figure.size(); ++i) {
        reading.Square += figure[i].Orient % 4 == 0;
        reading.Slanted += slanted(figure[i]);
        double edge = 0;
        for (size_t j = 0; j < figure.size(); ++j) {
            edge += joints.Shared[i][j];
            if (j > i && slanted(figure[i]) != slanted(figure[j]))
                reading.Seams += joints.Shared[i][j];
        }
        // A triangle's sides are two legs and a long side of about 1.41 legs; when
        // its neighbours hold more than two legs of them, little of it shows.
        if (slanted(figure[i]) && edge > 2 + 1e-6) ++reading.Hidden;
    }
    return reading;
}

std::array<double, ReadingFeatures> ReadingTerms(const FigureReading& r) {
    const bool turned = r.Square<TriangleCount, mixed = r.Square> 0 && r.Slanted > 0;
    return {turned ? 1.0 : 0.0, turned ? r.Stretches + SeamStretches * r.Seams : 0.0,
            mixed ? 1.0 : 0.0};
}

double ReadingEffort(const FigureReading& reading, const ReadingWeights& w) {
    const auto terms = ReadingTerms(reading);
    double effort = w[0];
    for (int k = 0; k < ReadingFeatures; ++k)
        effort += w[k + 1] * terms[k];
    return effort;
}

namespace {

std::vector<double> Ranks(const std::vector<double>& v) {
    std::vector<size_t> order(v.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return v[a] < v[b]; });
    std::vector<double> ranks(v.size());
    for (size_t i = 0; i < order.size();) {
        size_t j = i;
        while (j + 1 < order.size() && v[order[j + 1]] == v[order[i]])
            ++j;
        for (size_t k = i; k <= j; ++k)
            ranks[order[k]] = (static_cast<double>(i + j) / 2) + 1;
        i = j + 1;
    }
    return ranks;
}

} // namespace

double Spearman(const std::vector<double>& a, const std::vector<double>& b) {
    if (a.size() != b.size() || a.size() < 2) return 0;
    const std::vector<double> ra = Ranks(a), rb = Ranks(b);
    const double n = static_cast<double>(a.size()), mean = (n + 1) / 2;
    double sab = 0, saa = 0, sbb = 0;
    for (size_t i = 0; i < a.size(); ++i) {
        sab += (ra[i] - mean) * (rb[i] - mean);
        saa += (ra[i] - mean) * (ra[i] - mean);
        sbb += (rb[i] - mean) * (rb[i] - mean);
    }
    return saa == 0 || sbb == 0 ? 0 : sab / std::sqrt(saa * sbb);
}

std::map<int, double> TrialEffort(const std::string& tsv, int& skipped) {
    std::map<int, std::pair<double, int>> sums;
    skipped = 0;
    std::istringstream lines(tsv);
    std::string line;
    // The columns by the header's names; without a header, the driver's order.
    size_t kind = 1, figureAt = 3, outcome = 4, actions = 11;
    while (std::getline(lines, line)) {
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');)
            fields.push_back(cell);
        if (!fields.empty() && fields[0] == "trial") {
            const auto column = [&](const char* name, size_t& at) {
                const auto it = std::find(fields.begin(), fields.end(), name);
                if (it != fields.end()) at = static_cast<size_t>(it - fields.begin());
            };
            column("kind", kind), column("figure", figureAt), column("outcome", outcome);
            column("actions", actions);
            continue;
        }
        int figure = 0, count = 0;
        try {
            if (fields.size() <= std::max({kind, figureAt, outcome, actions}))
                throw std::invalid_argument("short");
            figure = std::stoi(fields[figureAt]);
            count = std::stoi(fields[actions]);
        } catch (const std::exception&) {
            ++skipped;
            continue;
        }
        const bool solved = fields[outcome] == "solved", gaveUp = fields[outcome] == "gaveup";
        // A give-up before any action laid nothing: it tells how the target
        // looked to that player at that moment, not the effort of laying it.
        if (fields[kind] != "trial" || figure < 1 || figure > MaxFigures || count < 0 ||
            (!solved && !gaveUp) || (gaveUp && count == 0)) {
            ++skipped;
            continue;
        }
        sums[figure].first += gaveUp ? std::max<double>(count, GivenUpActions) : count;
        ++sums[figure].second;
    }
    std::map<int, double> mean;
    for (const auto& [figure, sum] : sums)
        mean[figure] = sum.first / sum.second;
    return mean;
}

ReadingWeights FitReading(const std::vector<FigureReading>& readings,
                          const std::vector<double>& effort) {
    constexpr int N = ReadingFeatures + 1;
    // The normal equations, with a little ridge so that a feature constant over
    // the trials does not make them singular.
    std::array<std::array<double, N + 1>, N> m{};
    for (size_t r = 0; r < readings.size() && r < effort.size(); ++r) {
        const auto terms = ReadingTerms(readings[r]);
        std::array<double, N> x{1};
        std::copy(terms.begin(), terms.end(), x.begin() + 1);
        for (int i = 0; i < N; ++i) {
            for (int j = 0; j < N; ++j)
                m[i][j] += x[i] * x[j];
            m[i][N] += x[i] * effort[r];
        }
    }
    for (int i = 1; i < N; ++i)
        m[i][i] += 1e-6;
    for (int c = 0; c < N; ++c) {
        int pivot = c;
        for (int r = c + 1; r < N; ++r)
            if (std::abs(m[r][c]) > std::abs(m[pivot][c])) pivot = r;
        if (std::abs(m[pivot][c]) < 1e-12) return GuessedWeights;
        std::swap(m[c], m[pivot]);
        for (int r = 0; r < N; ++r) {
            if (r == c) continue;
            const double f = m[r][c] / m[c][c];
            for (int k = c; k <= N; ++k)
                m[r][k] -= f * m[c][k];
        }
    }
    ReadingWeights w;
    for (int i = 0; i < N; ++i)
        w[i] = m[i][N] / m[i][i];
    return w;
}

std::vector<double> SplitCorrelations(const std::vector<FigureReading>& readings,
                                      const std::vector<double>& effort, int splits,
                                      unsigned seed) {
    std::vector<double> found;
    const size_t n = std::min(readings.size(), effort.size()), fit = n * 2 / 3;
    if (n - fit < 2) return found;
    std::vector<size_t> order(n);
    std::iota(order.begin(), order.end(), 0);
    std::mt19937 random(seed);
    for (int s = 0; s < splits; ++s) {
        std::shuffle(order.begin(), order.end(), random);
        std::vector<FigureReading> fitReadings;
        std::vector<double> fitEffort, predicted, actual;
        for (size_t i = 0; i < fit; ++i) {
            fitReadings.push_back(readings[order[i]]);
            fitEffort.push_back(effort[order[i]]);
        }
        const ReadingWeights weights = FitReading(fitReadings, fitEffort);
        for (size_t i = fit; i < n; ++i) {
            predicted.push_back(ReadingEffort(readings[order[i]], weights));
            actual.push_back(effort[order[i]]);
        }
        found.push_back(Spearman(predicted, actual));
    }
    std::sort(found.begin(), found.end());
    return found;
}
