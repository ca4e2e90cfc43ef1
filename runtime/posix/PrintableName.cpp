#include "../PrintableName.h"

#include <sys/stat.h>

#include <cerrno>
#include <optional>

#include "../ReadableName.h"
#include "../Utf8Text.h"
#include "IconvHandle.h"

namespace Runtime {

namespace {

bool IsLeadByte(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }
bool IsTrailByte(unsigned char byte) { return byte >= 0x40 && byte <= 0xFC && byte != 0x7F; }

// Code page 932 both ways, for names: only what converts exactly counts.
class Cp932Names {
public:
    // The text bytes stand for, when they decode to one character that
    // encodes back to the very same bytes. Several code points have two
    // codes (NEC and IBM rows); a name read through the other one would be
    // printed as a file that is not there.
    std::optional<std::string> ExactCharacter(std::string_view bytes) const {
        const auto character = Convert(decoder_, bytes);
        if (!character || Convert(encoder_, *character) != bytes) return std::nullopt;
        return character;
    }

    std::optional<std::string> Encode(std::string_view text) const { return Convert(encoder_, text); }

private:
    static std::optional<std::string> Convert(const IconvHandle& converter, std::string_view in) {
        std::string out(in.size() * 3, '\0');  // a byte of code page 932 takes at most three of UTF-8
        auto* inAt = const_cast<char*>(in.data());
        std::size_t inLeft = in.size();
        char* outAt = out.data();
        std::size_t outLeft = out.size();
        if (::iconv(converter.Get(), &inAt, &inLeft, &outAt, &outLeft) != 0) {
            ::iconv(converter.Get(), nullptr, nullptr, nullptr, nullptr);  // no state left for the next
            return std::nullopt;
        }
        out.resize(out.size() - outLeft);
        return out;
    }

    IconvHandle decoder_{"UTF-8", "CP932"};
    IconvHandle encoder_{"CP932", "UTF-8"};
};

void AppendCp932Name(std::string& out, std::string_view name, const Cp932Names& codec) {
    std::size_t at = 0;
    while (at < name.size()) {
        const auto lead = static_cast<unsigned char>(name[at]);
        if (IsAscii(lead)) {
            AppendVisible(out, name.substr(at, 1), true);
            ++at;
            continue;
        }
        // A pair that makes no exact character leaves its lead as a byte
        // on its own, and the next byte is read afresh.
        const bool isPair = IsLeadByte(lead) && at + 1 < name.size() && IsTrailByte(static_cast<unsigned char>(name[at + 1]));
        const std::size_t length = isPair ? 2 : 1;
        if (const auto character = codec.ExactCharacter(name.substr(at, length))) {
            out += *character;
            at += length;
        } else {
            AppendHexByte(out, lead);
            ++at;
        }
    }
}

// A printed name undone: the bytes its escapes stand for, the rest as text.
struct UnescapedName {
    std::string utf8;                // the text as UTF-8
    std::optional<std::string> cp932;  // the text in code page 932, where it all has a code
};

// Appends text in code page 932 to cp932, or drops cp932 when a character
// of text has no code there.
void AppendCp932(std::optional<std::string>& cp932, std::string_view text, std::optional<Cp932Names>& codec) {
    if (!cp932 || text.empty()) return;
    if (!codec) codec.emplace();
    const auto encoded = codec->Encode(text);
    if (encoded) *cp932 += *encoded;
    else cp932.reset();
}

UnescapedName Unescape(std::string_view printed, std::optional<Cp932Names>& codec) {
    UnescapedName name{{}, std::string()};
    std::size_t runStart = 0;  // of the text since the last escape
    std::size_t at = 0;
    while (at < printed.size()) {
        const auto escape = ReadEscape(printed.substr(at));
        if (!escape) {
            ++at;
            continue;
        }
        const std::string_view run = printed.substr(runStart, at - runStart);
        name.utf8.append(run).push_back(escape->Byte);
        AppendCp932(name.cp932, run, codec);
        if (name.cp932) name.cp932->push_back(escape->Byte);
        at += escape->Length;
        runStart = at;
    }
    name.utf8 += printed.substr(runStart);
    AppendCp932(name.cp932, printed.substr(runStart), codec);
    return name;
}

bool IsThere(const std::string& path) {
    struct stat status {};
    return ::lstat(path.c_str(), &status) == 0 || (errno != ENOENT && errno != ENOTDIR);
}

}  // namespace

std::string PrintablePath(std::string_view nativePath) {
    std::string printed;
    printed.reserve(nativePath.size() + nativePath.size() / 2);
    if (IsValidUtf8(nativePath)) {
        AppendVisible(printed, nativePath, true);
        return printed;
    }
    std::optional<Cp932Names> codec;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = nativePath.find('/', start);
        const std::string_view name = nativePath.substr(start, end - start);
        if (IsValidUtf8(name)) {
            AppendVisible(printed, name, true);
        } else {
            if (!codec) codec.emplace();
            AppendCp932Name(printed, name, *codec);
        }
        if (end == std::string_view::npos) return printed;
        printed += '/';
        start = end + 1;
    }
}

std::string NativePathOfPrinted(std::string_view printed) {
    std::string native(printed);
    if (IsThere(native)) return native;
    native.clear();
    std::optional<Cp932Names> codec;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = printed.find('/', start);
        UnescapedName name = Unescape(printed.substr(start, end - start), codec);
        const bool isCp932There = name.cp932 && *name.cp932 != name.utf8 && !IsThere(native + name.utf8) &&
                                  IsThere(native + *name.cp932);
        native += isCp932There ? *name.cp932 : name.utf8;
        if (end == std::string_view::npos) return native;
        native += '/';
        start = end + 1;
    }
}

}  // namespace Runtime
