#include "core/controls/shown_text.h"

#include "platform/platform.h"
#include "platform/text/utf8.h"

namespace controls {

std::string ShownForm(std::string_view bytes) {
    if (platform::text::IsValidUtf8(bytes)) return std::string(bytes);
    return platform::AnsiToUtf8(bytes);
}

const std::string& ShownText::Show(std::string bytes) {
    shown_ = ShownForm(bytes);
    bytes_ = std::move(bytes);
    return shown_;
}

std::string ShownText::BytesFor(const std::string& shown) const {
    return shown == shown_ ? bytes_ : shown;
}

}  // namespace controls
