#include "engine/fresnel_simpson.h"

#include "engine/constants.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace tarsel {

namespace {

// Largest half count of sub-intervals whose double fits a 32-bit integer.
constexpr double MaxHalfCells = 1073741823.0;

// Nodes per block: even, so every block starts on an even node and shares the
// weights 2 4 2 4 ...; at most this many.
constexpr int MaxBlock = 64;

// Blocks evaluated side by side, one per vector lane.
constexpr int Lanes = 8;

// Block length near sqrt(2n), which balances the K seeds of the per-call table
// against the two seeds of each of the n / K blocks.
int blockLength(std::int32_t n) {
    const int half = static_cast<int>(std::ceil(std::sqrt(0.5 * n)));
    return std::clamp(2 * half, 2, MaxBlock);
}

// cos and sin of the phase pi/2 h^2 m (m = i^2 for a node, 2jK for the step of
// a block), rounded as the node-by-node sum rounds it: (m h^2) pi/2, then
// reduced exactly by the library's sin and cos.
void seed(double m, double h2, double& re, double& im) {
    ::sincos(m * h2 * HalfPi, &im, &re);
}

// Four doubles side by side; on plain x86-64 the compiler splits each into two
// SSE2 registers.
typedef double Vec4 __attribute__((vector_size(4 * sizeof(double))));
constexpr int Groups = Lanes / 4;

// On x86-64 processors with AVX2 a wider clone of the kernel runs the same
// operations in the same order (no contraction into fused multiply-adds), so
// its results are equal to the plain one's, bit for bit. (ThreadSanitizer
// cannot run the clone's resolver, which runs before it starts.)
#if defined(__x86_64__) && !defined(__SANITIZE_THREAD__)
#define TARSEL_VECTOR_CLONES __attribute__((target_clones("arch=x86-64-v3", "default")))
#else
#define TARSEL_VECTOR_CLONES
#endif

// For each lane l: sum over k < count of f[k] r[l]^k by Horner's scheme, all
// lanes at once.
TARSEL_VECTOR_CLONES void hornerLanes(const double* fRe, const double* fIm, int count,
                                      const double* rRe, const double* rIm, double* outRe,
                                      double* outIm) {
    Vec4 xRe[Groups];
    Vec4 xIm[Groups];
    Vec4 accRe[Groups];
    Vec4 accIm[Groups];
    const double lastRe = fRe[count - 1];
    const double lastIm = fIm[count - 1];
    for (int g = 0; g < Groups; ++g) {
        std::memcpy(&xRe[g], rRe + 4 * g, sizeof(Vec4));
        std::memcpy(&xIm[g], rIm + 4 * g, sizeof(Vec4));
        accRe[g] = Vec4{lastRe, lastRe, lastRe, lastRe};
        accIm[g] = Vec4{lastIm, lastIm, lastIm, lastIm};
    }
    for (int k = count - 2; k >= 0; --k) {
        const double cRe = fRe[k];
        const double cIm = fIm[k];
        for (int g = 0; g < Groups; ++g) {
            const Vec4 re = accRe[g] * xRe[g] - accIm[g] * xIm[g] + cRe;
            const Vec4 im = accRe[g] * xIm[g] + accIm[g] * xRe[g] + cIm;
            accRe[g] = re;
            accIm[g] = im;
        }
    }
    for (int g = 0; g < Groups; ++g) {
        std::memcpy(outRe + 4 * g, &accRe[g], sizeof(Vec4));
        std::memcpy(outIm + 4 * g, &accIm[g], sizeof(Vec4));
    }
}

} // namespace

std::int32_t simpsonIntervals(double a, float step) {
    const double cells = std::ceil(a * 0.5 / step);
    if (!(cells <= MaxHalfCells)) {
        return 0; // no countable step
    }
    return cells < 1.0 ? 2 : 2 * static_cast<std::int32_t>(cells);
}

FresnelPair fresnelSimpson(double a, float step, double sign) {
    const std::int32_t n = simpsonIntervals(a, step);
    if (n == 0) {
        const double nan = std::numeric_limits<double>::quiet_NaN();
        return {nan, nan};
    }
    const double h = a / n;
    const double h2 = h * h;
    const int K = blockLength(n);

    // Per call: e_k = exp(i theta k^2), and f_k the same times the node weight.
    double eRe[MaxBlock];
    double eIm[MaxBlock];
    double fRe[MaxBlock];
    double fIm[MaxBlock];
    for (int k = 0; k < K; ++k) {
        const double dk = k;
        seed(dk * dk, h2, eRe[k], eIm[k]);
        const double w = (k & 1) != 0 ? 4.0 : 2.0;
        fRe[k] = w * eRe[k];
        fIm[k] = w * eIm[k];
    }

    // Node 0 weighs 1, not the 2 of every other even node.
    double sumC = -1.0;
    double sumS = 0.0;
    const std::int32_t blocks = n / K;
    for (std::int32_t j0 = 0; j0 < blocks; j0 += Lanes) {
        // Block j: exp(i theta (jK)^2) times the sum over k of
        // f_k exp(i theta 2jK)^k; lanes past the last block idle.
        double aRe[Lanes];
        double aIm[Lanes];
        double rRe[Lanes];
        double rIm[Lanes];
        const int lanes = static_cast<int>(std::min<std::int32_t>(Lanes, blocks - j0));
        for (int l = 0; l < Lanes; ++l) {
            if (l < lanes) {
                const double start = static_cast<double>(j0 + l) * K;
                seed(start * start, h2, aRe[l], aIm[l]);
                seed(2.0 * start, h2, rRe[l], rIm[l]);
            } else {
                aRe[l] = aIm[l] = rIm[l] = 0.0;
                rRe[l] = 1.0;
            }
        }
        double bRe[Lanes];
        double bIm[Lanes];
        hornerLanes(fRe, fIm, K, rRe, rIm, bRe, bIm);
        for (int l = 0; l < lanes; ++l) {
            sumC += aRe[l] * bRe[l] - aIm[l] * bIm[l];
            sumS += aRe[l] * bIm[l] + aIm[l] * bRe[l];
        }
    }

    // The last L < K nodes before node n with their weights, then node n
    // itself with weight 1, as one more block.
    const int L = static_cast<int>(n - blocks * K);
    const double start = static_cast<double>(blocks) * K;
    double aRe = 0.0;
    double aIm = 0.0;
    seed(start * start, h2, aRe, aIm);
    double bRe = eRe[L];
    double bIm = eIm[L];
    if (L > 0) {
        double rRe = 1.0;
        double rIm = 0.0;
        seed(2.0 * start, h2, rRe, rIm);
        for (int k = L - 1; k >= 0; --k) {
            const double re = bRe * rRe - bIm * rIm + fRe[k];
            const double im = bRe * rIm + bIm * rRe + fIm[k];
            bRe = re;
            bIm = im;
        }
    }
    sumC += aRe * bRe - aIm * bIm;
    sumS += aRe * bIm + aIm * bRe;

    return {h * sumC * sign * OneThird, h * sumS * sign * OneThird};
}

} // namespace tarsel
