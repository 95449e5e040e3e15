// Random paths through every diffraction method. Byte 0 picks the
// polarisation, whether the rest is read as raw doubles, an earth radius and a
// frequency from tables of ordinary and extreme values; byte 1 is the sea
// fraction. Then, as 16-bit integers (m): the two antenna tops and pairs of
// (distance step - 1, ground height); or, as raw doubles: the antennas, the
// earth radius, the frequency and pairs of (distance, height).
// Checked: no crash or hang; NaN exactly when the inputs are not a path, or a
// raw double overflowed; integer paths always finite; every loss at least 0
// delta-Bullington at least its Bullington part, its smooth-surface part the
// same as a full search over zero heights.

#include "fuzz_check.h"

#include "terrain/diffraction_methods.h"

#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <vector>

namespace {

using namespace tarsel::terrain;

constexpr std::array<double, 8> EarthRadii{std::numeric_limits<double>::infinity(),
                                           4.0 / 3.0 * 6371e3,
                                           6371e3,
                                           1e3,
                                           1.0,
                                           1e-3,
                                           1e12,
                                           1e30};
constexpr std::array<double, 8> Frequencies{1.0, 1e6, 30e6, 98.2e6, 1e9, 10e9, 100e9, 1e15};

class Reader {
public:
    Reader(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool has(std::size_t n) const { return size_ - at_ >= n; }
    std::int16_t int16() {
        std::int16_t v;
        std::memcpy(&v, data_ + at_, 2);
        at_ += 2;
        return v;
    }
    double real() {
        double v;
        std::memcpy(&v, data_ + at_, 8);
        at_ += 8;
        return v;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 2;
};

bool finiteOrNaN(double v) {
    return std::isfinite(v) || std::isnan(v);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2) {
        return 0;
    }
    const bool raw = (data[0] & 2) != 0;
    PathInputs in;
    in.polarization = (data[0] & 1) ? Polarization::Vertical : Polarization::Horizontal;
    in.effectiveEarthRadiusM = EarthRadii[(data[0] >> 2) & 7];
    in.frequencyHz = Frequencies[(data[0] >> 5) & 7];
    in.seaFraction = data[1] / 255.0;
    Reader read(data, size);
    Profile profile;
    if (raw) {
        if (!read.has(32)) {
            return 0;
        }
        in.txHeightAmslM = read.real();
        in.rxHeightAmslM = read.real();
        in.effectiveEarthRadiusM = read.real();
        in.frequencyHz = read.real();
        while (read.has(16)) {
            profile.distanceM.push_back(read.real());
            profile.heightM.push_back(read.real());
        }
    } else {
        if (!read.has(4)) {
            return 0;
        }
        in.txHeightAmslM = read.int16();
        in.rxHeightAmslM = read.int16();
        double x = 0.0;
        while (read.has(4)) {
            profile.distanceM.push_back(x);
            x += static_cast<std::uint16_t>(read.int16()) + 1.0;
            profile.heightM.push_back(read.int16());
        }
    }

    const bool valid = pathInputsValid(profile, in);
    const DeltaBullington db = deltaBullington(profile, in);
    const double losses[] = {bullingtonLossDb(profile, in), deygoutLossDb(profile, in),
                             epsteinPetersonLossDb(profile, in), db.lossDb, db.bullingtonDb};
    for (double loss : losses) {
        FUZZ_CHECK(valid || std::isnan(loss), "what is not a path gives NaN");
        FUZZ_CHECK(raw ? finiteOrNaN(loss) : !valid || std::isfinite(loss),
                   "a path gives a finite loss");
        FUZZ_CHECK(!(loss < 0.0), "no loss is a gain");
    }
    for (double part : {db.smoothBullingtonDb, db.sphericalEarthDb, db.txEffectiveHeightM,
                        db.rxEffectiveHeightM}) {
        FUZZ_CHECK(raw ? finiteOrNaN(part) : !valid || std::isfinite(part),
                   "every part of a path is finite");
    }
    FUZZ_CHECK(!(db.lossDb < db.bullingtonDb), "delta-Bullington adds to Bullington");
    if (valid && !raw) {
        // The smooth surface's Bullington, found without visiting every point,
        // against the full search over explicit zeros.
        const Profile zeros{profile.distanceM, std::vector<double>(profile.size(), 0.0)};
        PathInputs smooth = in;
        smooth.txHeightAmslM = db.txEffectiveHeightM;
        smooth.rxHeightAmslM = db.rxEffectiveHeightM;
        const double full = bullingtonLossDb(zeros, smooth);
        FUZZ_CHECK(std::fabs(full - db.smoothBullingtonDb) <= 1e-9 * (1.0 + std::fabs(full)),
                   "the smooth surface's Bullington is the full search's");
    }
    return 0;
}
