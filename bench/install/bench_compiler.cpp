// Stands in for the compiler in the install benchmark: writes its three small outputs next to
// the data file and exits, so that what is measured is the install run around it.
#include <fcntl.h>
#include <unistd.h>

#include <cstring>
#include <string>

int main(int argc, char** argv) {
    if (argc < 3 || std::strncmp(argv[2], "BITMAP=", 7) != 0) return 2;
    std::string base = argv[1];
    if (base.size() < 4) return 2;
    base.resize(base.size() - 4);
    for (const char* extension : {".chk", ".map", ".bm"}) {
        const int fd = open((base + extension).c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd < 0 || write(fd, "output\n", 7) != 7 || close(fd) != 0) return 1;
    }
    return 0;
}
