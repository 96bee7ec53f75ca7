// Any byte string given as a .ddb file must load or be refused cleanly: a refused file leaves the
// image untouched, an accepted one is exactly the file's first 16384 bytes.
#include "database/DdbFile.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <sys/mman.h>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const int fd = ::memfd_create("ddb", 0);
    if (fd < 0 || ::write(fd, data, size) != static_cast<ssize_t>(size))
        std::abort();
    const std::string path = "/proc/self/fd/" + std::to_string(fd);

    trv::db::Image image;
    image.fill(0x5A);
    const trv::db::FileResult result = trv::db::loadDatabase(path, image);
    ::close(fd);

    if (result.ok) {
        if (size < image.size() || std::memcmp(image.data(), data, image.size()) != 0)
            std::abort();
    } else {
        for (auto b : image)
            if (b != 0x5A)
                std::abort();
        if (size != 0 && result.message.empty())
            std::abort(); // only an empty file is refused silently
    }
    return 0;
}
