#include <algorithm>
#include <array>
#include <new>
#include <string_view>
#include <vector>

#include "BinaryFile.h"
#include "CodePage.h"
#include "FileLookup.h"
#include "MIDTitle.h"
#include "MidReading.h"
#include "Messages.h"
#include "RuntimeError.h"
#include "TitleSearch.h"

namespace MIDTitle {

namespace {

// The part of the file read before the track data: the header chunk, taken
// to be 6 bytes long whatever its length field says, then the first track
// chunk's id and length.
constexpr std::size_t kFormatAt = 8;
constexpr std::size_t kTracksAt = 10;
constexpr std::size_t kDivisionAt = 12;
constexpr std::size_t kTrackIdAt = 14;
constexpr std::size_t kTrackLengthAt = 18;
constexpr std::size_t kTrackDataAt = 22;
// Shorter files are turned away before anything is read. One of 21 bytes
// passes and reads as though its missing last byte were zero.
constexpr std::uint64_t kMinimumLength = 21;
// Far beyond any real title, and still read and shown at once.
constexpr std::uint64_t kLongestTitle = 64 * 1024;
constexpr std::array<std::uint8_t, 4> kHeaderId = {'M', 'T', 'h', 'd'};
constexpr std::array<std::uint8_t, 4> kTrackId = {'M', 'T', 'r', 'k'};

bool HasId(std::span<const std::uint8_t> bytes, std::size_t at, std::span<const std::uint8_t, 4> id) {
    return std::equal(id.begin(), id.end(), bytes.begin() + static_cast<std::ptrdiff_t>(at));
}

std::uint16_t BigEndian16(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

std::uint32_t BigEndian32(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
           std::uint32_t{bytes[at + 2]} << 8 | std::uint32_t{bytes[at + 3]};
}

// What the read ends with: the title, or the message that says why there
// is none.
struct TitleOrMessage {
    std::string text;
    bool isTitle = false;
};

TitleOrMessage Message(std::string_view message) { return {std::string(message), false}; }

// The header, then the first track's title, with the numbers stored into
// info as they are read. Failures of the file operations are thrown as
// RuntimeError. isListed: a folder listing has just shown path as a normal
// file, so the lookup is not made again.
TitleOrMessage ReadHeaderAndTitle(const std::filesystem::path& path, MidInfo& info, bool isListed) {
    if (!isListed && !Runtime::IsNormalFile(path)) return Message(Messages::kFileNotFound);

    const Runtime::BinaryFile file(path);
    const std::uint64_t fileLength = file.Length();
    if (fileLength < kMinimumLength) return Message(Messages::kFileTooShort);

    // One read brings the header, the track chunk header and as much of the
    // track as the title search can reach. It lands on the stack, as a
    // catalogue of a whole collection makes this call once a file; only the
    // bytes a short file leaves unread are cleared, and they read as zero.
    std::array<std::uint8_t, kTrackDataAt + kSearchReach> head;
    const std::size_t headLength =
        static_cast<std::size_t>(std::min<std::uint64_t>(fileLength, head.size()));
    if (headLength < kTrackDataAt) std::fill(head.begin() + static_cast<std::ptrdiff_t>(headLength),
                                             head.begin() + kTrackDataAt, std::uint8_t{0});
    file.ReadAt(0, std::span(head).first(headLength));

    if (!HasId(head, 0, kHeaderId)) return Message(Messages::kNotMidiFile);
    info.Format = BigEndian16(head, kFormatAt);
    info.Tracks = BigEndian16(head, kTracksAt);
    info.Resolution = BigEndian16(head, kDivisionAt);
    if (info.Tracks == 0) return Message(Messages::kNoTracks);
    if (!HasId(head, kTrackIdAt, kTrackId)) return Message(Messages::kTrackNotFound);

    const std::uint64_t trackLength = BigEndian32(head, kTrackLengthAt);
    if (trackLength + kTrackDataAt > fileLength) return Message(Messages::kTrackTooLong);

    const auto trackHead = std::span<const std::uint8_t>(head).subspan(
        kTrackDataAt, static_cast<std::size_t>(std::min<std::uint64_t>(trackLength, kSearchReach)));
    const TitleLocation title = FindTitle(trackHead, trackLength);
    if (!title.Problem.empty()) return Message(title.Problem);

    // Every mouse move over the file list reads the title again, so a forged
    // length of up to 256 MiB must not be read whole: the title is cut.
    const auto length = static_cast<std::size_t>(std::min(title.Length, kLongestTitle));
    if (title.Start + length <= trackHead.size()) {
        return {Runtime::Cp932ToUtf8(trackHead.subspan(title.Start, length)), true};
    }
    // A long title runs past what was read: fetch its own bytes.
    std::vector<std::uint8_t> text(length, 0);
    file.ReadAt(kTrackDataAt + title.Start, text);
    return {Runtime::Cp932ToUtf8(text), true};
}

MidReading Read(const std::filesystem::path& path, bool isListed) noexcept {
    MidReading reading;
    MidInfo& info = reading.Info;
    // The one handler: whatever a step throws ends here as a message, with
    // the numbers read so far kept. The file is closed by then.
    try {
        try {
            TitleOrMessage outcome = ReadHeaderAndTitle(path, info, isListed);
            info.Title = std::move(outcome.text);
            reading.HasTitle = outcome.isTitle;
        } catch (const Runtime::RuntimeError& error) {
            info.Title = error.Message();
        } catch (const std::bad_alloc&) {
            info.Title = Runtime::MakeError(Runtime::kOutOfMemory).Message();
        } catch (...) {
            info.Title = Runtime::MakeError(Runtime::kUnknownFailure).Message();
        }
    } catch (...) {
        // Building the message itself ran out of memory. The bare number
        // fits in the string's own storage, so it needs no allocation.
        info.Title.assign(1, '7');
    }
    return reading;
}

}  // namespace

MidReading ReadMidInfo(const std::filesystem::path& path) noexcept { return Read(path, false); }

MidReading ReadListedMidInfo(const std::filesystem::path& path) noexcept { return Read(path, true); }

MidInfo GetMidInfo(const std::filesystem::path& path) noexcept { return ReadMidInfo(path).Info; }

}  // namespace MIDTitle
