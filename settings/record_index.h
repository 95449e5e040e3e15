#pragma once
// A hash index over records kept elsewhere (in a vector, by number): only the
// record numbers are stored, 4 bytes a slot, so an index of n records costs
// about 5n bytes. Open addressing with linear probing; the caller hashes and
// compares, so the records need not hold their keys as strings.

#include <cstdint>
#include <vector>

namespace tarsel {

class RecordIndex {
public:
    static constexpr std::uint32_t None = UINT32_MAX;

    // Room for count records before the index grows.
    void reserve(std::size_t count) {
        if (count > capacity()) {
            slots_.assign(count + count / 3 + 1, 0);
        }
    }

    // The record with this hash for which same(record) holds, or None.
    template <class Same> std::uint32_t find(std::uint64_t hash, Same same) const {
        if (slots_.empty()) {
            return None;
        }
        for (std::size_t i = home(hash);; i = next(i)) {
            if (slots_[i] == 0) {
                return None;
            }
            if (same(slots_[i] - 1)) {
                return slots_[i] - 1;
            }
        }
    }

    // Adds record, not yet in the index, under hash; hashOf(n) gives the hash
    // of record n when the index grows.
    template <class HashOf> void add(std::uint32_t record, std::uint64_t hash, HashOf hashOf) {
        if (count_ + 1 > capacity()) {
            std::vector<std::uint32_t> old(2 * (count_ + 1) + 1, 0);
            old.swap(slots_);
            for (std::uint32_t slot : old) {
                if (slot != 0) {
                    place(slot, hashOf(slot - 1));
                }
            }
        }
        place(record + 1, hash);
        ++count_;
    }

private:
    // At most three quarters of the slots are taken.
    std::size_t capacity() const { return slots_.size() * 3 / 4; }
    std::size_t home(std::uint64_t hash) const {
        return static_cast<std::size_t>(((hash >> 32) * slots_.size()) >> 32);
    }
    std::size_t next(std::size_t i) const { return i + 1 == slots_.size() ? 0 : i + 1; }
    void place(std::uint32_t slot, std::uint64_t hash) {
        std::size_t i = home(hash);
        while (slots_[i] != 0) {
            i = next(i);
        }
        slots_[i] = slot;
    }

    std::vector<std::uint32_t> slots_; // record number + 1; 0 is free
    std::size_t count_ = 0;
};

} // namespace tarsel
