#include "MissingValues.h"

namespace wendrake {

namespace {

// An empty value with a filled one after it, in a record whose first
// `required` values must all be there.
template <typename Record>
std::optional<MissingValue> firstGap(const std::vector<Record>& records, std::size_t required) {
    for (std::size_t r = 0; r < records.size(); ++r) {
        const auto& fields = records[r].fields;
        std::size_t filledEnd = required;
        for (std::size_t k = fields.size(); k > required; --k) {
            if (!fields[k - 1].empty()) {
                filledEnd = k;
                break;
            }
        }
        for (std::size_t k = 0; k < filledEnd && k < fields.size(); ++k) {
            if (fields[k].empty()) {
                return MissingValue{static_cast<int>(r), static_cast<int>(k)};
            }
        }
    }
    return std::nullopt;
}

}  // namespace

std::optional<MissingValue> firstMissingValue(const std::vector<HandlingRecord>& records) {
    return firstGap(records, kHandlingFieldCount);
}

std::optional<MissingValue> firstMissingValue(const std::vector<VehicleDefRecord>& records) {
    // The ten values every vehicle line has; the two after them are optional.
    return firstGap(records, 10);
}

}  // namespace wendrake
