#include "dem/elevation_sampler.h"

#include "dem/void_fill.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

namespace tarsel::dem {

namespace {

// A post of another grid stands in for a missing neighbour when it lies
// within this fraction of a post spacing of the place asked for.
constexpr double AlignmentTolerance = 1e-3;

bool holdsPosts(const ElevationGrid& grid, const PostPosition& p) {
    return p.col >= 0.0 && p.col <= grid.cols() - 1.0 && p.row >= 0.0 && p.row <= grid.rows() - 1.0;
}

// Within the grid's pixels, though perhaps outside the square of its posts.
bool holdsArea(const ElevationGrid& grid, const PostPosition& p) {
    return p.col >= -0.5 && p.col <= grid.cols() - 0.5 && p.row >= -0.5 &&
           p.row <= grid.rows() - 0.5;
}

} // namespace

std::size_t ElevationSampler::PostKeyHash::operator()(const PostKey& k) const {
    std::size_t h = std::hash<std::size_t>()(k.grid);
    h = h * 1000003u ^ std::hash<long>()(k.col);
    return h * 1000003u ^ std::hash<long>()(k.row);
}

ElevationSampler::ElevationSampler(std::vector<std::unique_ptr<ElevationGrid>> grids,
                                   bool fillVoids)
    : grids_(std::move(grids)), fillVoids_(fillVoids) {}

std::optional<std::size_t> ElevationSampler::findGrid(const GeoPoint& point,
                                                      PostPosition& position) const {
    // The grid of the previous point first, so that a path stays on one grid
    // where grids overlap; then the others in order.
    for (const auto holds : {holdsPosts, holdsArea}) {
        if (lastGrid_ < grids_.size()) {
            const std::optional<PostPosition> p = grids_[lastGrid_]->locate(point);
            if (p && holds(*grids_[lastGrid_], *p)) {
                position = *p;
                return lastGrid_;
            }
        }
        for (std::size_t g = 0; g < grids_.size(); ++g) {
            const std::optional<PostPosition> p = grids_[g]->locate(point);
            if (p && holds(*grids_[g], *p)) {
                position = *p;
                lastGrid_ = g;
                return g;
            }
        }
    }
    return std::nullopt;
}

const ElevationGrid* ElevationSampler::gridAt(const GeoPoint& point, PostPosition* position) const {
    PostPosition p;
    const std::optional<std::size_t> g = findGrid(point, p);
    if (position != nullptr) {
        *position = p;
    }
    return g ? grids_[*g].get() : nullptr;
}

std::optional<ElevationSampler::PostKey> ElevationSampler::resolve(std::size_t g, long col,
                                                                   long row) const {
    const ElevationGrid& grid = *grids_[g];
    if (col >= 0 && col < grid.cols() && row >= 0 && row < grid.rows()) {
        return PostKey{g, col, row};
    }
    double x = 0.0;
    double y = 0.0;
    grid.transform().coordinatesOf(static_cast<double>(col), static_cast<double>(row), x, y);
    for (std::size_t h = 0; h < grids_.size(); ++h) {
        const ElevationGrid& other = *grids_[h];
        if (h == g || other.frame() != grid.frame()) {
            continue;
        }
        for (const double turn : {0.0, 360.0, -360.0}) {
            if (turn != 0.0 && !grid.frame().empty()) {
                break; // only longitudes turn
            }
            const PostPosition p = other.transform().postAt(x + turn, y);
            const double t = AlignmentTolerance;
            if (!(p.col >= -t && p.col <= other.cols() - 1 + t && p.row >= -t &&
                  p.row <= other.rows() - 1 + t)) {
                continue;
            }
            const double c = std::round(p.col);
            const double r = std::round(p.row);
            if (std::abs(p.col - c) <= t && std::abs(p.row - r) <= t) {
                return PostKey{h, static_cast<long>(c), static_cast<long>(r)};
            }
        }
    }
    return std::nullopt;
}

const ElevationSampler::Chunk& ElevationSampler::chunk(const PostKey& chunkKey) {
    if (!chunks_.empty() && chunks_.front().key == chunkKey) {
        return chunks_.front();
    }
    if (const auto found = chunkIndex_.find(chunkKey); found != chunkIndex_.end()) {
        chunks_.splice(chunks_.begin(), chunks_, found->second);
        return chunks_.front();
    }
    ElevationGrid& grid = *grids_[chunkKey.grid];
    const long col0 = chunkKey.col * ChunkSize;
    const long row0 = chunkKey.row * ChunkSize;
    const int cols = static_cast<int>(std::min<long>(ChunkSize, grid.cols() - col0));
    const int rows = static_cast<int>(std::min<long>(ChunkSize, grid.rows() - row0));
    Chunk fresh{chunkKey, cols, std::vector<float>(static_cast<std::size_t>(cols) * rows)};
    grid.readWindow(static_cast<int>(col0), static_cast<int>(row0), cols, rows,
                    fresh.heights.data());
    ++chunkReads_;
    if (chunks_.size() >= MaxCachedChunks) {
        chunkIndex_.erase(chunks_.back().key);
        chunks_.pop_back();
    }
    chunks_.push_front(std::move(fresh));
    chunkIndex_.emplace(chunkKey, chunks_.begin());
    return chunks_.front();
}

void ElevationSampler::dropChunks() {
    chunkIndex_.clear();
    chunks_.clear();
}

float ElevationSampler::height(const PostKey& post) {
    const Chunk& c = chunk({post.grid, post.col / ChunkSize, post.row / ChunkSize});
    return c
        .heights[static_cast<std::size_t>(post.row % ChunkSize) * c.cols + post.col % ChunkSize];
}

std::optional<double> ElevationSampler::validOrFilled(std::size_t g, long col, long row,
                                                      SampleStatus& status) {
    const std::optional<PostKey> post = resolve(g, col, row);
    if (!post) {
        status = SampleStatus::OutsideData;
        return std::nullopt;
    }
    const ElevationGrid& owner = *grids_[post->grid];
    const double h = height(*post);
    if (!owner.isVoid(h)) {
        return h;
    }
    if (!fillVoids_) {
        status = SampleStatus::Void;
        return std::nullopt;
    }
    if (unfillable_.contains(*post)) {
        status = SampleStatus::VoidTooLarge;
        return std::nullopt;
    }
    if (const auto known = fills_.find(*post); known != fills_.end()) {
        return known->second;
    }
    const std::optional<double> filled =
        fillVoid(post->col, post->row, [&](long c, long r) -> std::optional<double> {
            const std::optional<PostKey> near = resolve(post->grid, c, r);
            if (!near) {
                return std::nullopt;
            }
            const double v = height(*near);
            return grids_[near->grid]->isVoid(v) ? std::nullopt : std::optional<double>(v);
        });
    if (!filled) {
        unfillable_.insert(*post); // searched once: the whole ring search is costly
        status = SampleStatus::VoidTooLarge;
        return std::nullopt;
    }
    fills_.emplace(*post, *filled);
    return filled;
}

Sample ElevationSampler::heightAt(const GeoPoint& point) {
    PostPosition p;
    const std::optional<std::size_t> g = findGrid(point, p);
    if (!g) {
        return {SampleStatus::OutsideData, 0.0, nullptr};
    }
    const long c0 = static_cast<long>(std::floor(p.col));
    const long r0 = static_cast<long>(std::floor(p.row));
    const double fc = p.col - static_cast<double>(c0);
    const double fr = p.row - static_cast<double>(r0);
    const struct {
        long dc, dr;
        double weight;
    } corners[4] = {{0, 0, (1.0 - fc) * (1.0 - fr)},
                    {1, 0, fc * (1.0 - fr)},
                    {0, 1, (1.0 - fc) * fr},
                    {1, 1, fc * fr}};
    Sample sample{SampleStatus::Ok, 0.0, grids_[*g].get()};
    for (const auto& corner : corners) {
        if (corner.weight == 0.0) {
            continue; // on a grid line: the posts beyond it play no part
        }
        const std::optional<double> h =
            validOrFilled(*g, c0 + corner.dc, r0 + corner.dr, sample.status);
        if (!h) {
            return sample;
        }
        sample.heightM += corner.weight * *h;
    }
    return sample;
}

} // namespace tarsel::dem
