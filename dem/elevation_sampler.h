#pragma once
// Heights at points from a set of elevation grids: bilinear in the four posts
// around the point, which may lie in neighbouring grids of the same
// coordinate system (tiles side by side). Grids are read in chunks of
// ChunkSize x ChunkSize posts, kept for reuse up to MaxCachedChunks.

#include "dem/elevation_grid.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <memory>
#include <optional>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tarsel::dem {

inline constexpr int ChunkSize = 64;
inline constexpr std::size_t MaxCachedChunks = 4096; // 64 MiB of heights

enum class SampleStatus {
    Ok,
    OutsideData, // no grid holds the four posts around the point
    Void,        // a post around the point is a void (no-data)
    VoidTooLarge // filling was asked, but no valid post lies near the void
};

struct Sample {
    SampleStatus status = SampleStatus::OutsideData;
    double heightM = 0.0;
    const ElevationGrid* grid = nullptr; // the grid the point was found in
};

class ElevationSampler {
public:
    // Grids are searched in the order given; the first that holds the point wins.
    ElevationSampler(std::vector<std::unique_ptr<ElevationGrid>> grids, bool fillVoids);

    // Reading a grid may throw DemError.
    Sample heightAt(const GeoPoint& point);

    // The grid holding the point (nullptr when none) and the point's position in it.
    const ElevationGrid* gridAt(const GeoPoint& point, PostPosition* position = nullptr) const;

    // How many distinct void posts were filled so far.
    std::size_t filledPosts() const { return fills_.size(); }
    std::size_t chunkReads() const { return chunkReads_; }
    // Frees the chunks read so far; they are read again when needed.
    void dropChunks();

private:
    // A post (or a chunk) of one grid, in that grid's numbering.
    struct PostKey {
        std::size_t grid = 0;
        long col = 0;
        long row = 0;
        bool operator==(const PostKey&) const = default;
    };
    struct PostKeyHash {
        std::size_t operator()(const PostKey& k) const;
    };
    struct Chunk {
        PostKey key;
        int cols = 0;
        std::vector<float> heights;
    };

    std::optional<std::size_t> findGrid(const GeoPoint& point, PostPosition& position) const;
    // The post (col, row) of grid g's numbering: in g, or the post at the same
    // place in another grid of the same frame when it lies outside g.
    std::optional<PostKey> resolve(std::size_t g, long col, long row) const;
    float height(const PostKey& post);
    std::optional<double> validOrFilled(std::size_t g, long col, long row, SampleStatus& status);
    const Chunk& chunk(const PostKey& chunkKey);

    std::vector<std::unique_ptr<ElevationGrid>> grids_;
    bool fillVoids_;
    mutable std::size_t lastGrid_ = 0;
    std::list<Chunk> chunks_; // most recently used first
    std::unordered_map<PostKey, std::list<Chunk>::iterator, PostKeyHash> chunkIndex_;
    std::unordered_map<PostKey, double, PostKeyHash> fills_;
    std::unordered_set<PostKey, PostKeyHash> unfillable_;
    std::size_t chunkReads_ = 0;
};

} // namespace tarsel::dem
