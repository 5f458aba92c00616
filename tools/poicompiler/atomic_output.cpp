#include "poicompiler/atomic_output.h"

#include "poicompiler/file_steps.h"

namespace poicompiler {
namespace {

class Temporaries {
public:
    ~Temporaries() {
        for (const auto& p : paths_) RemoveTemporary(p);
    }

    // Beside its target, under a name no other compiler running at the same time would take.
    std::filesystem::path Write(const OutputFile& file) {
        for (int attempt = 0;; ++attempt) {
            std::filesystem::path name = ".";
            name += file.path.filename();
            name += ".tmp" + std::to_string(ProcessId()) + "_" + std::to_string(attempt);
            std::filesystem::path tmp = file.path;
            tmp.replace_filename(name);
            paths_.push_back(tmp);
            if (WriteNewFile(tmp, file)) return tmp;
            paths_.pop_back();
            if (attempt > 100) FailWithSystemError("create a temporary file", tmp);
        }
    }

    void Release(const std::filesystem::path& p) { std::erase(paths_, p); }

private:
    std::vector<std::filesystem::path> paths_;
};

}  // namespace

void WriteAllOrNothing(const std::vector<OutputFile>& files) {
    Temporaries temps;
    std::vector<std::filesystem::path> written;
    for (const OutputFile& f : files) written.push_back(temps.Write(f));
    for (std::size_t i = 0; i < files.size(); ++i) {
        MoveOverTarget(written[i], files[i].path);
        temps.Release(written[i]);
    }
    if (!files.empty()) SyncFolderOf(files.front().path);
}

}  // namespace poicompiler
