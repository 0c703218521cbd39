// Arbitrary bytes as a card file: read by the card file store (version 2,
// version 1 with its upgrade, or refused with a message), then, when accepted,
// shown in a map-based window. Besides crashes, out-of-bounds reads and hangs
// the target checks what a read promises: which message a file of each size
// gets, and that an accepted card is exactly what the file held.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "card/card_file_store.h"
#include "fuzz_expect.h"
#include "fuzz_scratch_file.h"
#include "fuzz_window_view.h"
#include "support/dialogue_recorder.h"

namespace {

using Texts = std::vector<std::string>;

void CheckVersion2Read(const std::uint8_t* data, bool accepted, const Texts& shown, const card::TCardRec& card)
{
    Expect(std::equal(data, data + card::kCardRecSize, card.data()),
           "a version-2 read holds the first 14400 bytes of the file");
    const bool signed_ = card::HasCardSignature(card);
    const bool version2 = card.byte("FormatVersion") == card::kCardFormatVersion;
    Expect(accepted == (signed_ && version2), "a version-2 card is accepted exactly when signature and version hold");
    if (!signed_)
        Expect(shown == Texts{card::kMsgNotACard}, "a wrong signature is told once");
    else if (!version2)
        Expect(shown == Texts{card::kMsgWrongVersion}, "a wrong version is told once");
    else
        Expect(shown.empty(), "an accepted version-2 card is read silently");
}

void CheckVersion1Read(bool accepted, const Texts& shown, const card::TCardRec& card)
{
    Expect(accepted, "a file of 14288 to 14399 bytes is accepted as version 1");
    Expect(shown == Texts{card::kMsgVersion1Loaded}, "a version-1 card is announced once");
    Expect(card.byte("FormatVersion") == card::kCardFormatVersion && card::HasCardSignature(card)
               && card.byte("OkvedSource") == 0,
           "the upgrade makes a version-2 card without classifier source");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static ScratchFile file;
    static DialogueRecorder silent; // what a window would show: recorded, never shown
    static card::CardFileStore store;

    file.write(data, size);
    silent.clear();
    const bool accepted = silent.show(store.ReadCardFile(file.path()));

    if (size >= static_cast<std::size_t>(card::kCardRecSize))
        CheckVersion2Read(data, accepted, silent.texts(), store.card());
    else if (size >= static_cast<std::size_t>(card::kCardRecV1Size))
        CheckVersion1Read(accepted, silent.texts(), store.card());
    else
        Expect(!accepted && silent.texts() == Texts{card::kMsgLoadFailed},
               "a file shorter than 14288 bytes is refused with the load error");

    if (accepted)
        ShowInWindow(store.card());
    return 0;
}
