#include "core/runtime/runtime_error.h"

#include <cerrno>
#include <new>

#include "platform/platform.h"

namespace runtime {

std::string ErrorDescription(int number) {
    switch (number) {
        case kInvalidArgument:
            return "Ungültiges Argument";
        case kOverflow:
            return "Überlauf";
        case kOutOfMemory:
            return "Nicht genügend Speicher";
        case kBadFileName:
            return "Ungültiger Dateiname";
        case kFileNotFound:
            return "Datei nicht gefunden";
        case kDiskFull:
            return "Datenträger voll";
        case kInputPastEndOfFile:
            return "Einlesen hinter Dateiende";
        case kPermissionDenied:
            return "Zugriff verweigert";
        case kPathFileAccessError:
            return "Fehler beim Zugriff auf Pfad oder Datei";
        case kPathNotFound:
            return "Pfad nicht gefunden";
        default:
            return "Anwendungs- oder objektdefinierter Fehler";
    }
}

RuntimeError::RuntimeError(int number) : RuntimeError(number, ErrorDescription(number)) {}

RuntimeError::RuntimeError(int number, std::string description)
    : number_(number), description_(std::move(description)) {}

RuntimeError AsRuntimeError(const std::exception& failure) {
    if (const auto* error = dynamic_cast<const RuntimeError*>(&failure)) return *error;
    if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr) return RuntimeError(kOutOfMemory);
    return RuntimeError(kPathFileAccessError);
}

RuntimeError ErrorFromErrno(int err, const std::string& path) {
    switch (err) {
        case ENOENT:
        case ENOTDIR:
            return RuntimeError(platform::ParentFolderExists(path) ? kFileNotFound : kPathNotFound);
        case EACCES:
        case EPERM:
        case EROFS:
            return RuntimeError(kPermissionDenied);
        case ENOSPC:
        case platform::kDiskQuotaExceeded:
        case EFBIG:
            return RuntimeError(kDiskFull);
        case ENAMETOOLONG:
        case EINVAL:
            return RuntimeError(kBadFileName);
        default:
            return RuntimeError(kPathFileAccessError);
    }
}

}  // namespace runtime
