#include "TitleSearch.h"

#include <algorithm>

#include "Messages.h"

namespace MIDTitle {

namespace {

constexpr std::uint8_t kMetaEvent = 0xFF;
constexpr std::uint8_t kTextEvent = 0x01;
constexpr std::uint8_t kTrackNameEvent = 0x03;
constexpr std::size_t kMaxLengthBytes = 4;  // a variable-length quantity fits in 28 bits

std::size_t FindTitlePair(std::span<const std::uint8_t> head, std::uint64_t trackLength) {
    const std::size_t end = static_cast<std::size_t>(std::min<std::uint64_t>(trackLength, kSearchWindow));
    for (std::size_t i = 0; i + 1 < end; ++i) {
        if (head[i] == kMetaEvent && (head[i + 1] == kTextEvent || head[i + 1] == kTrackNameEvent))
            return i;
    }
    return head.size();
}

}  // namespace

TitleLocation FindTitle(std::span<const std::uint8_t> head, std::uint64_t trackLength) {
    const std::size_t pair = FindTitlePair(head, trackLength);
    if (pair == head.size()) return {.Problem = Messages::kTitleNotFound};

    // The length is a variable-length quantity: seven bits a byte, the top
    // bit set while another byte follows.
    std::uint64_t length = 0;
    std::size_t at = pair + 2;
    for (std::size_t count = 0;; ++count) {
        if (count == kMaxLengthBytes || at >= head.size()) return {.Problem = Messages::kTitleLengthBroken};
        const std::uint8_t byte = head[at++];
        length = length << 7 | (byte & 0x7Fu);
        if (byte < 0x80) break;
    }
    // at <= kSearchReach and length < 2^28, so the sum cannot wrap.
    if (at + length > trackLength) return {.Problem = Messages::kTitleLengthBroken};
    return {.Start = at, .Length = length, .Problem = {}};
}

}  // namespace MIDTitle
