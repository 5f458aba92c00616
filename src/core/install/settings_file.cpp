#include "core/install/settings_file.h"

#include <cerrno>
#include <cstdio>

#include "core/runtime/runtime_error.h"
#include "platform/platform.h"

namespace Install {

namespace {

std::string SettingsText(const CategorySettings& s) {
    // The device expects the visual warning before the sound warning.
    return "[" + s.shortName + "]\r\n" + "active=" + s.active + "\r\n" + "distance=" + s.distance +
           "\r\n" + "time=0\r\n" + "visualWarning=" + s.visualWarning + "\r\n" +
           "soundWarning=" + s.soundWarning + "\r\n";
}

}  // namespace

void WriteSettingsFile(const std::string& path, const CategorySettings& settings) {
    std::FILE* file = platform::OpenFileStream(path, "wb");
    if (file == nullptr) throw runtime::ErrorFromErrno(errno, path);
    // The device reads the 8-bit text of a German Windows, whatever system wrote the file.
    const std::string text = platform::Utf8ToAnsi(SettingsText(settings));
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written) throw runtime::ErrorFromErrno(writeError, path);
    if (!closed) throw runtime::ErrorFromErrno(errno, path);
}

}  // namespace Install
