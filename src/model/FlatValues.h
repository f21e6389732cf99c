// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <limits>
#include <stdexcept>
#include <string>
#include <string_view>

namespace wendrake {

// A fixed number of text values kept in one buffer: the values one after
// the other and where each ends. A record of 32 values thus costs one
// allocation instead of 32, and copying a table copies few, compact blocks.
// It owns its bytes, so a copy stays valid whatever happens to the text it
// was read from.
template <std::size_t N>
class FlatValues {
  public:
    using Offset = std::uint32_t;

    static constexpr std::size_t size() { return N; }

    // Value `k` (below N).
    // Const, so that an assignment to it does not compile.
    const std::string_view operator[](std::size_t k) const {
        const Offset begin = k == 0 ? 0 : ends_[k - 1];
        return std::string_view(text_).substr(begin, ends_[k] - begin);
    }

    void set(std::size_t k, std::string_view value) {
        const Offset begin = k == 0 ? 0 : ends_[k - 1];
        const std::size_t oldLength = ends_[k] - begin;
        if (value.size() != oldLength) {
            checkFits(text_.size() - oldLength + value.size());
        }
        text_.replace(begin, oldLength, value);
        const auto grown = static_cast<Offset>(value.size() - oldLength);  // modulo 2^32
        for (std::size_t j = k; j < N; ++j) {
            ends_[j] = static_cast<Offset>(ends_[j] + grown);
        }
    }

    // The values `values[0..count)`, the rest empty; values after the Nth
    // are not taken.
    void assign(const std::string_view* values, std::size_t count) {
        if (count > N) {
            count = N;
        }
        std::size_t total = 0;
        for (std::size_t k = 0; k < count; ++k) {
            total += values[k].size();
        }
        checkFits(total);
        text_.clear();
        text_.reserve(total);
        for (std::size_t k = 0; k < count; ++k) {
            text_ += values[k];
            ends_[k] = static_cast<Offset>(text_.size());
        }
        for (std::size_t k = count; k < N; ++k) {
            ends_[k] = static_cast<Offset>(text_.size());
        }
    }

    // Value `k` of values filled in order: every value after `k` is empty
    // until it is appended in turn.
    void append(std::size_t k, std::string_view value) {
        checkFits(text_.size() + value.size());
        text_ += value;
        for (std::size_t j = k; j < N; ++j) {
            ends_[j] = static_cast<Offset>(text_.size());
        }
    }

    // Room for values of `bytes` bytes together, made once.
    void reserve(std::size_t bytes) { text_.reserve(bytes); }

    // The bytes of every value together, for lengths and hashes.
    std::string_view joined() const { return text_; }

    class const_iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = void;
        using reference = std::string_view;
        const_iterator() = default;
        const_iterator(const FlatValues* values, std::size_t k) : values_(values), k_(k) {}
        std::string_view operator*() const { return (*values_)[k_]; }
        const_iterator& operator++() {
            ++k_;
            return *this;
        }
        const_iterator operator++(int) {
            const_iterator before = *this;
            ++k_;
            return before;
        }
        bool operator==(const const_iterator& other) const { return k_ == other.k_; }

      private:
        const FlatValues* values_ = nullptr;
        std::size_t k_ = 0;
    };
    const_iterator begin() const { return {this, 0}; }
    const_iterator end() const { return {this, N}; }

    // The concatenation and the ends together say every value exactly.
    bool operator==(const FlatValues&) const = default;

  private:
    static void checkFits(std::size_t total) {
        if (total > std::numeric_limits<Offset>::max()) {
            throw std::length_error("the values of one record exceed 4 GiB");
        }
    }

    std::string text_;
    std::array<Offset, N> ends_{};
};

}  // namespace wendrake
