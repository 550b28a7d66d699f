// The on-screen notice block as the display program receives it. A block
// that parses rebuilds into one that parses to the same notice.

#include "FuzzSupport.h"
#include "OsdBlock.h"

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    Fuzz::initialize(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray block(reinterpret_cast<const char *>(data), int(size));
    Osd::Notice notice;
    if (!Osd::parseBlock(block, &notice))
        return 0;
    Fuzz::check(block.size() == Osd::kBlockSize, "a block of the wrong size parsed");
    Fuzz::check(notice.text.size() <= Osd::kTextMaxUnits && notice.font.size() <= Osd::kTextMaxUnits,
                "a text longer than its field");
    notice.color();
    const QByteArray rebuilt = Osd::buildBlock(notice);
    Fuzz::check(rebuilt.size() == Osd::kBlockSize, "a rebuilt block of the wrong size");
    Osd::Notice again;
    Fuzz::check(Osd::parseBlock(rebuilt, &again), "a rebuilt block does not parse");
    Fuzz::check(again.text == notice.text && again.font == notice.font && again.colorRef == notice.colorRef &&
                    again.duration == notice.duration && again.value0 == notice.value0 &&
                    again.value2 == notice.value2 && again.value60 == notice.value60,
                "a notice changes through build and parse");
    return 0;
}
