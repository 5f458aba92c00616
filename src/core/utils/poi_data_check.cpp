#include "core/utils/poi_data_check.h"

#include "platform/platform.h"

namespace Utils {

std::int16_t HasPoiData(const std::string& base) {
    // All three tests are made, whatever the first ones found.
    const bool csv = platform::FindOrdinaryFile(base + ".csv").has_value();
    const bool asc = platform::FindOrdinaryFile(base + ".asc").has_value();
    const bool bmp = platform::FindOrdinaryFile(base + ".bmp").has_value();
    return (csv || asc) && bmp ? -1 : 0;
}

}  // namespace Utils
