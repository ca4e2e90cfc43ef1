// libFuzzer target: each input is written to a real file and read through
// GetMidInfo, the same path a file picked in the window takes.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#ifdef __unix__
#include <fcntl.h>
#include <unistd.h>
#endif

#include "MIDTitle.h"
#include "TempFolder.h"

namespace {

// RelWithDebInfo defines NDEBUG, which would silence assert().
void Require(bool holds, const char* what) {
    if (holds) return;
    std::fprintf(stderr, "broken invariant: %s\n", what);
    std::abort();
}

bool IsWord(std::int32_t number) { return number >= 0 && number <= 0xFFFF; }

// Lead bytes and continuation bytes in the right places, no byte a UTF-8
// encoder never emits (C0, C1, F5 to FF).
bool IsUtf8(std::string_view text) {
    std::size_t follow = 0;
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (follow > 0) {
            if ((byte & 0xC0) != 0x80) return false;
            --follow;
        } else if (byte >= 0xF5 || (byte >= 0x80 && byte < 0xC2)) {
            return false;
        } else {
            follow = byte >= 0xF0 ? 3 : byte >= 0xE0 ? 2 : byte >= 0xC0 ? 1 : 0;
        }
    }
    return follow == 0;
}

#ifdef __unix__
// The descriptor the system hands out next: always the lowest free one, so
// a descriptor left open by the reader moves it.
int NextDescriptor() {
    const int descriptor = ::open("/dev/null", O_RDONLY | O_CLOEXEC);
    if (descriptor != -1) ::close(descriptor);
    return descriptor;
}
#else
int NextDescriptor() { return 0; }
#endif

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // One folder for the whole run; its one file is rewritten for each input.
    static const TempFolder folder;
    const std::filesystem::path file = folder.path() / "input.mid";
    {
        std::ofstream out(file, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
        out.close();
        Require(!out.fail(), "the input was written to its file");
    }

    const int descriptor = NextDescriptor();
    const MIDTitle::MidInfo info = MIDTitle::GetMidInfo(file);
    Require(NextDescriptor() == descriptor, "GetMidInfo closed every descriptor it opened");
    Require(IsWord(info.Format) && IsWord(info.Tracks) && IsWord(info.Resolution),
            "format, tracks and division are 16-bit words");
    Require(IsUtf8(info.Title), "the title or message is UTF-8");
    return 0;
}
