// What an install run cannot do with less: the same durable file steps on disk and one compiler
// start per category, waited for directly, without a window, a registry or a process list.
// Prints the processor seconds of the run and of the compilers, and its wall seconds.
//   install_floor POI_FOLDER CARD_FOLDER COMPILER STAGING_FOLDER
#include <fcntl.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "support/figures.h"

extern char** environ;

namespace {

void Fail(const std::string& what) {
    std::perror(what.c_str());
    std::exit(1);
}

bool IsFile(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

void CopyInto(int from, int to) {
    char buffer[64 * 1024];
    for (ssize_t got; (got = read(from, buffer, sizeof buffer)) > 0;) {
        if (write(to, buffer, static_cast<std::size_t>(got)) != got) Fail("write");
    }
}

void Copy(const std::string& from, const std::string& to) {
    const int source = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    const int target = open(to.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (source < 0 || target < 0) Fail(from);
    CopyInto(source, target);
    close(source);
    if (close(target) != 0) Fail(to);
}

void SyncFolder(const std::string& folder) {
    const int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    fsync(fd);
    close(fd);
}

// A temporary beside the target, flushed, renamed over it, the folder flushed; then the source
// goes.
void Move(const std::string& from, const std::string& folder, const std::string& name) {
    std::string temporary = folder + "/." + name + ".XXXXXX";
    const int target = mkostemp(temporary.data(), O_CLOEXEC);
    const int source = open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (source < 0 || target < 0) Fail(from);
    CopyInto(source, target);
    close(source);
    fchmod(target, 0644);
    fsync(target);
    close(target);
    if (rename(temporary.c_str(), (folder + "/" + name).c_str()) != 0) Fail("rename");
    SyncFolder(folder);
    unlink(from.c_str());
}

void Compile(const std::string& compiler, const std::string& data, const std::string& icon) {
    const std::string bitmap = "BITMAP=" + icon;
    const char* args[] = {compiler.c_str(), data.c_str(),  bitmap.c_str(), "16BPP", "APP",
                          "IMPORTANCE=1",   "TRANSPARENT", nullptr};
    pid_t pid = 0;
    if (posix_spawn(&pid, args[0], nullptr, nullptr, const_cast<char**>(args), environ) != 0) {
        Fail("spawn");
    }
    int status = 0;
    waitpid(pid, &status, 0);
}

void InstallCategory(const std::string& line, const std::string& poi, const std::string& card,
                     const std::string& compiler, const std::string& staging) {
    std::istringstream fields(line);
    std::string name, shortName;
    std::getline(fields, name, ';');
    std::getline(fields, shortName, ';');
    const std::string base = poi + "/" + name;
    if (!(IsFile(base + ".csv") || IsFile(base + ".asc")) || !IsFile(base + ".bmp")) Fail(name);
    const std::string staged = staging + "/" + shortName;
    Copy(base + ".csv", staged + ".asc");
    Copy(base + ".bmp", staged + ".bmp");
    Compile(compiler, staged + ".asc", staged + ".bmp");
    std::ofstream(staged + ".ini", std::ios::binary)
        << "[" << shortName << "]\r\nactive=1\r\ndistance=200\r\ntime=0\r\n"
        << "visualWarning=0\r\nsoundWarning=1\r\n";
    unlink((staged + ".asc").c_str());
    unlink((staged + ".bmp").c_str());
    for (const char* extension : {".ini", ".chk", ".map", ".bm"}) {
        Move(staged + extension, card, shortName + extension);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: install_floor POI CARD COMPILER STAGING\n");
        return 2;
    }
    const std::string poi = argv[1], card = argv[2], compiler = argv[3], staging = argv[4];
    const double cpu = bench::CpuSeconds();
    const double childCpu = bench::ChildCpuSeconds();
    const double wall = bench::MonotonicSeconds();
    std::ifstream list(poi + "/MARQUILL.CSV", std::ios::binary);
    for (std::string line; std::getline(list, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (!line.empty()) InstallCategory(line, poi, card, compiler, staging);
    }
    // The two folders stored at the end, durably.
    const std::string settings = staging + "/settings";
    std::ofstream(settings + ".tmp") << "Path_POI=" << poi << "\nPath_SD=" << card << "\n";
    const int fd = open((settings + ".tmp").c_str(), O_RDONLY);
    fsync(fd);
    close(fd);
    rename((settings + ".tmp").c_str(), settings.c_str());
    SyncFolder(staging);
    std::printf("%.6f %.6f %.6f\n", bench::CpuSeconds() - cpu, bench::ChildCpuSeconds() - childCpu,
                bench::MonotonicSeconds() - wall);
    return 0;
}
