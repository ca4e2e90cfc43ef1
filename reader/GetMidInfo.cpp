#include <algorithm>
#include <array>
#include <new>
#include <vector>

#include "BinaryFile.h"
#include "CodePage.h"
#include "FileLookup.h"
#include "MIDTitle.h"
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

std::uint16_t Word(std::span<const std::uint8_t> bytes, std::size_t at) {
    return static_cast<std::uint16_t>(bytes[at] << 8 | bytes[at + 1]);
}

std::uint32_t Long(std::span<const std::uint8_t> bytes, std::size_t at) {
    return std::uint32_t{bytes[at]} << 24 | std::uint32_t{bytes[at + 1]} << 16 |
           std::uint32_t{bytes[at + 2]} << 8 | std::uint32_t{bytes[at + 3]};
}

// Everything up to the title, with the numbers stored into info as they are
// read. Failures of the file operations are thrown as RuntimeError.
std::string ReadTitle(const std::filesystem::path& path, MidInfo& info) {
    if (!Runtime::IsNormalFile(path)) return std::string(Messages::kFileNotFound);

    const Runtime::BinaryFile file(path);
    const std::uint64_t fileLength = file.Length();
    if (fileLength < kMinimumLength) return std::string(Messages::kFileTooShort);

    // One read brings the header, the track chunk header and as much of the
    // track as the title search can reach. Bytes past the end stay zero.
    const std::size_t headLength =
        static_cast<std::size_t>(std::min<std::uint64_t>(fileLength, kTrackDataAt + kSearchReach));
    std::vector<std::uint8_t> head(std::max(headLength, kTrackDataAt), 0);
    file.ReadAt(0, std::span(head).first(headLength));

    if (!HasId(head, 0, kHeaderId)) return std::string(Messages::kNotMidiFile);
    info.Format = Word(head, kFormatAt);
    info.Tracks = Word(head, kTracksAt);
    info.Resolution = Word(head, kDivisionAt);
    if (info.Tracks == 0) return std::string(Messages::kNoTracks);
    if (!HasId(head, kTrackIdAt, kTrackId)) return std::string(Messages::kTrackNotFound);

    const std::uint64_t trackLength = Long(head, kTrackLengthAt);
    if (trackLength + kTrackDataAt > fileLength) return std::string(Messages::kTrackTooLong);

    const auto trackHead = std::span<const std::uint8_t>(head).subspan(
        kTrackDataAt, static_cast<std::size_t>(std::min<std::uint64_t>(trackLength, kSearchReach)));
    const TitleLocation title = FindTitle(trackHead, trackLength);
    if (!title.problem.empty()) return std::string(title.problem);

    // Every mouse move over the file list reads the title again, so a forged
    // length of up to 256 MiB must not be read whole: the title is cut.
    const auto length = static_cast<std::size_t>(std::min(title.length, kLongestTitle));
    if (title.start + length <= trackHead.size()) return Runtime::Cp932ToUtf8(trackHead.subspan(title.start, length));
    // A long title runs past what was read: fetch its own bytes.
    std::vector<std::uint8_t> text(length, 0);
    file.ReadAt(kTrackDataAt + title.start, text);
    return Runtime::Cp932ToUtf8(text);
}

}  // namespace

MidInfo GetMidInfo(const std::filesystem::path& path) noexcept {
    MidInfo info;
    // The one handler: whatever a step throws ends here as a message, with
    // the numbers read so far kept. The file is closed by then.
    try {
        try {
            info.Title = ReadTitle(path, info);
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
    return info;
}

}  // namespace MIDTitle
